#include "WordloomSession.h"

#include "BinaryStream.h"
#include "FolderItem.h"
#include "mainwindow/winMain.h"
#include "support/ProcessLimits.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using Rows = std::vector<String>;

const String kNotLoaded = "The dictionary was not loaded completely, so it was not saved.";

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

void ChooseDictionary(const String& name) {
    Ref<Listbox> list = WordloomSession::MainWindow()->lstDictionaries();
    WordloomSession::ClickRow(list, WordloomSession::RowOf(list, name));
}

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
        } catch (...) {
            _exit(1);
        }
        for (;;)
            pause();
    }
    for (int tries = 0; tries < 10000 && !SomethingBesideIsGrowing(dictionary.parent_path(), dictionary);
         ++tries)
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
        ChooseDictionary("custom");
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
            ChooseDictionary(file.first);
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
        ChooseDictionary("locked");
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
