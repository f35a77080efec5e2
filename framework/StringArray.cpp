#include "StringArray.h"

#include "RuntimeException.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <numeric>
#include <system_error>
#include <thread>

namespace {

// Sorting a million words compares some twenty million pairs: a table lookup per byte keeps that
// free of allocation and of the locale.
const std::array<unsigned char, 256>& FoldTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (int c = 0; c < 256; ++c)
            folded[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return folded;
    }();
    return table;
}

// Compares the bytes from `from` on, and then the lengths; the caller knows that the bytes before it
// are equal when folded.
int CompareIgnoringCaseFrom(const String& a, const String& b, size_t from) {
    const auto& fold = FoldTable();
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = from; i < common; ++i) {
        const unsigned char x = fold[static_cast<unsigned char>(a[i])];
        const unsigned char y = fold[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// A word's place in the sort: its first folded bytes as one number, so that nearly every comparison is
// one integer comparison instead of a loop over two strings in memory far apart. The row settles ties,
// which keeps the order stable however the records are sorted.
struct SortRecord {
    uint64_t Key;
    size_t Row;
};

constexpr size_t kKeyBytes = sizeof(uint64_t);

// Big-endian, so that the numbers order as the bytes do; a word shorter than the key pads with zeros,
// as a NUL byte would, and the full comparison tells the two apart.
uint64_t FoldedKey(const String& word) {
    const auto& fold = FoldTable();
    const size_t bytes = std::min(word.size(), kKeyBytes);
    uint64_t key = 0;
    for (size_t i = 0; i < kKeyBytes; ++i)
        key = key << 8 | (i < bytes ? fold[static_cast<unsigned char>(word[i])] : 0);
    return key;
}

class RecordOrder {
public:
    explicit RecordOrder(const std::vector<String>& words) : m_Words(words) {}

    bool operator()(const SortRecord& a, const SortRecord& b) const {
        if (a.Key != b.Key)
            return a.Key < b.Key;
        const int order = CompareIgnoringCaseFrom(m_Words[a.Row], m_Words[b.Row], kKeyBytes);
        return order != 0 ? order < 0 : a.Row < b.Row;
    }

private:
    const std::vector<String>& m_Words;
};

// Below this many words per part, starting a thread costs more than it saves.
constexpr size_t kLeastWordsPerPart = 1 << 15;

// How many words ahead the permutation asks for the memory that it will touch.
constexpr size_t kPrefetchDistance = 16;

size_t PartsFor(size_t words) {
    const size_t cores = std::max<size_t>(std::thread::hardware_concurrency(), 1);
    return std::clamp<size_t>(words / kLeastWordsPerPart, 1, cores);
}

// Runs task(0) .. task(count - 1) at the same time; a thread that cannot be started leaves its task
// to this one.
void RunInParallel(size_t count, const std::function<void(size_t)>& task) {
    std::vector<std::jthread> threads;
    threads.reserve(count);
    for (size_t i = 1; i < count; ++i) {
        try {
            threads.emplace_back(task, i);
        } catch (const std::system_error&) {
            task(i);
        }
    }
    task(0);
}

// Part i of an array is [bounds[i], bounds[i + 1]).
using PartBounds = std::vector<size_t>;

PartBounds EvenParts(size_t size) {
    const size_t parts = PartsFor(size);
    PartBounds bounds(parts + 1);
    for (size_t i = 0; i <= parts; ++i)
        bounds[i] = size * i / parts;
    return bounds;
}

// One round merges neighbouring parts in pairs, each pair on its own thread; an odd last part is
// copied as it is.
PartBounds MergeRound(std::vector<SortRecord>& from, std::vector<SortRecord>& to, const PartBounds& bounds,
                      const RecordOrder& order) {
    const size_t parts = bounds.size() - 1;
    RunInParallel((parts + 1) / 2, [&](size_t pair) {
        const size_t first = bounds[2 * pair], middle = bounds[std::min(2 * pair + 1, parts)],
                     last = bounds[std::min(2 * pair + 2, parts)];
        std::merge(from.begin() + first, from.begin() + middle, from.begin() + middle, from.begin() + last,
                   to.begin() + first, order);
    });
    PartBounds merged;
    for (size_t i = 0; i < parts; i += 2)
        merged.push_back(bounds[i]);
    merged.push_back(bounds.back());
    from.swap(to);
    return merged;
}

// Each part makes and sorts its own records on a thread of its own; the sorted parts are then merged.
std::vector<SortRecord> SortedRecords(const std::vector<String>& words) {
    const RecordOrder order(words);
    PartBounds bounds = EvenParts(words.size());
    std::vector<SortRecord> records(words.size());
    RunInParallel(bounds.size() - 1, [&](size_t part) {
        for (size_t row = bounds[part]; row < bounds[part + 1]; ++row)
            records[row] = {FoldedKey(words[row]), row};
        std::sort(records.begin() + bounds[part], records.begin() + bounds[part + 1], order);
    });
    if (bounds.size() == 2)
        return records;
    std::vector<SortRecord> buffer(words.size());
    while (bounds.size() > 2)
        bounds = MergeRound(records, buffer, bounds, order);
    return records;
}

// Swaps each word into its place. Moving the words into a new array would hold them twice, and freeing
// the old one (just under 32 MiB for a million words) makes the allocator keep the list's rows that are
// allocated next: 20 MB more at the peak of a load. The rows to move are known ahead, so the memory for
// those to come is asked for early and the cache misses overlap instead of following one another.
void Permute(std::vector<String>& words, const std::vector<SortRecord>& sorted) {
    const size_t n = words.size();
    // Where the word of each original row is now, and the original row of the word at each place.
    std::vector<size_t> position(n), occupant(n);
    std::iota(position.begin(), position.end(), 0);
    std::iota(occupant.begin(), occupant.end(), 0);
    for (size_t at = 0; at < n; ++at) {
        if (at + kPrefetchDistance < n) {
            __builtin_prefetch(&position[sorted[at + kPrefetchDistance].Row]);
            __builtin_prefetch(&position[occupant[at + kPrefetchDistance]]);
        }
        if (at + kPrefetchDistance / 2 < n)
            __builtin_prefetch(&words[position[sorted[at + kPrefetchDistance / 2].Row]]);
        const size_t from = position[sorted[at].Row];
        if (from == at)
            continue;
        const size_t displaced = occupant[at];
        std::swap(words[at], words[from]);
        position[displaced] = from;
        occupant[from] = displaced;
    }
}

size_t CountOf(const String& text, const String& delimiter) {
    size_t count = 0;
    for (size_t found = text.find(delimiter); found != String::npos;
         found = text.find(delimiter, found + delimiter.size()))
        ++count;
    return count;
}

} // namespace

void StringArray::Check(int64_t i) const {
    if (i < 0 || i > Ubound())
        throw OutOfBoundsException("Index " + Str(i) + " is outside 0.." + Str(Ubound()) + ".");
}

const String& StringArray::operator[](int64_t i) const {
    Check(i);
    return m_Items[static_cast<size_t>(i)];
}

String& StringArray::operator[](int64_t i) {
    Check(i);
    return m_Items[static_cast<size_t>(i)];
}

void StringArray::Remove(int64_t i) {
    Check(i);
    m_Items.erase(m_Items.begin() + i);
}

void StringArray::Sort() {
    Permute(m_Items, SortedRecords(m_Items));
}

StringArray Split(const String& text, const String& delimiter) {
    std::vector<String> pieces;
    if (delimiter.empty()) {
        pieces.push_back(text);
        return StringArray(std::move(pieces));
    }
    pieces.reserve(CountOf(text, delimiter) + 1);
    size_t start = 0;
    for (size_t found = text.find(delimiter); found != String::npos; found = text.find(delimiter, start)) {
        pieces.emplace_back(text, start, found - start);
        start = found + delimiter.size();
    }
    pieces.emplace_back(text, start, String::npos);
    return StringArray(std::move(pieces));
}

StringArray Split(String&& text, const String& delimiter) {
    if (!delimiter.empty() && text.find(delimiter) != String::npos)
        return Split(static_cast<const String&>(text), delimiter);
    std::vector<String> whole;
    whole.push_back(std::move(text));
    return StringArray(std::move(whole));
}

String Join(const StringArray& items, const String& delimiter) {
    const auto& all = items.Items();
    if (all.empty())
        return String();
    size_t size = delimiter.size() * (all.size() - 1);
    for (const auto& item : all)
        size += item.size();
    String joined;
    joined.reserve(size);
    joined += all.front();
    for (size_t i = 1; i < all.size(); ++i) {
        joined += delimiter;
        joined += all[i];
    }
    return joined;
}
