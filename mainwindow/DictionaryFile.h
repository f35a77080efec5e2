#pragma once

#include "StringArray.h"

/// The words of a custom dictionary file and the delimiter that ends each of them. The file is a
/// run of words, each followed by its delimiter byte: NUL, or LF in a file that holds no NUL at all.
struct DictionaryFile {
    StringArray Words;
    String Delimiter;

    /// The words of the file's bytes, sorted alphabetically. A last word without its delimiter is
    /// kept, so that a save writes it back.
    static DictionaryFile Parse(String&& bytes);
    /// Every word followed by the delimiter, the last one too.
    static String Bytes(const StringArray& words, const String& delimiter);
};
