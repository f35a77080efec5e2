#pragma once

#include "StringArray.h"

#include <exception>
#include <functional>
#include <memory>

/// The base of every exception the framework and the application raise. Each records the call
/// stack of the place where it was made, so that a report can show where a failure began.
class RuntimeException : public std::exception {
public:
    RuntimeException();
    explicit RuntimeException(String message);
    ~RuntimeException() override;
    RuntimeException(const RuntimeException&);
    RuntimeException& operator=(const RuntimeException&);

    /// One entry per frame, innermost first: the frame's mangled symbol name where it has one.
    StringArray Stack() const;
    const String& Message() const { return m_Message; }
    const char* what() const noexcept override { return m_Message.c_str(); }

    /// The exception's class name as the application spells it ("NilObjectException").
    virtual const char* ClassName() const { return "RuntimeException"; }

private:
    String m_Message;
    std::shared_ptr<const std::vector<void*>> m_Frames;
};

#define WORDLOOM_DECLARE_EXCEPTION(Name)                                                                    \
    class Name : public RuntimeException {                                                                  \
    public:                                                                                                 \
        using RuntimeException::RuntimeException;                                                           \
        const char* ClassName() const override { return #Name; }                                            \
    };

WORDLOOM_DECLARE_EXCEPTION(NilObjectException)
WORDLOOM_DECLARE_EXCEPTION(TypeMismatchException)
WORDLOOM_DECLARE_EXCEPTION(IllegalCastException)
WORDLOOM_DECLARE_EXCEPTION(OutOfBoundsException)
WORDLOOM_DECLARE_EXCEPTION(StackOverflowException)
WORDLOOM_DECLARE_EXCEPTION(OutOfMemoryException)
WORDLOOM_DECLARE_EXCEPTION(InvalidParentException)
WORDLOOM_DECLARE_EXCEPTION(KeyNotFoundException)
WORDLOOM_DECLARE_EXCEPTION(UnsupportedFormatException)
WORDLOOM_DECLARE_EXCEPTION(EndException)
WORDLOOM_DECLARE_EXCEPTION(ShellNotRunningException)
WORDLOOM_DECLARE_EXCEPTION(ShellNotAvailableException)
WORDLOOM_DECLARE_EXCEPTION(IOException)

#undef WORDLOOM_DECLARE_EXCEPTION

/// Rethrows `caught` and hands it to `handler` as a RuntimeException: C++ exceptions that are not
/// ours become OutOfMemoryException (std::bad_alloc) or a plain RuntimeException.
void WithRuntimeException(std::exception_ptr caught, const std::function<void(RuntimeException&)>& handler);
