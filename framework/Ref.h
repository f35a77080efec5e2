#pragma once

#include "RuntimeException.h"

#include <memory>
#include <utility>

/// A shared reference that may be Nil. Using a member through Nil raises NilObjectException, which
/// the application relies on instead of testing every reference it is given.
template <class T> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(std::shared_ptr<T> p) : m_P(std::move(p)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other) : m_P(other.Shared()) {}

    T* operator->() const { return &Deref(); }
    T& operator*() const { return Deref(); }

    bool IsNil() const { return !m_P; }
    explicit operator bool() const { return static_cast<bool>(m_P); }
    T* Get() const { return m_P.get(); }
    const std::shared_ptr<T>& Shared() const { return m_P; }

    template <class U> bool operator==(const Ref<U>& other) const { return m_P == other.Shared(); }
    bool operator==(std::nullptr_t) const { return !m_P; }

private:
    T& Deref() const {
        if (!m_P)
            throw NilObjectException();
        return *m_P;
    }

    std::shared_ptr<T> m_P;
};

template <class T, class... Args> Ref<T> New(Args&&... args) {
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

/// A cast that tests the class: Nil stays Nil, an object of another class raises IllegalCastException.
template <class To, class From> Ref<To> Cast(const Ref<From>& from) {
    if (from.IsNil())
        return nullptr;
    auto to = std::dynamic_pointer_cast<To>(from.Shared());
    if (!to)
        throw IllegalCastException();
    return Ref<To>(to);
}

/// Whether the object is of the class To or one of its subclasses (Nil is of no class).
template <class To, class From> bool IsA(const Ref<From>& from) {
    return dynamic_cast<To*>(from.Get()) != nullptr;
}
