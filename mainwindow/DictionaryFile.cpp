#include "DictionaryFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// memchr and memrchr go through a huge word many times faster than a loop over its bytes.
size_t CountOf(std::string_view bytes, char delimiter) {
    size_t count = 0;
    for (const char *at = bytes.data(), *end = at + bytes.size();
         (at = static_cast<const char*>(memchr(at, delimiter, static_cast<size_t>(end - at)))); ++at)
        ++count;
    return count;
}

size_t LastBefore(std::string_view bytes, size_t end, char delimiter) {
    const void* found = memrchr(bytes.data(), delimiter, end);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data())
                 : std::string_view::npos;
}

// The word that holds the middle byte is the only one that can be as long as all the others together;
// empty when it is not.
std::string_view WordHoldingMostOf(std::string_view bytes, char delimiter) {
    const size_t middle = bytes.size() / 2;
    const size_t before = LastBefore(bytes, middle, delimiter);
    const size_t start = before == std::string_view::npos ? 0 : before + 1;
    const size_t end = std::min(bytes.find(delimiter, start), bytes.size());
    if (end <= start || (end - start) * 2 < bytes.size())
        return {};
    return bytes.substr(start, end - start);
}

} // namespace

DictionaryFile DictionaryFile::Parse(String&& bytes) {
    DictionaryFile file;
    file.Foreign = IsForeign(bytes);
    const char delimiter = DelimiterOf(bytes);
    file.Delimiter = String(1, delimiter);
    std::vector<String>& words = file.Words.Items();
    words.reserve(CountOf(bytes, delimiter) + 1);
    const std::string_view longest = WordHoldingMostOf(bytes, delimiter);
    size_t longestAt = 0;
    ForEachWord(bytes, [&](std::string_view word) {
        const bool isLongest = !longest.empty() && word.data() == longest.data();
        if (isLongest)
            longestAt = words.size();
        words.emplace_back(isLongest ? std::string_view() : word);
    });
    // A word that is most of the file keeps the file's own buffer, so that a file of one huge word is
    // not held twice; otherwise the bytes are freed before the sort, which takes as much memory again.
    if (longest.empty()) {
        String().swap(bytes);
    } else {
        const size_t start = static_cast<size_t>(longest.data() - bytes.data());
        bytes.erase(start + longest.size());
        bytes.erase(0, start);
        words[longestAt] = std::move(bytes);
    }
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

char DictionaryFile::DelimiterOf(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos ? '\n' : '\0';
}

bool DictionaryFile::LooksHalfWritten(std::string_view bytes, bool heldWords) {
    if (bytes.empty())
        return heldWords;
    return bytes.back() != '\0' && bytes.find('\0') != std::string_view::npos;
}

std::string_view DictionaryFile::WholeWords(std::string_view bytes) {
    const size_t last = bytes.rfind(DelimiterOf(bytes));
    return bytes.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

String DictionaryFile::Bytes(const StringArray& words, const String& delimiter) {
    String bytes;
    Serialize(words.Items(), delimiter, [&](String&& piece) { bytes += piece; });
    return bytes;
}

void DictionaryFile::Serialize(std::span<const String> words, const String& delimiter,
                               const PieceSink& sink) {
    // Small enough to be made again in the room that the last one left.
    constexpr size_t kPieceSize = 1 << 16;
    // Filled by copies into room made once: appending to a string costs a call and a check of its
    // room for every word, as much as the rest of a save together.
    String piece;
    size_t used = 0;
    for (const String& word : words) {
        const size_t size = word.size() + delimiter.size();
        if (used + size > piece.size()) {
            if (used > 0) {
                piece.resize(used);
                sink(std::move(piece));
            }
            piece = String(std::max(kPieceSize, size), '\0');
            used = 0;
        }
        std::memcpy(piece.data() + used, word.data(), word.size());
        std::memcpy(piece.data() + used + word.size(), delimiter.data(), delimiter.size());
        used += size;
    }
    if (used == 0)
        return;
    piece.resize(used);
    sink(std::move(piece));
}
