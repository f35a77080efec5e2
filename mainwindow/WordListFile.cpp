#include "WordListFile.h"

#include "TextInputStream.h"

namespace {

void TakeTrimmed(const String& piece, const std::function<void(const String&)>& word) {
    String trimmed = Trim(piece);
    if (!trimmed.empty())
        word(trimmed);
}

} // namespace

namespace WordListFile {

void ReadWords(TextInputStream& input, const std::function<void(const String&)>& word) {
    while (!input.AtEOF()) {
        String line = input.ReadLine(Encodings::UTF8);
        size_t start = 0;
        for (size_t nul; (nul = line.find('\0', start)) != String::npos; start = nul + 1)
            TakeTrimmed(line.substr(start, nul - start), word);
        line.erase(0, start);
        TakeTrimmed(line, word);
    }
}

} // namespace WordListFile
