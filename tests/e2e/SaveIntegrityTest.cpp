#include "WordloomSession.h"

#include "BinaryStream.h"
#include "FolderItem.h"
#include "mainwindow/winMain.h"
#include "support/ProcessLimits.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using Rows = std::vector<String>;

const String kNotLoaded = "The dictionary was not loaded completely, so it was not saved.";
const String kSaved = "Dictionary saved.";
const String kKeptChanging = "The dictionary is being changed by another program, so it was not saved.";
// No other program in these tests waits longer than this for the moment it writes at.
constexpr auto kLongestWait = std::chrono::seconds(20);

class SaveIntegrityTest : public testing::Test {
protected:
    Rows Entries() const {
        Rows names;
        for (const auto& entry : fs::directory_iterator(session.home.Spelling()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    WordloomSession session;
};

// Already in the order in which a load lists them, so that an unchanged save writes the same bytes.
String ManyWords(int count) {
    String bytes;
    char word[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(word, sizeof word, "w%07d", i);
        bytes += word;
        bytes += '\0';
    }
    return bytes;
}

bool SomethingBesideIsGrowing(const fs::path& folder, const fs::path& dictionary) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path() != dictionary && entry.is_regular_file(error) && entry.file_size(error) > 0)
            return true;
    }
    return false;
}

// A save in another process, killed while it writes: what a crash or a power cut leaves behind.
void KillASaveWhileItWrites(const fs::path& dictionary, const String& bytes) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            Ref<BinaryStream> stream = BinaryStream::Create(New<FolderItem>(dictionary), true);
            for (size_t at = 0; at < bytes.size(); at += 1 << 20)
                stream->Write(bytes.substr(at, 1 << 20));
            // Still held, so that a parent slow to look finds the file as a kill would leave it.
            for (;;)
                pause();
        } catch (...) {
            _exit(1);
        }
    }
    for (auto end = std::chrono::steady_clock::now() + kLongestWait;
         std::chrono::steady_clock::now() < end &&
         !SomethingBesideIsGrowing(dictionary.parent_path(), dictionary);)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// The words "cat" and "dog", one a line, in a wide encoding after its byte-order mark.
String WideCatAndDog(const String& mark, size_t width, bool bigEndian) {
    String bytes = mark;
    for (char c : "cat\ndog\n"s) {
        String unit(width, '\0');
        unit[bigEndian ? width - 1 : 0] = c;
        bytes += unit;
    }
    return bytes;
}

void AppendAsAnotherProgram(const fs::path& dictionary, const String& bytes) {
    std::ofstream(dictionary, std::ios::binary | std::ios::app) << bytes;
}

ino_t InodeOf(const fs::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_ino;
}

// Another program that appends the bytes the moment a save has put a new file in the dictionary's place.
std::thread AppendOnceReplaced(const fs::path& dictionary, const String& bytes) {
    const ino_t before = InodeOf(dictionary);
    return std::thread([dictionary, bytes, before] {
        for (auto end = std::chrono::steady_clock::now() + kLongestWait;
             std::chrono::steady_clock::now() < end;) {
            if (InodeOf(dictionary) == before)
                continue;
            AppendAsAnotherProgram(dictionary, bytes);
            return;
        }
    });
}

// Another program that appends a word of its own to the dictionary each time a save's temporary
// file appears beside it, `times` times at most or until `stop`; what it appended is in `appended`.
std::thread AppendWhileSavesWrite(const fs::path& dictionary, int times, const std::atomic<bool>& stop,
                                  String& appended) {
    return std::thread([dictionary, times, &stop, &appended] {
        std::set<fs::path> seen;
        auto end = std::chrono::steady_clock::now() + kLongestWait;
        while (!stop && static_cast<int>(seen.size()) < times && std::chrono::steady_clock::now() < end) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(dictionary.parent_path(), error)) {
                if (entry.path() == dictionary || !seen.insert(entry.path()).second)
                    continue;
                const String word = "zebra" + std::to_string(seen.size()) + '\0';
                AppendAsAnotherProgram(dictionary, word);
                appended += word;
            }
        }
    });
}

std::multiset<String> WordsOf(const String& bytes) {
    std::multiset<String> words;
    size_t start = 0;
    for (size_t end = bytes.find('\0'); end != String::npos; start = end + 1, end = bytes.find('\0', start))
        words.insert(bytes.substr(start, end - start));
    return words;
}

void WriteAll(int fd, const String& bytes) {
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Another copy of Wordloom, which read the dictionary before this one's save and writes it whole with
// one word more after: it takes its turn as every copy does. Returns once it has its turn.
std::thread SaveAsAnotherCopy(const fs::path& dictionary, const String& added) {
    std::atomic<bool> locked = false;
    std::thread copy([dictionary, added, &locked] {
        const int folder = open(dictionary.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        flock(folder, LOCK_EX);
        const String bytes = TempHome::ReadFile(dictionary);
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const fs::path temporary = dictionary.parent_path() / ".another-copy";
        TempHome::WriteFile(temporary, bytes + added);
        fs::rename(temporary, dictionary);
        close(folder);
    });
    while (!locked)
        std::this_thread::yield();
    return copy;
}

// The names of the folder's entries that were opened since the watch was made or last read.
std::set<String> OpenedSince(int watch) {
    std::set<String> names;
    alignas(inotify_event) char events[4096];
    for (ssize_t size; (size = read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < size;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if (event->len > 0)
                names.insert(event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return names;
}

} // namespace

TEST_F(SaveIntegrityTest, ASaveThatWasKilledLeavesNothingThatLooksLikeADictionary) {
    const String bytes = ManyWords(1000000);
    TempHome::WriteFile(session.Dictionary("custom"), bytes);
    KillASaveWhileItWrites(session.Dictionary("custom"), bytes);
    ASSERT_EQ(Entries().size(), 2u);

    Rows offered;
    int64_t words = 0;
    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        offered = WordloomSession::Rows(main->lstDictionaries());
        WordloomSession::ChooseDictionary("custom");
        words = main->lstCustomWords()->ListCount();
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(offered, Rows{"custom"});
    EXPECT_EQ(words, 1000000);
    EXPECT_EQ(session.answerer->Messages(), Rows{"Dictionary saved."});
    EXPECT_EQ(Entries(), Rows{"custom"});
    EXPECT_TRUE(TempHome::ReadFile(session.Dictionary("custom")) == bytes);
}

TEST_F(SaveIntegrityTest, AFileInAWideEncodingIsNeverRewritten) {
    const std::vector<std::pair<String, String>> files = {
        {"utf16le", WideCatAndDog("\xFF\xFE", 2, false)},
        {"utf16be", WideCatAndDog("\xFE\xFF", 2, true)},
        {"utf32le", WideCatAndDog("\xFF\xFE\0\0"s, 4, false)},
        {"utf32be", WideCatAndDog("\0\0\xFE\xFF"s, 4, true)},
    };
    for (const auto& [name, bytes] : files)
        TempHome::WriteFile(session.Dictionary(name), bytes);

    int status = session.Run([&] {
        for (const auto& file : files) {
            WordloomSession::ChooseDictionary(file.first);
            WordloomSession::ClickToolButton("tbSave");
        }
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(files.size(), kNotLoaded));
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(TempHome::ReadFile(session.Dictionary(name)), bytes) << name;
    EXPECT_EQ(Entries().size(), files.size());
}

TEST_F(SaveIntegrityTest, ADictionaryTheUserMayNotWriteKeepsItsWords) {
    TempHome::WriteFile(session.Dictionary("locked"), "cat\0dog\0"s);
    fs::permissions(session.Dictionary("locked"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        WordloomSession::ChooseDictionary("locked");
        WordloomSession::ClickRow(main->lstCustomWords(), 0);
        WordloomSession::ClickToolButton("tbDelete");
        // Root may write any file; the save must stop as it stops anyone the file does not let in.
        NoPermissionOverride asTheUser;
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows{"Unable to create dictionary."});
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("locked")), "cat\0dog\0"s);
    EXPECT_EQ(fs::status(session.Dictionary("locked")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Entries(), Rows{"locked"});
}

TEST_F(SaveIntegrityTest, AWordWrittenRightAfterASaveIsKeptByTheNextSave) {
    TempHome::WriteFile(session.Dictionary("custom"), Nul({"cat", "dog"}));

    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("custom");
        std::thread anotherProgram = AppendOnceReplaced(session.Dictionary("custom"), Nul({"zebra"}));
        WordloomSession::ClickToolButton("tbSave");
        anotherProgram.join();
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(2, kSaved));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("custom")), Nul({"cat", "dog", "zebra"}));
}

TEST_F(SaveIntegrityTest, AWordWrittenWhileTheSaveWritesIsKeptAndAFileThatKeepsChangingIsNotWrittenOver) {
    const fs::path dictionary = session.Dictionary("custom");
    const String words = ManyWords(1000000);
    TempHome::WriteFile(dictionary, words);

    String once, endless, beforeEndless;
    ino_t inodeBeforeEndless = 0;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("custom");
        std::atomic<bool> stop = false;
        std::thread anotherProgram = AppendWhileSavesWrite(dictionary, 1, stop, once);
        WordloomSession::ClickToolButton("tbSave");
        anotherProgram.join();

        beforeEndless = TempHome::ReadFile(dictionary);
        inodeBeforeEndless = InodeOf(dictionary);
        anotherProgram = AppendWhileSavesWrite(dictionary, 1000, stop, endless);
        WordloomSession::ClickToolButton("tbSave");
        stop = true;
        anotherProgram.join();
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), (Rows{kSaved, kKeptChanging}));
    EXPECT_EQ(once, Nul({"zebra1"}));
    EXPECT_TRUE(beforeEndless == words + once);
    EXPECT_EQ(InodeOf(dictionary), inodeBeforeEndless);
    EXPECT_TRUE(TempHome::ReadFile(dictionary) == beforeEndless + endless);
}

// A program that keeps the dictionary open goes on writing to the file that a save replaced: what it
// writes there reaches the dictionary at the next save.
TEST_F(SaveIntegrityTest, AProgramThatHoldsTheFileOpenLosesNoWord) {
    struct Case {
        const char* name;
        int flags;
        String loaded, beforeSave, afterSave, saved;
    };
    const Case cases[] = {
        {"rewritten in place with a pause", O_TRUNC, Nul({"cat", "dog", "emu", "fox"}), Nul({"cat", "dog"}),
         Nul({"emu", "fox", "gnu"}), Nul({"cat", "dog", "emu", "fox", "gnu"})},
        {"appended to through a descriptor", O_APPEND, Nul({"cat", "dog"}), Nul({"yak"}), Nul({"zebu"}),
         Nul({"cat", "dog", "yak", "zebu"})},
    };
    for (const Case& c : cases)
        TempHome::WriteFile(session.Dictionary(c.name), c.loaded);

    int status = session.Run([&] {
        for (const Case& c : cases) {
            WordloomSession::ChooseDictionary(c.name);
            const int held = open(session.Dictionary(c.name).c_str(), O_WRONLY | O_CLOEXEC | c.flags);
            WriteAll(held, c.beforeSave);
            WordloomSession::ClickToolButton("tbSave");
            WriteAll(held, c.afterSave);
            close(held);
            WordloomSession::ClickToolButton("tbSave");
        }
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(4, kSaved));
    for (const Case& c : cases)
        EXPECT_EQ(TempHome::ReadFile(session.Dictionary(c.name)), c.saved) << c.name;
}

// A program that appends words all the time, as a busy spelling service may: whatever moment of a
// save its write falls in, before the rename, during it or after it, the word reaches the dictionary.
TEST_F(SaveIntegrityTest, AWordAppendedAtAnyMomentOfASaveIsKept) {
    const fs::path dictionary = session.Dictionary("custom");
    const String words = ManyWords(1000);
    TempHome::WriteFile(dictionary, words);

    String appended;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("custom");
        std::atomic<bool> stop = false;
        std::thread anotherProgram([&] {
            for (int i = 0; !stop; ++i) {
                const String word = "appended" + std::to_string(i) + '\0';
                AppendAsAnotherProgram(dictionary, word);
                appended += word;
                std::this_thread::sleep_for(std::chrono::microseconds(700));
            }
        });
        for (int save = 0; save < 30; ++save)
            WordloomSession::ClickToolButton("tbSave");
        stop = true;
        anotherProgram.join();
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages().back(), kSaved);
    EXPECT_EQ(WordsOf(TempHome::ReadFile(dictionary)), WordsOf(words + appended));
}

TEST_F(SaveIntegrityTest, TwoCopiesSavingAtOnceKeepTheWordsOfBoth) {
    const fs::path dictionary = session.Dictionary("custom");
    TempHome::WriteFile(dictionary, Nul({"cat", "dog"}));

    int status = session.Run([&] {
        Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
        WordloomSession::ChooseDictionary("custom");
        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "dog"));
        WordloomSession::ClickToolButton("tbDelete");
        WordloomSession::WaitFor([&] { return words->ListCount() == 1; });
        std::thread anotherCopy = SaveAsAnotherCopy(dictionary, Nul({"zebu"}));
        WordloomSession::ClickToolButton("tbSave");
        anotherCopy.join();
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows{kSaved});
    EXPECT_EQ(TempHome::ReadFile(dictionary), Nul({"cat", "zebu"}));
}

// An empty file may be a rewrite caught at its start; a last word without its NUL, left so, is a word
// as a load counts it.
TEST_F(SaveIntegrityTest, AFileLeftEmptyOrWithAnUnendedLastWordCostsNoWord) {
    const String words = Nul({"cat", "dog", "emu", "fox"});
    TempHome::WriteFile(session.Dictionary("emptied"), words);
    TempHome::WriteFile(session.Dictionary("unended"), words);

    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("emptied");
        TempHome::WriteFile(session.Dictionary("emptied"), "");
        WordloomSession::ClickToolButton("tbSave");
        WordloomSession::ChooseDictionary("unended");
        TempHome::WriteFile(session.Dictionary("unended"), words + "gnu");
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(2, kSaved));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("emptied")), words);
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("unended")), words + Nul({"gnu"}));
}

// The failure is made for good in the process, so the test runs in a child of its own, which ends
// before closing the window: the preferences could not be saved either.
TEST_F(SaveIntegrityTest, ASaveThatFailsAfterItsRenameComparesTheNextWithWhatItWrote) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const fs::path dictionary = session.Dictionary("custom");
    TempHome::WriteFile(dictionary, Nul({"cat", "dog"}));

    EXPECT_EXIT(
        {
            if (!FailEveryFsync())
                _exit(2);
            session.Run([&] {
                Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
                WordloomSession::ChooseDictionary("custom");
                WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "dog"));
                WordloomSession::ClickToolButton("tbDelete");
                WordloomSession::WaitFor([&] { return words->ListCount() == 1; });
                WordloomSession::ClickToolButton("tbSave");
                AppendAsAnotherProgram(dictionary, Nul({"dog"}));
                WordloomSession::ClickToolButton("tbSave");
                _exit(TempHome::ReadFile(dictionary) == Nul({"cat", "dog"}) ? 0 : 1);
            });
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(SaveIntegrityTest, AFailedWriteLeavesTheComparisonWhereTheMergePutIt) {
    const fs::path dictionary = session.Dictionary("custom");
    TempHome::WriteFile(dictionary, Nul({"cat", "dog"}));

    int status = session.Run([&] {
        Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
        WordloomSession::ChooseDictionary("custom");
        AppendAsAnotherProgram(dictionary, Nul({"emu"}));
        {
            SmallFiles limit(4);
            WordloomSession::ClickToolButton("tbSave");
        }
        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "emu"));
        WordloomSession::ClickToolButton("tbDelete");
        WordloomSession::WaitFor([&] { return words->ListCount() == 2; });
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows{kSaved});
    EXPECT_EQ(TempHome::ReadFile(dictionary), Nul({"cat", "dog"}));
}

TEST_F(SaveIntegrityTest, ADictionaryRewrittenInAWideEncodingSinceTheLoadIsNotWrittenOver) {
    const String wide = WideCatAndDog("\xFF\xFE", 2, false);
    TempHome::WriteFile(session.Dictionary("custom"), Nul({"cat", "dog"}));

    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("custom");
        TempHome::WriteFile(session.Dictionary("custom"), wide);
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows{"Unable to open dictionary."});
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("custom")), wide);
}

// The stamp of the file that a save put in place proves its words, so that the next save, with nobody
// writing in between, need not read a million words back.
TEST_F(SaveIntegrityTest, ASecondSaveTrustsTheFileThatTheFirstWrote) {
    const fs::path dictionary = session.Dictionary("custom");
    TempHome::WriteFile(dictionary, Nul({"cat", "dog"}));
    fs::last_write_time(dictionary, fs::last_write_time(dictionary) - std::chrono::hours(1));
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(watch, dictionary.parent_path().c_str(), IN_OPEN), 0);

    std::set<String> openedBySecondSave;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("custom");
        WordloomSession::ClickToolButton("tbSave");
        OpenedSince(watch);
        WordloomSession::ClickToolButton("tbSave");
        openedBySecondSave = OpenedSince(watch);
    });
    close(watch);

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(2, kSaved));
    EXPECT_EQ(openedBySecondSave.count("custom"), 0u);
    EXPECT_EQ(TempHome::ReadFile(dictionary), Nul({"cat", "dog"}));
}
