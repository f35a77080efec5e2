#include "WordloomSession.h"

#include "Listbox.h"
#include "StaticText.h"
#include "TextArea.h"
#include "about/winAbout.h"
#include "diagnostics/winDebug.h"
#include "mainwindow/winMain.h"

#include <QAction>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<String>;

class SessionTest : public testing::Test {
protected:
    WordloomSession session;
};

} // namespace

TEST_F(SessionTest, AFirstStartShowsTheDesignAndTheNextStartComesBackWhereTheWindowWasLeft) {
    TempHome::WriteFile(session.Dictionary("en_GB"), Nul({"colour"}));
    TempHome::WriteFile(session.Dictionary("work"), "one\ntwo\n");
    TempHome::WriteFile(session.Dictionary(".DS_Store"), "junk");

    int status = session.Run([] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        EXPECT_EQ(main->_Native()->windowTitle().toStdString(), "Wordloom");
        EXPECT_EQ(main->Width(), 476);
        EXPECT_EQ(main->Height(), 300);
        EXPECT_EQ(main->lstDictionaries()->Heading(0), "Dictionaries");
        EXPECT_EQ(WordloomSession::Rows(main->lstDictionaries()), (Rows{"en_GB", "work"}));
        EXPECT_EQ(main->lstCustomWords()->ListCount(), 0);
        for (const char* button : {"tbSave", "tbAdd", "tbDelete", "tbEdit"})
            EXPECT_FALSE(WordloomSession::ToolButtonEnabled(button)) << button;

        main->Width(620);
        main->Height(410);
    });

    EXPECT_EQ(status, 0);
    EXPECT_TRUE(session.answerer->Messages().empty());
    String prefs = TempHome::ReadFile(session.PreferencesFile());
    EXPECT_NE(prefs.find("\n620\n410\n"), String::npos) << prefs;

    int32_t width = 0, height = 0;
    status = session.Run([&] {
        width = WordloomSession::MainWindow()->Width();
        height = WordloomSession::MainWindow()->Height();
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(width, 620);
    EXPECT_EQ(height, 410);
}

TEST_F(SessionTest, APersonAddsEditsDeletesAndSavesAndTheFileHoldsExactlyTheList) {
    TempHome::WriteFile(session.Dictionary("en_GB"), Nul({"elder", "cherry", "apple", "date", "banana"}));

    int status = session.Run([] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        Ref<Listbox> words = main->lstCustomWords();
        WordloomSession::ClickRow(main->lstDictionaries(), 0);
        EXPECT_EQ(WordloomSession::Rows(words), (Rows{"apple", "banana", "cherry", "date", "elder"}));
        EXPECT_TRUE(WordloomSession::ToolButtonEnabled("tbSave"));
        EXPECT_TRUE(WordloomSession::ToolButtonEnabled("tbAdd"));
        EXPECT_FALSE(WordloomSession::ToolButtonEnabled("tbDelete"));

        WordloomSession::ClickToolButton("tbAdd");
        WordloomSession::TypeAndReturn("fig");

        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "banana"));
        EXPECT_TRUE(WordloomSession::ToolButtonEnabled("tbEdit"));
        WordloomSession::ClickToolButton("tbEdit");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        WordloomSession::TypeAndReturn("blueberry");

        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "apple"));
        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "date"), Qt::ControlModifier);
        EXPECT_EQ(words->SelCount(), 2);
        WordloomSession::ClickToolButton("tbDelete");
        WordloomSession::WaitFor([] { return !WordloomSession::ToolButtonEnabled("tbDelete"); });
        EXPECT_EQ(WordloomSession::Rows(words), (Rows{"blueberry", "cherry", "elder", "fig"}));
        EXPECT_FALSE(WordloomSession::ToolButtonEnabled("tbDelete"));

        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("en_GB")), Nul({"blueberry", "cherry", "elder", "fig"}));
}

TEST_F(SessionTest, WordsThatAnotherProgramWroteSinceTheLoadAreKeptBySave) {
    TempHome::WriteFile(session.Dictionary("en_GB"), Nul({"cat", "dog", "emu"}));
    TempHome::WriteFile(session.Dictionary("fr_FR"), Nul({"chat", "chien"}));

    Rows afterFirstSave, afterSecondSave;
    String firstFile;
    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        Ref<Listbox> words = main->lstCustomWords();
        WordloomSession::ClickRow(main->lstDictionaries(), 0);
        WordloomSession::ClickToolButton("tbAdd");
        WordloomSession::TypeAndReturn("fox");

        TempHome::WriteFile(session.Dictionary("en_GB"), Nul({"cat", "emu", "gnu", "yak"}));
        WordloomSession::ClickToolButton("tbSave");
        afterFirstSave = WordloomSession::Rows(words);
        firstFile = TempHome::ReadFile(session.Dictionary("en_GB"));

        WordloomSession::ClickRow(words, WordloomSession::RowOf(words, "fox"));
        WordloomSession::ClickToolButton("tbDelete");
        WordloomSession::WaitFor([&] { return words->ListCount() == 4; });
        WordloomSession::ClickToolButton("tbSave");
        afterSecondSave = WordloomSession::Rows(words);

        WordloomSession::ClickRow(main->lstDictionaries(), 1);
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(session.answerer->Messages(), Rows(3, "Dictionary saved."));
    EXPECT_EQ(afterFirstSave, (Rows{"cat", "emu", "fox", "gnu", "yak"}));
    EXPECT_EQ(firstFile, Nul({"cat", "emu", "fox", "gnu", "yak"}));
    EXPECT_EQ(afterSecondSave, (Rows{"cat", "emu", "gnu", "yak"}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("en_GB")), Nul({"cat", "emu", "gnu", "yak"}));
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("fr_FR")), Nul({"chat", "chien"}));
}

TEST_F(SessionTest, WordListsGoOutAndComeInThroughTheMenuCommands) {
    TempHome::WriteFile(session.Dictionary("work"), "beta\nalpha\n");
    TempHome::WriteFile(session.home.Documents() / "incoming.txt", "  kiwi \r\n\r\n   \r\nlime\rmango");
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "work.txt"));
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "incoming.txt"));

    int status = session.Run([] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        WordloomSession::ClickRow(main->lstDictionaries(), 0);
        WordloomSession::PressShortcut(Qt::Key_E);
        WordloomSession::PressShortcut(Qt::Key_I);
        EXPECT_EQ(WordloomSession::Rows(main->lstCustomWords()),
                  (Rows{"alpha", "beta", "kiwi", "lime", "mango"}));
        WordloomSession::ClickToolButton("tbSave");
    });

    EXPECT_EQ(status, 0);
    ASSERT_EQ(session.answerer->Dialogs().size(), 2u);
    EXPECT_EQ(session.answerer->Dialogs()[0].Title, "Export Dictionary");
    EXPECT_EQ(session.answerer->Dialogs()[0].SuggestedFileName, "work.txt");
    EXPECT_EQ(session.answerer->Dialogs()[1].Title, "Select a text file");
    EXPECT_EQ(TempHome::ReadFile(session.home.Documents() / "work.txt"), "alpha\nbeta\n");
    EXPECT_EQ(TempHome::ReadFile(session.Dictionary("work")), "alpha\nbeta\nkiwi\nlime\nmango\n");
    EXPECT_EQ(session.answerer->Messages(), (Rows{"Dictionary saved."}));
}

TEST_F(SessionTest, TheAboutCommandShowsOneBoxWithTheVersion) {
    int boxes = 0;
    String version;
    int status = session.Run([&] {
        Ref<class winMain> main = WordloomSession::MainWindow();
        main->_EnableMenuItems();
        QAction* about = WordloomSession::MenuAction(*main, "FileAboutWordloom");
        ASSERT_NE(about, nullptr);
        about->trigger();
        about->trigger();
        for (const Ref<Window>& window : WindowList::OpenWindows())
            boxes += window->Title() == "About Wordloom";
        Ref<Window> box = WordloomSession::OpenWindow("winAbout.winAbout");
        ASSERT_TRUE(box);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box->_Native()));
        version = Cast<class winAbout>(box)->lblVersion()->Text();
    });

    EXPECT_EQ(status, 0);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(version, "Version 1.0.0 (1)");
}

TEST_F(SessionTest, AFailedExportOpensTheMessageLogAndSendsTheCrashReport) {
    TempHome::WriteFile(session.Dictionary("work"), Nul({"alpha"}));
    session.answerer->QueueFile(New<FolderItem>(session.home.Documents() / "no such folder" / "work.txt"));

    String log;
    int status = session.Run([&] {
        WordloomSession::ClickRow(WordloomSession::MainWindow()->lstDictionaries(), 0);
        WordloomSession::PressShortcut(Qt::Key_E);
        Ref<Window> debug = WordloomSession::OpenWindow("winDebug.winDebug");
        ASSERT_TRUE(debug);
        EXPECT_TRUE(debug->Visible());
        EXPECT_EQ(debug->Title(), "Wordloom Message Log");
        log = Cast<class winDebug>(debug)->txtLog()->Text();
        EXPECT_TRUE(session.crashLog.WaitForRequests(1));
    });

    EXPECT_EQ(status, 0);
    EXPECT_NE(log.find(": An unknown exception was raised in winMain.Methods.Export\nStack:\n"), String::npos)
        << log;
    EXPECT_TRUE(session.answerer->Messages().empty());
    ASSERT_EQ(session.crashLog.Requests().size(), 1u);
    HttpRequest request = SplitRequest(session.crashLog.Requests()[0]);
    EXPECT_EQ(request.Head.rfind("POST /clientcrashlog.php HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(request.Body.find("&version=1.0.0.1%28Final%29&"), String::npos) << request.Body;
    EXPECT_NE(
        request.Body.find("stack=An+unknown+exception+was+raised+in+winMain.Methods.Export%0AStack:%0A"),
        String::npos)
        << request.Body;
    EXPECT_FALSE(std::filesystem::exists(session.home.Documents() / "no such folder"));
}
