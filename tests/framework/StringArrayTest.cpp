#include "StringArray.h"

#include "RuntimeException.h"

#include <gtest/gtest.h>

TEST(StringArrayTest, SplitKeepsEveryPieceBetweenDelimiters) {
    const String nul(1, '\0');
    struct Case {
        String text;
        String delimiter;
        StringArray pieces;
    };
    const Case cases[] = {
        {"cat" + nul + "dog" + nul, nul, {"cat", "dog", ""}},
        {"cat" + nul + nul + "dog" + nul, nul, {"cat", "", "dog", ""}},
        {nul, nul, {"", ""}},
        {"", nul, {""}},
        {"no delimiter", nul, {"no delimiter"}},
        {"cat\r\ndog\r\n", "\n", {"cat\r", "dog\r", ""}},
        {"a<>b<><>c", "<>", {"a", "b", "", "c"}},
        {"a,b", "", {"a,b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Split(c.text, c.delimiter), c.pieces) << c.text;
        EXPECT_EQ(Split(String(c.text), c.delimiter), c.pieces) << c.text;
    }
}

TEST(StringArrayTest, JoinUndoesSplit) {
    const String text = String("cat\0\0dog\0", 9);
    const String nul(1, '\0');
    EXPECT_EQ(Join(Split(text, nul), nul), text);
    EXPECT_EQ(Join(StringArray(), ","), "");
    EXPECT_EQ(Join({"one"}, ","), "one");
}

TEST(StringArrayTest, UboundIsMinusOneWhenEmpty) {
    StringArray items;
    EXPECT_EQ(items.Ubound(), -1);
    items.Append("word");
    EXPECT_EQ(items.Ubound(), 0);
}

TEST(StringArrayTest, IndexOutsideTheArrayRaises) {
    StringArray items{"a", "b"};
    const StringArray& constItems = items;
    EXPECT_THROW(items[2], OutOfBoundsException);
    EXPECT_THROW(items[-1], OutOfBoundsException);
    EXPECT_THROW(constItems[2], OutOfBoundsException);
    EXPECT_THROW(items.Remove(2), OutOfBoundsException);
    EXPECT_THROW(StringArray()[0], OutOfBoundsException);
}

TEST(StringArrayTest, RemoveTakesTheElementOut) {
    StringArray items{"cat", "dog", ""};
    items.Remove(items.Ubound());
    EXPECT_EQ(items, (StringArray{"cat", "dog"}));
    items.Remove(0);
    EXPECT_EQ(items, StringArray{"dog"});
}

TEST(StringArrayTest, SortIgnoresLetterCase) {
    StringArray items{"banana", "Apple", "cherry", "apricot", "Banana2", "\xC3\xA9t\xC3\xA9",
                      "",       "Zebra", "_x"};
    items.Sort();
    // "_" lies between the upper- and lower-case letters in byte order: folded, it comes before both.
    // Bytes above ASCII come after it.
    StringArray expected{"",        "_x",     "Apple", "apricot",          "banana",
                         "Banana2", "cherry", "Zebra", "\xC3\xA9t\xC3\xA9"};
    EXPECT_EQ(items, expected);
}

TEST(StringArrayTest, SortKeepsTheOrderOfWordsThatDifferOnlyInCase) {
    StringArray items{"the", "The", "a", "THE", "tHe", "A"};
    items.Sort();
    EXPECT_EQ(items, (StringArray{"a", "A", "the", "The", "THE", "tHe"}));
}
