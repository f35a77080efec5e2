#include "mainwindow/DictionarySnapshot.h"

#include <gtest/gtest.h>
#include <set>

using namespace std::string_literals;

namespace {

using Words = std::vector<String>;

DictionarySnapshot SnapshotOf(const Words& words) {
    return DictionarySnapshot(std::nullopt, 0, static_cast<int64_t>(words.size()),
                              [&](int64_t i) -> const String& { return words[i]; });
}

// The list after the changes; `typed` are the rows of the list that the user added or edited.
Words Applied(DictionarySnapshot& snapshot, const String& file, Words list, bool removals,
              const std::set<int64_t>& typed = {}) {
    DictionarySnapshot::ListRows rows{static_cast<int64_t>(list.size()),
                                      [&](int64_t i) -> const String& { return list[i]; },
                                      [&](int64_t i) { return typed.count(i) > 0; }};
    DictionarySnapshot::Changes changes =
        removals ? snapshot.ChangesTo(std::nullopt, 0, file, rows) : snapshot.AdditionsIn(file, rows);
    Words result = list;
    for (int64_t row : changes.RowsToRemove)
        result.erase(result.begin() + row);
    for (std::string_view word : changes.WordsToAdd)
        result.emplace_back(word);
    return result;
}

// The list after another program turned the loaded words into the file's bytes.
Words Merged(const Words& loaded, const String& file, const Words& list, const std::set<int64_t>& typed) {
    DictionarySnapshot snapshot = SnapshotOf(loaded);
    return Applied(snapshot, file, list, true, typed);
}

} // namespace

TEST(DictionarySnapshotTest, KeepsTheChangesOfBothSides) {
    struct Case {
        const char* what;
        Words loaded;
        String file;
        Words list;
        Words merged;
        std::set<int64_t> typed = {};
    };
    const String renamed = "loom000020933206aardvarkrexqorzf", renamedTo = "loom000020933206zucchinirexqorzf";
    const Case cases[] = {
        {"added in the file", {"cat"}, "cat\0dog\0"s, {"cat", "emu"}, {"cat", "emu", "dog"}},
        {"removed in the file", {"cat", "dog"}, "dog\0"s, {"cat", "dog", "emu"}, {"dog", "emu"}},
        {"removed in the file, edited in the list", {"cat", "dog"}, "dog\0"s, {"cot", "dog"}, {"cot", "dog"}},
        {"added on both sides", {"cat"}, "cat\0dog\0"s, {"cat", "dog"}, {"cat", "dog"}},
        {"removed on both sides", {"cat", "dog"}, "dog\0"s, {"dog"}, {"dog"}},
        {"the same copy removed on both sides", {"a", "a", "b"}, "a\0b\0"s, {"a", "b"}, {"a", "b"}},
        {"removed in the file, deleted and typed again in the list",
         {"apple", "banana", "cherry"},
         "apple\0cherry\0"s,
         {"apple", "cherry", "banana"},
         {"apple", "cherry", "banana"},
         {2}},
        {"renamed in the file to a word of the same length, start and end",
         {renamed},
         renamedTo + '\0',
         {renamed},
         {renamedTo}},
        {"rewritten with the same words", {"cat", "dog"}, "dog\ncat\n", {"emu"}, {"emu"}},
        {"duplicates", {"a", "a", "b"}, "a\0b\0b\0b\0"s, {"a", "a", "a", "b"}, {"a", "a", "b", "b", "b"}},
        {"all removed", {"a", "b"}, "", {"b", "a", "c"}, {"c"}},
        {"words that differ in one byte",
         {"ab", String(40, 'x')},
         "abc\0ab\0"s + String(20, 'x') + 'y' + String(19, 'x') + '\0',
         {"ab", String(40, 'x')},
         {"ab", "abc", String(20, 'x') + 'y' + String(19, 'x')}},
        {"an empty word and a last word without delimiter", {}, "\nx", {}, {"", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Merged(c.loaded, c.file, c.list, c.typed), c.merged);
    }
}

// The user deleted the one copy of "w" that was loaded, and another program added a copy: a save that
// found the file half-written took that copy in, and its next try, which finds the file whole, must
// not take it again.
TEST(DictionarySnapshotTest, TakesAnAdditionOnceAcrossTries) {
    DictionarySnapshot snapshot = SnapshotOf({"w", "x"});
    const Words list = Applied(snapshot, "w\0w\0x\0y"s, {"x"}, false);
    EXPECT_EQ(list, (Words{"x", "w", "y"}));
    EXPECT_EQ(Applied(snapshot, "w\0w\0x\0y\0"s, list, true), list);
}

TEST(DictionarySnapshotTest, TrustsAStampOnlyWhereNoWriteCanHideInIt) {
    constexpr int64_t kWritten = 1'700'000'000'000'000'000;
    constexpr int64_t kGrain = 4'000'000;
    const FileStamp stamp{1, 2, 10, kWritten, kWritten, kGrain};
    const FileStamp grown{1, 2, 11, kWritten, kWritten, kGrain};
    // Copied over in place with its times kept, just before the load: only the change time is new.
    const FileStamp copiedBack{1, 2, 10, kWritten - 3600 * FileStamp::kCoarseGrainNs, kWritten, kGrain};
    auto word = [](int64_t) -> const String& {
        static const String cat = "cat";
        return cat;
    };
    struct Case {
        const char* what;
        std::optional<FileStamp> taken;
        int64_t takenAtNs;
        std::optional<FileStamp> now;
        bool unchanged;
    };
    const Case cases[] = {
        {"taken long after the write", stamp, kWritten + 60 * kGrain, stamp, true},
        {"taken just past a grain after the write", stamp, kWritten + kGrain, stamp, true},
        {"taken within a grain of the write", stamp, kWritten + kGrain - 1, stamp, false},
        {"taken in the tick of the write", stamp, kWritten, stamp, false},
        {"taken on a clock behind the file's", stamp, kWritten - kGrain, stamp, false},
        {"taken within a grain of a change that kept an old modification time", copiedBack,
         kWritten + kGrain - 1, copiedBack, false},
        {"another stamp now", stamp, kWritten + 60 * kGrain, grown, false},
        {"no file then and now", std::nullopt, kWritten, std::nullopt, true},
        {"a file where there was none", std::nullopt, kWritten, stamp, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DictionarySnapshot snapshot(c.taken, c.takenAtNs, 1, word);
        EXPECT_EQ(snapshot.Unchanged(c.now), c.unchanged);
        snapshot.ForgetStamp();
        EXPECT_FALSE(snapshot.Unchanged(c.now));
    }
}
