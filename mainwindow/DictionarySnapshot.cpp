#include "DictionarySnapshot.h"

#include <algorithm>
#include <functional>

namespace {

// Two different words of one hash would count as one word; at 64 bits that is about one chance in
// ten million for a dictionary of a million words.
uint64_t Hash(std::string_view word) {
    return std::hash<std::string_view>{}(word);
}

// A word whose count differs between the snapshot and the file.
struct Delta {
    uint64_t hash = 0;
    int64_t base = 0, disk = 0, list = 0;
    int64_t toRemove = 0, toAdd = 0;

    bool operator<(uint64_t other) const { return hash < other; }
};

std::vector<uint64_t> SortedHashes(std::string_view bytes) {
    std::vector<uint64_t> hashes;
    DictionaryFile::ForEachWord(bytes, [&](std::string_view word) { hashes.push_back(Hash(word)); });
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

// Both sorted; walks them side by side, one run of equal hashes at a time.
std::vector<Delta> Deltas(const std::vector<uint64_t>& base, const std::vector<uint64_t>& disk) {
    std::vector<Delta> deltas;
    auto b = base.begin(), d = disk.begin();
    while (b != base.end() || d != disk.end()) {
        uint64_t hash = d == disk.end() || (b != base.end() && *b < *d) ? *b : *d;
        auto other = [hash](uint64_t h) { return h != hash; };
        auto bEnd = std::find_if(b, base.end(), other);
        auto dEnd = std::find_if(d, disk.end(), other);
        if (bEnd - b != dEnd - d)
            deltas.push_back({hash, bEnd - b, dEnd - d});
        b = bEnd;
        d = dEnd;
    }
    return deltas;
}

Delta* Find(std::vector<Delta>& deltas, uint64_t hash) {
    auto found = std::lower_bound(deltas.begin(), deltas.end(), hash);
    return found != deltas.end() && found->hash == hash ? &*found : nullptr;
}

} // namespace

DictionarySnapshot::DictionarySnapshot(std::optional<FileStamp> stamp, int64_t count,
                                       const DictionaryFile::WordAt& word)
    : m_Stamp(stamp) {
    m_Hashes.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        m_Hashes.push_back(Hash(word(i)));
    std::sort(m_Hashes.begin(), m_Hashes.end());
}

DictionarySnapshot::Changes DictionarySnapshot::ChangesTo(std::string_view bytes, int64_t count,
                                                          const DictionaryFile::WordAt& row) const {
    std::vector<Delta> deltas = Deltas(m_Hashes, SortedHashes(bytes));
    Changes changes;
    if (deltas.empty())
        return changes;
    // Rows of words that the file lost, from which the copies to remove are taken from the end.
    std::vector<int64_t> lost;
    for (int64_t i = 0; i < count; ++i) {
        Delta* delta = Find(deltas, Hash(row(i)));
        if (!delta)
            continue;
        ++delta->list;
        if (delta->disk < delta->base)
            lost.push_back(i);
    }
    for (Delta& delta : deltas) {
        delta.toRemove = delta.disk < delta.base ? std::min(delta.list, delta.base - delta.disk) : 0;
        delta.toAdd = std::max<int64_t>(0, delta.disk - std::max(delta.base, delta.list));
    }
    for (auto i = lost.rbegin(); i != lost.rend(); ++i) {
        Delta* delta = Find(deltas, Hash(row(*i)));
        if (delta->toRemove == 0)
            continue;
        --delta->toRemove;
        changes.RowsToRemove.push_back(*i);
    }
    DictionaryFile::ForEachWord(bytes, [&](std::string_view word) {
        Delta* delta = Find(deltas, Hash(word));
        if (!delta || delta->toAdd == 0)
            return;
        --delta->toAdd;
        changes.WordsToAdd.push_back(word);
    });
    return changes;
}
