#include "Shell.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// What this process writes to its standard error while `body` runs.
template <class Body> String WrittenToStandardError(Body body) {
    FILE* capture = std::tmpfile();
    int saved = dup(STDERR_FILENO);
    dup2(fileno(capture), STDERR_FILENO);
    body();
    dup2(saved, STDERR_FILENO);
    close(saved);
    String written;
    std::rewind(capture);
    for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture))
        written += static_cast<char>(c);
    std::fclose(capture);
    return written;
}

} // namespace

TEST(ShellTest, ResultIsTheWholeStandardOutput) {
    Shell shell;
    shell.Execute("printf 'one\\ttwo\\tthree\\n'");
    EXPECT_EQ(shell.Result(), "one\ttwo\tthree\n");
    EXPECT_EQ(shell.ExitCode(), 0);
}

TEST(ShellTest, CommandLineRunsThroughTheShell) {
    Shell shell;
    shell.Execute("printf 'a AppleSpell\\nb other\\nc AppleSpell\\n' | grep AppleSpell; echo done");
    EXPECT_EQ(shell.Result(), "a AppleSpell\nc AppleSpell\ndone\n");
}

TEST(ShellTest, CommandThatPrintsNothingGivesTheEmptyResult) {
    Shell shell;
    shell.Execute("echo earlier");
    shell.Execute("printf 'x\\n' | grep nothing-matches");
    EXPECT_EQ(shell.Result(), "");
    EXPECT_EQ(shell.ExitCode(), 1);
}

TEST(ShellTest, ErrorOutputIsNoPartOfTheResultNorOfOurs) {
    Shell shell;
    String ourErrorOutput = WrittenToStandardError(
        [&] { shell.Execute("echo out; echo err >&2; no-such-command-anywhere; exit 3"); });
    EXPECT_EQ(shell.Result(), "out\n");
    EXPECT_EQ(shell.ExitCode(), 3);
    EXPECT_EQ(ourErrorOutput, "");
}

TEST(ShellTest, CommandThatReadsInputGetsNoneAndEnds) {
    Shell shell;
    shell.Execute("cat; echo end");
    EXPECT_EQ(shell.Result(), "end\n");
}

TEST(ShellTest, LargeOutputIsCollectedWhole) {
    Shell shell;
    shell.Execute("yes word | head -n 200000");
    EXPECT_EQ(LenB(shell.Result()), 200000 * 5);
}

TEST(ShellDeathTest, ProcessWithoutStandardInputOrOutputStillRuns) {
    // In a process of its own, so that closing the descriptors does not touch the test runner.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            close(STDIN_FILENO);
            close(STDOUT_FILENO);
            Shell shell;
            shell.Execute("cat; echo end");
            _exit(shell.Result() == "end\n" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
