#include "StringArray.h"

#include "RuntimeException.h"

#include <algorithm>
#include <array>

namespace {

// Sorting a million words compares some twenty million pairs: a table lookup per byte keeps that
// free of allocation and of the locale.
const std::array<unsigned char, 256>& FoldTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (int c = 0; c < 256; ++c)
            folded[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return folded;
    }();
    return table;
}

bool LessIgnoringCase(const String& a, const String& b) {
    const auto& fold = FoldTable();
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = fold[static_cast<unsigned char>(a[i])];
        unsigned char y = fold[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

size_t CountOf(const String& text, const String& delimiter) {
    size_t count = 0;
    for (size_t found = text.find(delimiter); found != String::npos;
         found = text.find(delimiter, found + delimiter.size()))
        ++count;
    return count;
}

// The bounds of the piece that holds the text's middle byte: the only piece that can be as long as
// all the rest together.
std::pair<size_t, size_t> MiddlePiece(const String& text, char delimiter) {
    size_t middle = text.size() / 2;
    size_t before = text.rfind(delimiter, middle);
    size_t start = before == String::npos ? 0 : before + 1;
    size_t after = text.find(delimiter, start);
    return {start, after == String::npos ? text.size() : after};
}

// A piece that is most of the text keeps the text's own buffer, so that a file of one huge word is
// not held twice while it is split; a shorter one would keep a buffer far larger than itself.
StringArray SplitKeepingLongest(String&& text, const String& delimiter) {
    if (delimiter.size() != 1)
        return Split(static_cast<const String&>(text), delimiter);
    auto [start, end] = MiddlePiece(text, delimiter[0]);
    if (end - start < text.size() - (end - start))
        return Split(static_cast<const String&>(text), delimiter);
    // The pieces before end with an empty one, and those after start with one: the longest's place.
    std::vector<String> pieces = std::move(Split(text.substr(0, start), delimiter).Items());
    std::vector<String> after = std::move(Split(text.substr(end), delimiter).Items());
    text.erase(end);
    text.erase(0, start);
    pieces.back() = std::move(text);
    pieces.insert(pieces.end(), std::make_move_iterator(after.begin() + 1),
                  std::make_move_iterator(after.end()));
    return StringArray(std::move(pieces));
}

} // namespace

void StringArray::Check(int64_t i) const {
    if (i < 0 || i > Ubound())
        throw OutOfBoundsException("Index " + Str(i) + " is outside 0.." + Str(Ubound()) + ".");
}

const String& StringArray::operator[](int64_t i) const {
    Check(i);
    return m_Items[static_cast<size_t>(i)];
}

String& StringArray::operator[](int64_t i) {
    Check(i);
    return m_Items[static_cast<size_t>(i)];
}

void StringArray::Remove(int64_t i) {
    Check(i);
    m_Items.erase(m_Items.begin() + i);
}

void StringArray::Sort() {
    std::stable_sort(m_Items.begin(), m_Items.end(), LessIgnoringCase);
}

StringArray Split(const String& text, const String& delimiter) {
    std::vector<String> pieces;
    if (delimiter.empty()) {
        pieces.push_back(text);
        return StringArray(std::move(pieces));
    }
    pieces.reserve(CountOf(text, delimiter) + 1);
    size_t start = 0;
    for (size_t found = text.find(delimiter); found != String::npos; found = text.find(delimiter, start)) {
        pieces.emplace_back(text, start, found - start);
        start = found + delimiter.size();
    }
    pieces.emplace_back(text, start, String::npos);
    return StringArray(std::move(pieces));
}

StringArray Split(String&& text, const String& delimiter) {
    if (!delimiter.empty() && text.find(delimiter) != String::npos)
        return SplitKeepingLongest(std::move(text), delimiter);
    std::vector<String> whole;
    whole.push_back(std::move(text));
    return StringArray(std::move(whole));
}

String Join(const StringArray& items, const String& delimiter) {
    const auto& all = items.Items();
    if (all.empty())
        return String();
    size_t size = delimiter.size() * (all.size() - 1);
    for (const auto& item : all)
        size += item.size();
    String joined;
    joined.reserve(size);
    joined += all.front();
    for (size_t i = 1; i < all.size(); ++i) {
        joined += delimiter;
        joined += all[i];
    }
    return joined;
}
