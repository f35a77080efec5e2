#include "Dictionary.h"

#include "RuntimeException.h"

#include <gtest/gtest.h>

TEST(DictionaryTest, KeysKeepTheOrderInWhichTheyWereFirstSet) {
    Dictionary form;
    form.Value("app", "wordloom");
    form.Value("version", "1.0");
    form.Value("stack", "...");
    form.Value("app", "renamed");
    ASSERT_EQ(form.Count(), 3);
    EXPECT_EQ(form.Key(0), "app");
    EXPECT_EQ(form.Key(1), "version");
    EXPECT_EQ(form.Key(2), "stack");
    EXPECT_EQ(form.Value("app"), "renamed");
}

TEST(DictionaryTest, MissingKeyRaises) {
    Dictionary form;
    form.Value("app", "wordloom");
    EXPECT_TRUE(form.HasKey("app"));
    EXPECT_FALSE(form.HasKey("App"));
    EXPECT_THROW(form.Value("App"), KeyNotFoundException);
    EXPECT_THROW(form.Key(1), OutOfBoundsException);
    EXPECT_THROW(form.Key(-1), OutOfBoundsException);
}
