#pragma once

#include "FileStamp.h"
#include "Ref.h"
#include "Strings.h"

#include <optional>

class DictionarySnapshot;
class FolderItem;

/// A dictionary file as a save finds it, while another program may be writing it: its bytes, read
/// between two equal stamps, and read again after a pause while they look like a write caught in the
/// middle.
struct DiskDictionary {
    enum class Kind {
        /// No file is there.
        Missing,
        /// The file is there but will not open.
        Unreadable,
        /// The file starts with a UTF-16 or UTF-32 byte-order mark: its words are unknown.
        Foreign,
        /// The bytes are the whole file as it stood, of Stamp.
        Whole,
        /// The bytes are the whole file, which stayed as it was through the reads but still looks like
        /// a write caught in the middle: empty where there were words, or with a last word without
        /// its NUL. Every word counts, as a load counts it, but a word it lacks may be part of a
        /// rewrite that died half-way.
        Unended,
        /// The file was still changing when the reading gave up. Bytes then end at its last delimiter:
        /// what follows may be a word cut short.
        HalfWritten,
    };

    Kind Found = Kind::Missing;
    String Bytes;
    /// The stamp that the file had while it was read, taken at TakenAtNs.
    std::optional<FileStamp> Stamp;
    int64_t TakenAtNs = 0;

    /// The file, read as often as it takes to find it settled, for about two seconds at most. Bytes
    /// that hold the words of the snapshot `known` are whole whatever they look like: they are what
    /// was loaded or saved.
    static DiskDictionary Read(const Ref<FolderItem>& file, const DictionarySnapshot& known);
};
