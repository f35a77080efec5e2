#include "mainwindow/WindowPrefs.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(WindowPrefsTest, LineGivesItsNumberAsA32BitInteger) {
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t highest = std::numeric_limits<int32_t>::max();
    struct Case {
        String line;
        int32_t value;
    };
    const Case cases[] = {
        {"476", 476},
        {"-120", -120},
        {"0", 0},
        {"", 0},
        {"junk", 0},
        {"  42", 42},
        {"12.9", 12},
        {"-12.9", -12},
        {"2147483647", highest},
        {"-2147483648", lowest},
        {"1e12", highest},
        {"-1e12", lowest},
        {"1e999", highest},
        {"-1e999", lowest},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowPrefs::Value(c.line), c.value) << c.line;
}

TEST(WindowPrefsTest, NotANumberBecomesZero) {
    EXPECT_EQ(WindowPrefs::RealToInt32(std::nan("")), 0);
}
