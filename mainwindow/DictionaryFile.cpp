#include "DictionaryFile.h"

namespace {

// A well-formed file ends with a delimiter, after which Split leaves an empty piece. A piece that
// is not empty is a last word whose delimiter is missing, and it is a word like the others.
void DropFinalEmptyPiece(StringArray& pieces) {
    if (pieces.Ubound() >= 0 && pieces[pieces.Ubound()].empty())
        pieces.Remove(pieces.Ubound());
}

} // namespace

DictionaryFile DictionaryFile::Parse(String&& bytes) {
    const String nul = Chr(0);
    const String lf = Chr(10);
    DictionaryFile file;
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
    size_t size = 0;
    for (const String& word : words.Items())
        size += word.size() + delimiter.size();
    String bytes;
    bytes.reserve(size);
    for (const String& word : words.Items()) {
        bytes += word;
        bytes += delimiter;
    }
    return bytes;
}
