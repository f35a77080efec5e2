#include "mainwindow/DictionarySnapshot.h"

#include <gtest/gtest.h>
#include <set>

using namespace std::string_literals;

namespace {

using Words = std::vector<String>;

// The list after another program turned the loaded words into the file's bytes; `typed` are the rows
// of the list that the user added or edited.
Words Merged(const Words& loaded, const String& file, Words list, const std::set<int64_t>& typed) {
    DictionarySnapshot snapshot(std::nullopt, 0, static_cast<int64_t>(loaded.size()),
                                [&](int64_t i) -> const String& { return loaded[i]; });
    DictionarySnapshot::ListRows rows{static_cast<int64_t>(list.size()),
                                      [&](int64_t i) -> const String& { return list[i]; },
                                      [&](int64_t i) { return typed.count(i) > 0; }};
    DictionarySnapshot::Changes changes = snapshot.ChangesTo(std::nullopt, 0, file, rows);
    for (int64_t row : changes.RowsToRemove)
        list.erase(list.begin() + row);
    for (std::string_view word : changes.WordsToAdd)
        list.emplace_back(word);
    return list;
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
    // Two words of one hash under a hash without a seed, which the user could have typed.
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
        {"renamed in the file to a word that once shared a hash",
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

TEST(DictionarySnapshotTest, TrustsAStampOnlyWhereNoWriteCanHideInIt) {
    constexpr int64_t kWritten = 1'700'000'000'000'000'000;
    const FileStamp stamp{1, 2, 10, kWritten, kWritten};
    const FileStamp grown{1, 2, 11, kWritten, kWritten};
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
        {"taken long after the write", stamp, kWritten + 60 * FileStamp::kGrainNs, stamp, true},
        {"taken just past a grain after the write", stamp, kWritten + FileStamp::kGrainNs, stamp, true},
        {"taken within a grain of the write", stamp, kWritten + FileStamp::kGrainNs - 1, stamp, false},
        {"taken in the tick of the write", stamp, kWritten, stamp, false},
        {"taken on a clock behind the file's", stamp, kWritten - FileStamp::kGrainNs, stamp, false},
        {"another stamp now", stamp, kWritten + 60 * FileStamp::kGrainNs, grown, false},
        {"no file then and now", std::nullopt, kWritten, std::nullopt, true},
        {"a file where there was none", std::nullopt, kWritten, stamp, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DictionarySnapshot snapshot(c.taken, c.takenAtNs, 1, word);
        EXPECT_EQ(snapshot.Unchanged(c.now), c.unchanged);
        snapshot.Unstamped();
        EXPECT_FALSE(snapshot.Unchanged(c.now));
    }
}
