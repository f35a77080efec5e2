#pragma once

#include "StringArray.h"

#include <functional>
#include <span>
#include <string_view>

/// The words of a custom dictionary file and the delimiter that ends each of them. The file is a
/// run of words, each followed by its delimiter byte: NUL, or LF in a file that holds no NUL at all.
struct DictionaryFile {
    StringArray Words;
    String Delimiter;
    /// The bytes start with a UTF-16 or UTF-32 byte-order mark: a text of another kind, whose words
    /// are only fragments, and which a save would destroy.
    bool Foreign = false;

    /// The words of the file's bytes, sorted alphabetically. A last word without its delimiter is
    /// kept, so that a save writes it back.
    static DictionaryFile Parse(String&& bytes);
    /// True for bytes that start with a UTF-16 or UTF-32 byte-order mark.
    static bool IsForeign(std::string_view bytes);
    /// NUL, or LF for bytes that hold no NUL at all.
    static char DelimiterOf(std::string_view bytes);
    /// True for bytes that a write in progress leaves: none where the file held words, or NUL-delimited
    /// words of which the last has no NUL yet. A line-feed file without a last line feed is common and
    /// whole.
    static bool LooksHalfWritten(std::string_view bytes, bool heldWords);
    /// The bytes up to and with the last delimiter: what follows may be a word cut short.
    static std::string_view WholeWords(std::string_view bytes);
    /// The words of the file's bytes as Parse finds them, in file order, as views into the bytes. A
    /// template, so that the visit of each of a million words costs no call.
    template <class Visit> static void ForEachWord(std::string_view bytes, Visit&& visit);
    using WordAt = std::function<const String&(int64_t)>;
    using PieceSink = std::function<void(String&&)>;

    /// Every word followed by the delimiter, the last one too.
    static String Bytes(const StringArray& words, const String& delimiter);
    /// The same bytes, handed to `sink` in pieces of at most 64 KiB (or of one longer word), each
    /// ending after a delimiter: a dictionary is written without a copy of its words or of the whole
    /// file.
    static void Serialize(std::span<const String> words, const String& delimiter, const PieceSink& sink);
};

// A well-formed file ends with a delimiter, after which nothing is left. What is left otherwise is a
// last word whose delimiter is missing, and it is a word like the others.
template <class Visit> void DictionaryFile::ForEachWord(std::string_view bytes, Visit&& visit) {
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
