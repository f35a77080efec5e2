#include "StringArray.h"

#include "RuntimeException.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

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

namespace {

bool FoldedLess(const String& a, const String& b) {
    auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return fold(x) < fold(y); });
}

} // namespace

TEST(StringArrayTest, SortMatchesAStableFoldedByteOrder) {
    struct Case {
        const char* what;
        std::vector<String> prefixes;
        String alphabet;
        size_t longestTail;
    };
    const Case cases[] = {
        {"letters in either case", {""}, "aAbBzZ", 10},
        {"prefixes longer than eight bytes", {"internation", "INTERNATION", "interNat", "inter"}, "aAlL", 4},
        {"bytes around the letters, NUL and above ASCII",
         {"", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},
         String("@[`{_\x80\xC3\xFF"
                "aA\0",
                11),
         9},
    };
    // Enough words for the sort to split them over several threads.
    constexpr size_t kWords = 100000;
    for (const auto& c : cases) {
        std::mt19937 random(7);
        std::uniform_int_distribution<size_t> prefix(0, c.prefixes.size() - 1);
        std::uniform_int_distribution<size_t> tail(0, c.longestTail);
        std::uniform_int_distribution<size_t> byte(0, c.alphabet.size() - 1);
        std::vector<String> words(kWords);
        for (String& word : words) {
            word = c.prefixes[prefix(random)];
            for (size_t n = tail(random); n > 0; --n)
                word += c.alphabet[byte(random)];
        }
        StringArray sorted{std::vector<String>(words)};
        sorted.Sort();
        std::stable_sort(words.begin(), words.end(), FoldedLess);
        const auto differs = std::mismatch(words.begin(), words.end(), sorted.Items().begin()).first;
        EXPECT_EQ(differs - words.begin(), static_cast<std::ptrdiff_t>(kWords)) << c.what;
    }
}
