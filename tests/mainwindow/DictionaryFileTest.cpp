#include "mainwindow/DictionaryFile.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DictionaryFileTest, FallsBackToLineFeedsExactlyWhenTheTextHoldsNoNul) {
    struct Case {
        String text;
        std::vector<String> words;
        String delimiter;
    };
    const Case cases[] = {
        {"\n", {""}, "\n"},
        {"\n\n", {"", ""}, "\n"},
        {"", {}, "\n"},
        {"\0"s, {""}, "\0"s},
        {"a\nb\0"s, {"a\nb"}, "\0"s},
        {"a\0b\n"s, {"a", "b\n"}, "\0"s},
        {"a\0\n"s, {"\n", "a"}, "\0"s},
        {"b\0a long word\0c\0"s, {"a long word", "b", "c"}, "\0"s},
        {"b\na long word"s, {"a long word", "b"}, "\n"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        DictionaryFile file = DictionaryFile::Parse(String(c.text));
        EXPECT_EQ(file.Words.Items(), c.words);
        EXPECT_EQ(file.Delimiter, c.delimiter);
    }
}

TEST(DictionaryFileTest, SortIgnoresCaseAndKeepsTheFileOrderOfEqualWords) {
    DictionaryFile file = DictionaryFile::Parse("b\0B\0a\0A\0b\0"s);
    EXPECT_EQ(file.Words.Items(), (std::vector<String>{"a", "A", "b", "B", "b"}));
}

TEST(DictionaryFileTest, EveryWordIsFollowedByTheDelimiter) {
    EXPECT_EQ(DictionaryFile::Bytes({}, "\0"s), "");
    EXPECT_EQ(DictionaryFile::Bytes({""}, "\0"s), "\0"s);
    EXPECT_EQ(DictionaryFile::Bytes({"cat", "", "dog"}, "\n"), "cat\n\ndog\n");
}
