#pragma once

#include "DictionaryFile.h"
#include "FileStamp.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

/// A dictionary file as Wordloom last read or wrote it, kept so that a save can tell what another
/// program changed in the file since: the file's stamp and a hash of each word. At 8 bytes a word it
/// costs a fraction of what a copy of the words would.
///
/// Words are counted as a multiset. For a word that the snapshot holds b times, the file now d times
/// and the word list l times, the list ends up holding it
///   - min(d, l) times when neither side added copies (a copy removed on both sides is removed once),
///   - max(d, l) times when neither side removed copies (a copy added on both sides is added once),
///   - l + d - b times, never fewer than 0, when one side added and the other removed,
/// and never fewer times than the rows of it that the user added or edited since the last save: a
/// word the user typed is never taken out.
class DictionarySnapshot {
public:
    /// The word list's edits that bring another program's changes into it.
    struct Changes {
        /// Rows to remove, from the last to the first, so that each index still holds when it is removed.
        std::vector<int64_t> RowsToRemove;
        /// Words to append, in the order of the file, as views into its bytes.
        std::vector<std::string_view> WordsToAdd;
    };

    /// The word list as the merge sees it.
    struct ListRows {
        int64_t Count = 0;
        DictionaryFile::WordAt Word;
        /// True for a row that the user added or edited since the last save.
        std::function<bool(int64_t)> Own;
    };

    /// Empty, with room for that many words.
    explicit DictionarySnapshot(int64_t words = 0);
    /// Of `count` words that `word` gives by index, in a file of that stamp taken at `takenAtNs`
    /// (nullopt for a file that is not there).
    DictionarySnapshot(std::optional<FileStamp> stamp, int64_t takenAtNs, int64_t count,
                       const DictionaryFile::WordAt& word);

    /// The words of a piece of the file's bytes that ends after a delimiter, for a snapshot taken
    /// while the file is written.
    void AddWordsOf(std::string_view piece);
    /// The words of another snapshot too, which is left empty, with its room kept for more.
    void Take(DictionarySnapshot& other);
    int64_t Count() const { return static_cast<int64_t>(m_Hashes.size()); }
    /// The stamp of the file once it holds the words added, taken at `takenAtNs` (nullopt for a file
    /// that is not there); trusted only when no write can hide in it.
    void Stamp(std::optional<FileStamp> stamp, int64_t takenAtNs);
    /// A stamp that shows every change made to the file since it held the words added.
    void StampExact(const FileStamp& stamp);
    /// Nothing is known of the stamp of the file that holds the words: the next save reads it.
    void ForgetStamp() { m_Trusted = false; }

    /// True when the bytes hold the snapshot's words, no more and no fewer.
    bool Holds(std::string_view bytes) const;
    /// True when the file's stamp now tells that nobody wrote the file since the snapshot, so that it
    /// need not be read.
    bool Unchanged(const std::optional<FileStamp>& now) const { return m_Trusted && now == m_Stamp; }
    /// The changes between the snapshot and the file's bytes now, to apply to the word list. The
    /// snapshot then is one of the file as it is now, of `stamp` taken at `takenAtNs`, so that a later
    /// save, also after this one failed to write, takes each change once.
    Changes ChangesTo(std::optional<FileStamp> stamp, int64_t takenAtNs, std::string_view bytes,
                      const ListRows& list);
    /// Only the words that the bytes added, of a file caught while another program wrote it, or of one
    /// that may be a rewrite that died half-way: a word missing there may not be written yet. The
    /// snapshot then holds the words added too, so that each is taken once, and no stamp.
    Changes AdditionsIn(std::string_view bytes, const ListRows& list);

private:
    void Sort();
    Changes Merge(const std::vector<uint64_t>& disk, std::string_view bytes, const ListRows& list,
                  bool removals) const;

    std::optional<FileStamp> m_Stamp;
    bool m_Trusted = true;
    /// One entry for each word, duplicates included; sorted only once a save compares them, as most
    /// saves find the file unchanged and need no order.
    std::vector<uint64_t> m_Hashes;
    bool m_Sorted = false;
};
