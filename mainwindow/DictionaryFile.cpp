#include "DictionaryFile.h"

#include <string_view>

namespace {

// A well-formed file ends with a delimiter, after which Split leaves an empty piece. A piece that
// is not empty is a last word whose delimiter is missing, and it is a word like the others.
void DropFinalEmptyPiece(StringArray& pieces) {
    if (pieces.Ubound() >= 0 && pieces[pieces.Ubound()].empty())
        pieces.Remove(pieces.Ubound());
}

// The UTF-32 little-endian mark starts with the UTF-16 one. A UTF-8 mark is UTF-8 text like any other.
bool StartsWithWideByteOrderMark(const String& bytes) {
    using namespace std::string_view_literals;
    for (std::string_view mark : {"\xFF\xFE"sv, "\xFE\xFF"sv, "\0\0\xFE\xFF"sv}) {
        if (bytes.starts_with(mark))
            return true;
    }
    return false;
}

} // namespace

DictionaryFile DictionaryFile::Parse(String&& bytes) {
    const String nul = Chr(0);
    const String lf = Chr(10);
    DictionaryFile file;
    file.Foreign = StartsWithWideByteOrderMark(bytes);
    file.Delimiter = nul;
    file.Words = Split(std::move(bytes), nul);
    // A text without NUL is one piece, the whole text, handed back untouched by the split.
    if (file.Words.Ubound() == 0) {
        String whole = std::move(file.Words[0]);
        file.Words = Split(std::move(whole), lf);
        file.Delimiter = lf;
    }
    DropFinalEmptyPiece(file.Words);
    file.Words.Sort();
    return file;
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
