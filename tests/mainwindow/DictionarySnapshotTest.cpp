#include "mainwindow/DictionarySnapshot.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

using Words = std::vector<String>;

// The list after another program turned the loaded words into the file's bytes.
Words Merged(const Words& loaded, const String& file, Words list) {
    DictionarySnapshot snapshot(std::nullopt, static_cast<int64_t>(loaded.size()),
                                [&](int64_t i) -> const String& { return loaded[i]; });
    DictionarySnapshot::Changes changes =
        snapshot.ChangesTo(std::nullopt, file, static_cast<int64_t>(list.size()),
                           [&](int64_t i) -> const String& { return list[i]; });
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
    };
    const Case cases[] = {
        {"added in the file", {"cat"}, "cat\0dog\0"s, {"cat", "emu"}, {"cat", "emu", "dog"}},
        {"removed in the file", {"cat", "dog"}, "dog\0"s, {"cat", "dog", "emu"}, {"dog", "emu"}},
        {"removed in the file, edited in the list", {"cat", "dog"}, "dog\0"s, {"cot", "dog"}, {"cot", "dog"}},
        {"added on both sides", {"cat"}, "cat\0dog\0"s, {"cat", "dog"}, {"cat", "dog"}},
        {"removed on both sides", {"cat", "dog"}, "dog\0"s, {"dog"}, {"dog"}},
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
        EXPECT_EQ(Merged(c.loaded, c.file, c.list), c.merged);
    }
}
