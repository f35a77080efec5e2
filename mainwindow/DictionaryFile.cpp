#include "DictionaryFile.h"

#include <algorithm>
#include <string_view>

namespace {

char DelimiterOf(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos ? '\n' : '\0';
}

} // namespace

DictionaryFile DictionaryFile::Parse(String&& bytes) {
    DictionaryFile file;
    file.Foreign = IsForeign(bytes);
    file.Delimiter = String(1, DelimiterOf(bytes));
    std::vector<String>& words = file.Words.Items();
    words.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), file.Delimiter[0])) + 1);
    ForEachWord(bytes, [&](std::string_view word) { words.emplace_back(word); });
    // Freed before the sort, which takes as much memory again as the words.
    String().swap(bytes);
    file.Words.Sort();
    return file;
}

// The UTF-32 little-endian mark starts with the UTF-16 one. A UTF-8 mark is UTF-8 text like any other.
bool DictionaryFile::IsForeign(std::string_view bytes) {
    using namespace std::string_view_literals;
    for (std::string_view mark : {"\xFF\xFE"sv, "\xFE\xFF"sv, "\0\0\xFE\xFF"sv}) {
        if (bytes.starts_with(mark))
            return true;
    }
    return false;
}

// A well-formed file ends with a delimiter, after which nothing is left. What is left otherwise is a
// last word whose delimiter is missing, and it is a word like the others.
void DictionaryFile::ForEachWord(std::string_view bytes, const WordView& visit) {
    const char delimiter = DelimiterOf(bytes);
    size_t start = 0;
    for (size_t found = bytes.find(delimiter); found != std::string_view::npos;
         found = bytes.find(delimiter, start)) {
        visit(bytes.substr(start, found - start));
        start = found + 1;
    }
    if (start < bytes.size())
        visit(bytes.substr(start));
}

String DictionaryFile::Bytes(const StringArray& words, const String& delimiter) {
    String bytes;
    Serialize(
        words.Ubound() + 1, [&](int64_t i) -> const String& { return words[i]; }, delimiter,
        [&](String&& piece) { bytes += piece; });
    return bytes;
}

void DictionaryFile::Serialize(int64_t count, const WordAt& word, const String& delimiter,
                               const PieceSink& sink) {
    constexpr size_t kPieceSize = 1 << 20;
    String piece;
    piece.reserve(kPieceSize);
    for (int64_t i = 0; i < count; ++i) {
        piece += word(i);
        piece += delimiter;
        if (piece.size() < kPieceSize)
            continue;
        sink(std::move(piece));
        piece = String();
        piece.reserve(kPieceSize);
    }
    if (!piece.empty())
        sink(std::move(piece));
}
