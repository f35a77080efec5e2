#include "WordloomSession.h"

#include "TextArea.h"
#include "TextField.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "diagnostics/winDebug.h"
#include "mainwindow/winMain.h"
#include "support/QuietCrashLog.h"

#include <QGuiApplication>
#include <QHostAddress>
#include <QMainWindow>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

using Rows = std::vector<String>;

class BadInputTest : public testing::Test {
protected:
    WordloomSession session;
};

// An export into a folder that does not exist fails inside the Export method's catch-all.
void FailAnExport(WordloomSession& session) {
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "missing" / "out.txt"));
    WordloomSession::PressShortcut(Qt::Key_E);
}

// Once the time is up, opens the other end of each FIFO again and again: an open that waits on one
// then ends, and the test fails instead of hanging the suite.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::vector<fs::path> fifos) : m_Thread([this, fifos] { Watch(fifos); }) {}
    ~FifoWatchdog() { Stop(); }

    void Stop() {
        {
            std::lock_guard lock(m_Mutex);
            m_Stopped = true;
        }
        m_Wake.notify_all();
        if (m_Thread.joinable())
            m_Thread.join();
    }
    bool Fired() const { return m_Fired; }

private:
    void Watch(const std::vector<fs::path>& fifos) {
        std::unique_lock lock(m_Mutex);
        for (auto wait = 20s; !m_Wake.wait_for(lock, wait, [this] { return m_Stopped; }); wait = 1s) {
            m_Fired = true;
            for (const fs::path& fifo : fifos) {
                int fd = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
                if (fd >= 0)
                    close(fd);
            }
        }
    }

    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    bool m_Stopped = false;
    std::atomic<bool> m_Fired = false;
    std::thread m_Thread;
};

String LogText() {
    Ref<Window> log = WordloomSession::OpenWindow("winDebug.winDebug");
    return log ? Cast<class winDebug>(log)->txtLog()->Text() : String();
}

} // namespace

TEST_F(BadInputTest, FoldersLinksToNothingAndVanishedFilesAreHandledQuietly) {
    TempHome::WriteFile(session.Dictionary("folder") / "inside", "keep me");
    fs::create_symlink(session.home.Path() / "nowhere", session.Dictionary("dangling"));
    TempHome::WriteFile(session.Dictionary("vanishing"), String("word\0", 5));

    Rows offered;
    Rows folderWords, vanishedWords;
    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        offered = WordloomSession::Rows(main->lstDictionaries());
        WordloomSession::ChooseDictionary("folder");
        folderWords = WordloomSession::Rows(main->lstCustomWords());
        WordloomSession::ClickToolButton("tbSave");

        fs::remove(session.Dictionary("vanishing"));
        WordloomSession::ChooseDictionary("vanishing");
        vanishedWords = WordloomSession::Rows(main->lstCustomWords());
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(offered, (Rows{"folder", "vanishing"}));
    EXPECT_TRUE(folderWords.empty());
    EXPECT_TRUE(vanishedWords.empty());
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Unable to create dictionary."}));
    EXPECT_TRUE(fs::is_directory(session.Dictionary("folder")));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("folder") / "inside"), "keep me");
}

TEST_F(BadInputTest, AHugeWordAndBytesThatAreNotUtf8GoBackByteForByte) {
    String bytes = String(100000, 'a') + '\0' + "caf\xc3\xa9" + '\0' + "\xff\xfe\x80" + '\0';
    TempHome::WriteFile(session.Dictionary("odd"), bytes);

    int status = session.Run([] {
        Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
        WordloomSession::ChooseDictionary("odd");
        EXPECT_EQ(words->ListCount(), 3);
        // Opening the editor on the word and leaving it unchanged must not re-encode it.
        WordloomSession::ClickRow(words, 2);
        WordloomSession::ClickToolButton("tbEdit");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("odd")), bytes);
}

// A date past what nanoseconds since 1970 hold in 64 bits: the year 2300.
TEST_F(BadInputTest, ADictionaryDatedCenturiesAheadIsSavedLikeAnyOther) {
    TempHome::WriteFile(session.Dictionary("future"), Nul({"cat", "dog"}));
    const timespec times[2] = {{10'413'792'000, 0}, {10'413'792'000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, session.Dictionary("future").c_str(), times, 0), 0);

    int status = session.Run([] {
        WordloomSession::ChooseDictionary("future");
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("future")), Nul({"cat", "dog"}));
}

TEST_F(BadInputTest, AVeryLongWordShowsItsBeginningAndStaysWholeWhileALongOneIsEditedWhole) {
    // The "é" straddles the place where the shown text is cut.
    const String veryLong = String(255, 'l') + "\xc3\xa9" + String(2'000'000, 'l');
    const String longWord(40'000, 'm');
    TempHome::WriteFile(session.Dictionary("long"),
                        "apple" + String(1, '\0') + veryLong + '\0' + longWord + '\0');

    QString shown;
    bool veryLongOpened = true;
    int64_t editorLength = -1;
    int status = session.Run([&] {
        Ref<Listbox> words = WordloomSession::MainWindow()->lstCustomWords();
        WordloomSession::ChooseDictionary("long");
        shown = words->_TreeView()->model()->index(1, 0).data().toString();
        WordloomSession::ClickRow(words, 1);
        WordloomSession::ClickToolButton("tbEdit");
        veryLongOpened = words->ActiveCell() != nullptr;

        WordloomSession::ClickRow(words, 2);
        WordloomSession::ClickToolButton("tbEdit");
        Ref<TextField> cell = words->ActiveCell();
        editorLength = cell ? LenB(cell->Text()) : -1;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        WordloomSession::TypeAndReturn("s");
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_LE(shown.size(), 300);
    EXPECT_TRUE(shown.startsWith(QString(200, u'l')));
    EXPECT_TRUE(shown.endsWith(u'\u2026'));
    EXPECT_FALSE(shown.contains(QChar::ReplacementCharacter));
    EXPECT_FALSE(veryLongOpened);
    EXPECT_EQ(editorLength, LenB(longWord));
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
    // Compared whole, so that a failure does not print megabytes.
    String saved = TempHome::ReadFile(session.Dictionary("long"));
    EXPECT_TRUE(saved == "apple" + String(1, '\0') + veryLong + '\0' + longWord + "s" + '\0')
        << saved.size() << " bytes saved";
}

TEST_F(BadInputTest, ImportedUtf16AndBinaryFilesLeaveALineFeedDictionaryWhole) {
    TempHome::WriteFile(session.Dictionary("work"), "beta\nalpha\n");
    TempHome::WriteFile(session.Dictionary("other"), "");
    String utf16 = "\xFF\xFE";
    for (char16_t unit : std::u16string(u"caf\u00E9\r\n\U0001F600\r\n"))
        utf16 += String{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    TempHome::WriteFile(session.home.Documents() / "utf16.txt", utf16);
    TempHome::WriteFile(session.home.Documents() / "binary.bin", String("\x01\x02gamma\0\0delta\r\n\0", 17));
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "utf16.txt"));
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "binary.bin"));

    Rows reloaded;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("work");
        WordloomSession::PressShortcut(Qt::Key_I);
        WordloomSession::PressShortcut(Qt::Key_I);
        WordloomSession::ClickToolButton("tbSave");
        WordloomSession::ChooseDictionary("other");
        WordloomSession::ChooseDictionary("work");
        reloaded = WordloomSession::Rows(WordloomSession::MainWindow()->lstCustomWords());
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("work")),
              "alpha\nbeta\ncaf\xC3\xA9\n\xF0\x9F\x98\x80\ngamma\ndelta\n");
    EXPECT_EQ(reloaded, (Rows{"alpha", "beta", "caf\xC3\xA9", "delta", "gamma", "\xF0\x9F\x98\x80"}));
}

TEST_F(BadInputTest, NoFifoHoldsUpTheStartADictionaryOrAnImport) {
    fs::path chosen = session.home.Documents() / "pipe.txt";
    fs::create_directories(session.home.Documents());
    fs::create_directories(session.PreferencesFile().parent_path());
    const std::vector<fs::path> fifos{session.PreferencesFile(), session.Dictionary("pipe"), chosen};
    for (const fs::path& fifo : fifos)
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << fifo;
    session.answerer->QueueFile(New<FolderItem>(chosen));
    FifoWatchdog watchdog(fifos);

    Rows words{"not loaded"};
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("pipe");
        words = WordloomSession::Rows(WordloomSession::MainWindow()->lstCustomWords());
        WordloomSession::PressShortcut(Qt::Key_I);
    });
    watchdog.Stop();

    EXPECT_FALSE(watchdog.Fired());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Unable to open pipe.txt."}));
}

struct PreferencesCase {
    const char* name;
    String bytes;
};

void PrintTo(const PreferencesCase& c, std::ostream* out) {
    *out << c.name;
}

class BadPreferencesTest : public BadInputTest, public testing::WithParamInterface<PreferencesCase> {};

TEST_P(BadPreferencesTest, TheWindowStillOpensWholeOnTheScreen) {
    TempHome::WriteFile(session.PreferencesFile(), GetParam().bytes);

    QRect window, screen;
    int32_t width = 0, height = 0;
    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        window = main->_Native()->frameGeometry();
        screen = main->_Native()->screen()->availableGeometry();
        width = main->Width();
        height = main->Height();
    });

    EXPECT_EQ(status, 0);
    EXPECT_TRUE(session.answerer->Messages().empty());
    EXPECT_GE(width, 470);
    EXPECT_GE(height, 150);
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
    EXPECT_TRUE(screen.intersects(window));
}

INSTANTIATE_TEST_SUITE_P(Files, BadPreferencesTest,
                         testing::Values(PreferencesCase{"BinaryJunk",
                                                         String("\x00\x01\xff\xfe junk\n\x7f\n", 12)},
                                         PreferencesCase{"HugeNumbers", "99999999999\n-99999999999\n"
                                                                        "99999999999\n99999999999\n"},
                                         PreferencesCase{"Empty", ""}),
                         [](const testing::TestParamInfo<PreferencesCase>& info) { return info.param.name; });

TEST_F(BadInputTest, ACrashLogServerThatNeverReadsHoldsNothingUp) {
    TempHome::WriteFile(session.Dictionary("work"), String("alpha\0", 6));
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    std::vector<QTcpSocket*> accepted;
    QObject::connect(&silent, &QTcpServer::newConnection,
                     [&] { accepted.push_back(silent.nextPendingConnection()); });
    CrashLogEndpoint::SetAddress("http://127.0.0.1:" + Str(silent.serverPort()) + "/clientcrashlog.php");

    String log;
    Rows words;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("work");
        FailAnExport(session);
        WordloomSession::WaitFor([&] { return !accepted.empty(); });
        log = LogText();
        WordloomSession::ChooseDictionary("work");
        words = WordloomSession::Rows(WordloomSession::MainWindow()->lstCustomWords());
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(accepted.size(), 1u);
    EXPECT_NE(log.find("winMain.Methods.Export"), String::npos);
    EXPECT_EQ(words, (Rows{"alpha"}));
    QuietCrashLog::Install();
}

TEST_F(BadInputTest, ACrashLogServerThatRefusesChangesNothingForThePerson) {
    TempHome::WriteFile(session.Dictionary("work"), String("alpha\0", 6));
    QuietCrashLog::Install();

    String log;
    int status = session.Run([&] {
        WordloomSession::ChooseDictionary("work");
        FailAnExport(session);
        log = LogText();
    });

    EXPECT_EQ(status, 0);
    EXPECT_NE(log.find("An unknown exception was raised in winMain.Methods.Export"), String::npos);
    EXPECT_TRUE(session.answerer->Messages().empty());
}
