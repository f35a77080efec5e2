#pragma once

#include "Strings.h"

#include <functional>

class TextInputStream;

/// The word-list text file that Import reads: one word per line, trimmed, empty lines skipped.
namespace WordListFile {
/// Hands each word of the stream to `word`, in file order. A NUL ends a word as a line end does,
/// so that no word carries one into a dictionary whose delimiter it would become.
void ReadWords(TextInputStream& input, const std::function<void(const String&)>& word);
} // namespace WordListFile
