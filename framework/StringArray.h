#pragma once

#include "Strings.h"

#include <vector>

/// A growable array of strings indexed from 0; its upper bound is -1 when it is empty. An index out of
/// range raises OutOfBoundsException.
class StringArray {
public:
    StringArray() = default;
    StringArray(std::initializer_list<String> items) : m_Items(items) {}
    explicit StringArray(std::vector<String> items) : m_Items(std::move(items)) {}

    int64_t Ubound() const { return static_cast<int64_t>(m_Items.size()) - 1; }
    const String& operator[](int64_t i) const;
    String& operator[](int64_t i);
    void Append(String s) { m_Items.push_back(std::move(s)); }
    void Remove(int64_t i);
    /// Stable and case-insensitive (ASCII letters), so that words read alphabetically.
    void Sort();

    std::vector<String>& Items() { return m_Items; }
    const std::vector<String>& Items() const { return m_Items; }
    bool operator==(const StringArray& other) const { return m_Items == other.m_Items; }

private:
    void Check(int64_t i) const;

    std::vector<String> m_Items;
};

/// The pieces of the text between delimiters: n delimiters give n + 1 pieces, empty ones included.
/// An empty delimiter gives the whole text as one piece.
StringArray Split(const String& text, const String& delimiter);
StringArray Split(String&& text, const String& delimiter);
String Join(const StringArray& items, const String& delimiter);
