#include "mainwindow/SpellingService.h"

#include "Shell.h"

#include <gtest/gtest.h>

TEST(SpellingServiceTest, LabelIsTheTrimmedThirdTabFieldOfTheWholeListing) {
    struct Case {
        const char* name;
        String listing;
        String label;
    };
    const Case cases[] = {
        {"one line", "123\t0\tcom.apple.AppleSpell\n", "com.apple.AppleSpell"},
        {"blanks around it", "-\t0\t  com.apple.AppleSpell \r\n", "com.apple.AppleSpell"},
        {"more fields", "1\t0\tcom.apple.AppleSpell\textra\n", "com.apple.AppleSpell"},
        {"two fields", "123\tcom.apple.AppleSpell\n", ""},
        {"no tab", "com.apple.AppleSpell\n", ""},
        {"two lines", "1\t0\tcom.apple.AppleSpell\n2\t0\tcom.apple.AppleSpell.x\n",
         "com.apple.AppleSpell\n2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpellingService::LabelFromListing(c.listing), c.label) << c.name;
}

TEST(SpellingServiceTest, StopCommandQuotesTheLabel) {
    EXPECT_EQ(SpellingService::ListCommand(), "launchctl list | grep AppleSpell");
    EXPECT_EQ(SpellingService::StopCommand("com.apple.AppleSpell"), "launchctl stop 'com.apple.AppleSpell'");
    EXPECT_EQ(SpellingService::StopCommand(""), "launchctl stop ''");
}

TEST(SpellingServiceTest, QuotedTextReachesTheCommandAsOneUnchangedWord) {
    const String texts[] = {"",
                            "plain",
                            "two words",
                            "it's",
                            "''",
                            "x'; echo ran; '",
                            "$(echo ran)",
                            "`echo ran`",
                            "$HOME",
                            "a\\b",
                            "\"q\"",
                            "*",
                            "line\nbreak",
                            "tab\there",
                            "; echo ran #",
                            "-n",
                            "\xFF\xFE"};
    for (const String& text : texts) {
        Shell shell;
        shell.Execute("printf '%s|' " + SpellingService::ShellQuoted(text));
        EXPECT_EQ(shell.Result(), text + "|") << text;
    }
}
