#include "DictionarySnapshot.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint64_t kOdd0 = 0xa0761d6478bd642full, kOdd1 = 0xe7037ed1a0b428dbull;

uint64_t Mix(uint64_t a, uint64_t b) {
    unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
}

uint64_t Read8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

uint64_t Read4(const char* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Every save hashes each word it writes, so the hash is one that takes a word of a dictionary (most
// are under 16 bytes) in a few multiplications. Two different words of one hash would count as one
// word; at 64 bits that is about one chance in ten million for a dictionary of a million words.
uint64_t Hash(std::string_view word) {
    const char* p = word.data();
    const size_t n = word.size();
    uint64_t seed = kOdd0, a = 0, b = 0;
    if (n > 16) {
        size_t left = n;
        for (; left > 16; left -= 16, p += 16)
            seed = Mix(Read8(p) ^ kOdd1, Read8(p + 8) ^ seed);
        a = Read8(p + left - 16);
        b = Read8(p + left - 8);
    } else if (n >= 4) {
        const size_t middle = (n >> 3) << 2;
        a = Read4(p) << 32 | Read4(p + middle);
        b = Read4(p + n - 4) << 32 | Read4(p + n - 4 - middle);
    } else if (n > 0) {
        a = static_cast<uint64_t>(static_cast<unsigned char>(p[0])) << 16 |
            static_cast<uint64_t>(static_cast<unsigned char>(p[n >> 1])) << 8 |
            static_cast<unsigned char>(p[n - 1]);
    }
    return Mix(kOdd1 ^ n, Mix(a ^ kOdd1, b ^ seed));
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

DictionarySnapshot::DictionarySnapshot(int64_t words) {
    m_Hashes.reserve(static_cast<size_t>(words));
}

DictionarySnapshot::DictionarySnapshot(std::optional<FileStamp> stamp, int64_t count,
                                       const DictionaryFile::WordAt& word)
    : DictionarySnapshot(count) {
    for (int64_t i = 0; i < count; ++i)
        m_Hashes.push_back(Hash(word(i)));
    Stamp(stamp);
}

void DictionarySnapshot::Add(std::string_view word) {
    m_Hashes.push_back(Hash(word));
}

DictionarySnapshot::Changes DictionarySnapshot::ChangesTo(std::optional<FileStamp> stamp,
                                                          std::string_view bytes, int64_t count,
                                                          const DictionaryFile::WordAt& row) {
    // Sorted only here: most saves find the file unchanged, and sorting a million hashes would cost
    // every save and every load several times what the hashing does.
    std::sort(m_Hashes.begin(), m_Hashes.end());
    std::vector<uint64_t> disk = SortedHashes(bytes);
    std::vector<Delta> deltas = Deltas(m_Hashes, disk);
    m_Hashes = std::move(disk);
    m_Stamp = stamp;
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
