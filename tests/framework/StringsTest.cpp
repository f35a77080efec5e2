#include "Strings.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(StringsTest, LenCountsCharactersAndLenBBytes) {
    struct Case {
        String text;
        int64_t characters;
        int64_t bytes;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"cat", 3, 3},
        {"caf\xC3\xA9", 4, 5},       // é
        {"\xE2\x82\xAC", 1, 3},      // €
        {"\xF0\x9F\x98\x80!", 2, 5}, // an emoji beyond the basic plane
        {String("a\0b", 3), 3, 3},   // NUL is a character
        {"\xFF\xFE", 2, 2},          // bytes that start no sequence
        {"\xC3", 1, 1},              // a sequence cut short
        {"\xE2\x82z", 3, 3},         // a broken sequence: each byte counts
        {"\xC0\xAF", 2, 2},          // an overlong form is no character
        {"\xED\xA0\x80", 3, 3},      // nor is a surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Len(c.text), c.characters) << c.text;
        EXPECT_EQ(LenB(c.text), c.bytes) << c.text;
    }
}

TEST(StringsTest, ChrEncodesCodePointsAsUtf8) {
    EXPECT_EQ(Chr(0), String(1, '\0'));
    EXPECT_EQ(Chr(9), "\t");
    EXPECT_EQ(Chr(10), "\n");
    EXPECT_EQ(Chr(0xE9), "\xC3\xA9");
    EXPECT_EQ(Chr(0x20AC), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Chr(0xD800), "");
    EXPECT_EQ(Chr(0x110000), "");
}

TEST(StringsTest, StrWritesPlainDecimal) {
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(476), "476");
    EXPECT_EQ(Str(-40), "-40");
    EXPECT_EQ(Str(INT64_MIN), "-9223372036854775808");
}

TEST(StringsTest, TrimDropsWhiteSpaceAndControlsAtBothEndsOnly) {
    const std::pair<String, String> cases[] = {
        {"", ""},
        {"   ", ""},
        {"word", "word"},
        {"  word  ", "word"},
        {"\tword\r\n", "word"},
        {"two words", "two words"},
        {" a \t b ", "a \t b"},
        {String("\0word\0", 6), "word"},
        {"\xC3\xA9t\xC3\xA9 ", "\xC3\xA9t\xC3\xA9"},
    };
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(Trim(text), trimmed) << text;
}

TEST(StringsTest, ValReadsTheNumberAtTheStart) {
    const std::pair<String, double> cases[] = {
        {"", 0},       {"abc", 0},       {"12abc", 12},  {"-40", -40}, {" 7", 7},   {"\t 8", 8},   {"+5", 5},
        {"1e3", 1000}, {"2.5E-1", 0.25}, {"3.75", 3.75}, {".5", 0.5},  {"1e", 1},   {"1e+", 1},    {"-", 0},
        {"- 4", 0},    {"476\n", 476},   {"100\r", 100}, {"1,5", 1},   {"0x10", 0}, {"12 34", 12},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(Val(text), value) << text;
}

TEST(StringsTest, ValOfHugeNumbersSaturates) {
    EXPECT_TRUE(std::isinf(Val("1e999")));
    EXPECT_LT(Val("-1e999"), 0);
    EXPECT_EQ(Val("1e-999"), 0);
}

TEST(StringsTest, NthFieldCountsFromOne) {
    const String listing = "-\t0\tcom.example.Spell\n";
    struct Case {
        String text;
        String separator;
        int64_t n;
        String field;
    };
    const Case cases[] = {
        {listing, "\t", 1, "-"},
        {listing, "\t", 3, "com.example.Spell\n"},
        {listing, "\t", 4, ""},
        {listing, "\t", 0, ""},
        {listing, "\t", -1, ""},
        {"a::b::c", "::", 2, "b"},
        {"a,,c", ",", 2, ""},
        {"a,b,", ",", 3, ""},
        {"no separator", ",", 1, "no separator"},
        {"no separator", ",", 2, ""},
        {"a,b", "", 1, ""},
        {"", ",", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NthField(c.text, c.separator, c.n), c.field) << c.text << " field " << c.n;
}

TEST(StringsTest, EncodingsKeepTheBytes) {
    const String bytes("w\xFF\xFE\0rd\n", 7);
    EXPECT_EQ(DefineEncoding(bytes, Encodings::UTF8), bytes);
    EXPECT_EQ(ConvertEncoding(bytes, Encodings::UTF8), bytes);
}

TEST(StringsTest, InStrIsOneBased) {
    EXPECT_EQ(InStr("hello", "h"), 1);
    EXPECT_EQ(InStr("hello", "llo"), 3);
    EXPECT_EQ(InStr("hello", "x"), 0);
    EXPECT_EQ(InStr("hello", ""), 0);
    EXPECT_EQ(InStr("", "x"), 0);
}

TEST(StringsTest, ReplaceAllReplacesEveryOccurrence) {
    EXPECT_EQ(ReplaceAll("a b  c", " ", "+"), "a+b++c");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("x", "x", "xx"), "xx");
    EXPECT_EQ(ReplaceAll("abc", "", "-"), "abc");
    EXPECT_EQ(ReplaceAll("line\nline\n", EndOfLine(), "\r\n"), "line\r\nline\r\n");
}
