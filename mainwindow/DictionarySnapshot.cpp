#include "DictionarySnapshot.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <xxhash.h>

namespace {

// Drawn anew each run, so that nobody can make up two words of one hash: the snapshot lives only in
// memory, and nothing needs the same hash twice across runs.
uint64_t Seed() {
    static const uint64_t seed = [] {
        std::random_device device;
        return static_cast<uint64_t>(device()) << 32 | device();
    }();
    return seed;
}

// Two different words of one hash count as one word; at 64 bits that is about one chance in ten
// million for a dictionary of a million words.
uint64_t Hash(std::string_view word) {
    return XXH3_64bits_withSeed(word.data(), word.size(), Seed());
}

// A word whose count differs between the snapshot and the file.
struct Delta {
    uint64_t hash = 0;
    int64_t base = 0, disk = 0, list = 0, own = 0;
    int64_t toRemove = 0, toAdd = 0;

    bool operator<(uint64_t other) const { return hash < other; }
};

int64_t Merged(const Delta& delta) {
    const int64_t b = delta.base, d = delta.disk, l = delta.list;
    if (d <= b && l <= b)
        return std::min(d, l);
    if (d >= b && l >= b)
        return std::max(d, l);
    return std::max<int64_t>(0, l + d - b);
}

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

DictionarySnapshot::DictionarySnapshot(int64_t words) {
    m_Hashes.reserve(static_cast<size_t>(words));
}

DictionarySnapshot::DictionarySnapshot(std::optional<FileStamp> stamp, int64_t takenAtNs, int64_t count,
                                       const DictionaryFile::WordAt& word)
    : DictionarySnapshot(count) {
    for (int64_t i = 0; i < count; ++i)
        m_Hashes.push_back(Hash(word(i)));
    Stamp(stamp, takenAtNs);
}

void DictionarySnapshot::AddWordsOf(std::string_view piece) {
    DictionaryFile::ForEachWord(piece, [&](std::string_view word) { m_Hashes.push_back(Hash(word)); });
    m_Sorted = false;
}

void DictionarySnapshot::Take(DictionarySnapshot& other) {
    m_Hashes.insert(m_Hashes.end(), other.m_Hashes.begin(), other.m_Hashes.end());
    m_Sorted = false;
    other.m_Hashes.clear();
}

void DictionarySnapshot::Stamp(std::optional<FileStamp> stamp, int64_t takenAtNs) {
    m_Stamp = stamp;
    m_Trusted = !stamp || !stamp->IsRacy(takenAtNs);
}

void DictionarySnapshot::StampExact(const FileStamp& stamp) {
    m_Stamp = stamp;
    m_Trusted = true;
}

bool DictionarySnapshot::Holds(std::string_view bytes) const {
    std::vector<uint64_t> disk = SortedHashes(bytes);
    if (disk.size() != m_Hashes.size())
        return false;
    if (m_Sorted)
        return disk == m_Hashes;
    std::vector<uint64_t> known = m_Hashes;
    std::sort(known.begin(), known.end());
    return disk == known;
}

DictionarySnapshot::Changes DictionarySnapshot::ChangesTo(std::optional<FileStamp> stamp, int64_t takenAtNs,
                                                          std::string_view bytes, const ListRows& list) {
    Sort();
    std::vector<uint64_t> disk = SortedHashes(bytes);
    Changes changes = Merge(disk, bytes, list, true);
    m_Hashes = std::move(disk);
    Stamp(stamp, takenAtNs);
    return changes;
}

DictionarySnapshot::Changes DictionarySnapshot::AdditionsIn(std::string_view bytes, const ListRows& list) {
    Sort();
    std::vector<uint64_t> disk = SortedHashes(bytes);
    Changes changes = Merge(disk, bytes, list, false);
    // Of sorted runs with duplicates, the union holds each word as often as the larger run does.
    std::vector<uint64_t> taken;
    taken.reserve(std::max(m_Hashes.size(), disk.size()));
    std::set_union(m_Hashes.begin(), m_Hashes.end(), disk.begin(), disk.end(), std::back_inserter(taken));
    m_Hashes = std::move(taken);
    ForgetStamp();
    return changes;
}

void DictionarySnapshot::Sort() {
    if (!m_Sorted)
        std::sort(m_Hashes.begin(), m_Hashes.end());
    m_Sorted = true;
}

DictionarySnapshot::Changes DictionarySnapshot::Merge(const std::vector<uint64_t>& disk,
                                                      std::string_view bytes, const ListRows& list,
                                                      bool removals) const {
    std::vector<Delta> deltas = Deltas(m_Hashes, disk);
    Changes changes;
    if (deltas.empty())
        return changes;
    // Rows of words that the file lost and that the user did not type, from which the copies to
    // remove are taken from the end.
    std::vector<int64_t> lost;
    for (int64_t i = 0; i < list.Count; ++i) {
        Delta* delta = Find(deltas, Hash(list.Word(i)));
        if (!delta)
            continue;
        ++delta->list;
        if (list.Own && list.Own(i))
            ++delta->own;
        else if (removals && delta->disk < delta->base)
            lost.push_back(i);
    }
    for (Delta& delta : deltas) {
        const int64_t merged = Merged(delta);
        delta.toRemove = std::max<int64_t>(0, delta.list - std::max(merged, delta.own));
        delta.toAdd = std::max<int64_t>(0, merged - delta.list);
    }
    for (auto i = lost.rbegin(); i != lost.rend(); ++i) {
        Delta* delta = Find(deltas, Hash(list.Word(*i)));
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
