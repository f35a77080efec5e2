#pragma once

#include "DictionaryFile.h"
#include "FileStamp.h"

#include <optional>
#include <string_view>
#include <vector>

/// A dictionary file as Wordloom last read or wrote it, kept so that a save can tell what another
/// program changed in the file since: the file's stamp and a hash of each word. At 8 bytes a word it
/// costs a fraction of what a copy of the words would.
///
/// Words are counted as a multiset. For a word that the snapshot holds b times, the file now d times
/// and the word list l times, a file that gained copies (d > b) adds d - max(b, l) of them to the list
/// when that is more than 0, so that a word that both sides added is not doubled; a file that lost
/// copies (d < b) takes min(l, b - d) of them out of the list, so that a word the list no longer holds
/// (deleted or edited there) is not taken twice.
class DictionarySnapshot {
public:
    /// The word list's edits that bring another program's changes into it.
    struct Changes {
        /// Rows to remove, from the last to the first, so that each index still holds when it is removed.
        std::vector<int64_t> RowsToRemove;
        /// Words to append, in the order of the file, as views into its bytes.
        std::vector<std::string_view> WordsToAdd;
    };

    /// Empty, with room for that many words.
    explicit DictionarySnapshot(int64_t words = 0);
    /// Of `count` words that `word` gives by index; `stamp` is nullopt for a file that is not there.
    DictionarySnapshot(std::optional<FileStamp> stamp, int64_t count, const DictionaryFile::WordAt& word);

    /// One more word of the file, for a snapshot taken while the file is written.
    void Add(std::string_view word);
    /// The stamp of the file, once it holds the words added; nullopt for a file that is not there.
    void Stamp(std::optional<FileStamp> stamp) { m_Stamp = stamp; }

    /// True when the file's stamp is still the one taken: nobody wrote the file since, and it need not
    /// be read.
    bool Unchanged(const std::optional<FileStamp>& now) const { return now == m_Stamp; }
    /// The changes between the snapshot and the file's bytes now, applied to the word list of `count`
    /// rows that `row` gives by index. The snapshot then is one of the file as it is now, with its
    /// stamp, so that a later save, also after this one failed to write, takes each change once.
    Changes ChangesTo(std::optional<FileStamp> stamp, std::string_view bytes, int64_t count,
                      const DictionaryFile::WordAt& row);

private:
    std::optional<FileStamp> m_Stamp;
    /// One entry for each word, duplicates included; sorted once a save needs them.
    std::vector<uint64_t> m_Hashes;
};
