#pragma once

#include "Strings.h"

#include <span>

class BinaryStream;
class DictionarySnapshot;

/// The writing of a dictionary's words into its file, apart from any window.
namespace DictionaryWriter {
/// Writes every word followed by the delimiter, as DictionaryFile::Bytes makes them, into a stream
/// made by BinaryStream::Create, and gives back the snapshot of the words as written, without a stamp.
/// Raises IOException when writing fails.
DictionarySnapshot Write(std::span<const String> words, const String& delimiter, BinaryStream& stream);
} // namespace DictionaryWriter
