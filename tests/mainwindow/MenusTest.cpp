#include "FolderItem.h"
#include "MenuBar1.h"
#include "MenuItem.h"
#include "StartedApp.h"
#include "TextArea.h"
#include "TextField.h"
#include "about/winAbout.h"
#include "diagnostics/winDebug.h"
#include "mainwindow/WindowPrefs.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

using MenusTest = StartedApp;

struct ShownItem {
    String name;
    String text;
    String shortcut;
};

std::vector<ShownItem> ShownItems(QMenu* menu) {
    std::vector<ShownItem> items;
    for (QAction* action : menu->actions()) {
        items.push_back({action->objectName().toStdString(),
                         action->isSeparator() ? "-" : action->text().toStdString(),
                         action->shortcut().toString(QKeySequence::PortableText).toStdString()});
    }
    return items;
}

void ExpectShown(QMenu* menu, const std::vector<ShownItem>& expected) {
    ASSERT_NE(menu, nullptr);
    std::vector<ShownItem> shown = ShownItems(menu);
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(shown[i].name, expected[i].name);
        EXPECT_EQ(shown[i].text, expected[i].text);
        EXPECT_EQ(shown[i].shortcut, expected[i].shortcut);
    }
}

TEST_F(MenusTest, TheWindowShowsFileThenEditWithTheirItemsCaptionsAndControlShortcuts) {
    QMenuBar* bar = window->_Native()->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&File");
    EXPECT_EQ(bar->actions()[1]->text(), "&Edit");

    ExpectShown(window->_Native()->findChild<QMenu*>("FileMenu"),
                {{"FileAboutWordloom", "About Wordloom\xE2\x80\xA6", ""},
                 {"FileNewWord", "&New Word", "Ctrl+N"},
                 {"FileDeleteWord", "&Delete Word", "Ctrl+D"},
                 {"UntitledSeparator", "-", ""},
                 {"FileImport", "&Import...", "Ctrl+I"},
                 {"FileExport", "&Export...", "Ctrl+E"},
                 {"FileQuit", "&Quit", "Ctrl+Q"}});
    ExpectShown(window->_Native()->findChild<QMenu*>("EditMenu"),
                {{"EditUndo", "&Undo", "Ctrl+Z"},
                 {"UntitledMenu1", "-", ""},
                 {"EditCut", "Cu&t", "Ctrl+X"},
                 {"EditCopy", "&Copy", "Ctrl+C"},
                 {"EditPaste", "&Paste", "Ctrl+V"},
                 {"EditClear", "&Delete", ""},
                 {"UntitledMenu0", "-", ""},
                 {"EditSelectAll", "Select &All", "Ctrl+A"}});
}

TEST_F(MenusTest, EachAccessorFindsItsItemInTheWindowsMenuBar) {
    using Accessor = std::function<Ref<MenuItem>(const class winMain&)>;
    struct Case {
        const char* name;
        Accessor get;
    };
    const Case cases[] = {
        {"EditMenu", [](const class winMain& w) { return w.EditMenu(); }},
        {"EditSelectAll", [](const class winMain& w) { return w.EditSelectAll(); }},
        {"UntitledMenu0", [](const class winMain& w) { return w.UntitledMenu0(); }},
        {"EditClear", [](const class winMain& w) { return w.EditClear(); }},
        {"EditPaste", [](const class winMain& w) { return w.EditPaste(); }},
        {"EditCopy", [](const class winMain& w) { return w.EditCopy(); }},
        {"EditCut", [](const class winMain& w) { return w.EditCut(); }},
        {"UntitledMenu1", [](const class winMain& w) { return w.UntitledMenu1(); }},
        {"EditUndo", [](const class winMain& w) { return w.EditUndo(); }},
        {"FileMenu", [](const class winMain& w) { return w.FileMenu(); }},
        {"FileQuit", [](const class winMain& w) { return Ref<MenuItem>(w.FileQuit()); }},
        {"FileExport", [](const class winMain& w) { return w.FileExport(); }},
        {"FileImport", [](const class winMain& w) { return w.FileImport(); }},
        {"UntitledSeparator", [](const class winMain& w) { return w.UntitledSeparator(); }},
        {"FileDeleteWord", [](const class winMain& w) { return w.FileDeleteWord(); }},
        {"FileNewWord", [](const class winMain& w) { return w.FileNewWord(); }},
        {"FileAboutWordloom", [](const class winMain& w) { return Ref<MenuItem>(w.FileAboutWordloom()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ref<MenuItem> item = c.get(*window);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Name, c.name);
        EXPECT_EQ(item, MenuBar1()->_Lookup(c.name));
    }
}

TEST_F(MenusTest, AnAccessorRaisesWithoutAMenuBarAndForAnItemOfAnotherClass) {
    Ref<MenuItem> bar = New<MenuItem>();
    Ref<MenuItem> quit = New<MenuItem>();
    quit->Name = "FileQuit";
    bar->Append(quit);
    window->MenuBar(bar);
    EXPECT_THROW(window->FileQuit(), IllegalCastException);

    window->MenuBar(nullptr);
    EXPECT_THROW(window->FileNewWord(), NilObjectException);
}

TEST_F(MenusTest, TheFiveCommandsAreRegisteredAndAWindowOfAnotherClassRaisesBeforeAnyIs) {
    for (const char* name :
         {"FileAboutWordloom", "FileDeleteWord", "FileExport", "FileImport", "FileNewWord"})
        EXPECT_TRUE(window->_HasMenuHandler(name)) << name;
    for (const char* name : {"FileQuit", "EditCopy", "EditSelectAll", "FileMenu"})
        EXPECT_FALSE(window->_HasMenuHandler(name)) << name;

    Ref<class winMain> unbuilt = New<class winMain>();
    EXPECT_THROW(unbuilt->AddMenuHandlers(New<Window>()), IllegalCastException);
    EXPECT_FALSE(unbuilt->_HasMenuHandler("FileAboutWordloom"));
}

TEST_F(MenusTest, FileItemsFollowTheDictionaryAndWordSelections) {
    struct Case {
        bool dictionary;
        bool word;
        bool newWord, deleteWord, import, exportItem;
    };
    const Case cases[] = {{false, false, false, false, false, false},
                          {false, true, false, true, false, false},
                          {true, false, true, false, true, true},
                          {true, true, true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "dictionary " << c.dictionary << ", word " << c.word);
        if (c.dictionary)
            SelectDictionary("en");
        else
            window->lstDictionaries()->ListIndex(-1);
        SetWords({"one", "two"});
        window->lstCustomWords()->Selected(1, c.word);

        window->_EnableMenuItems();

        EXPECT_EQ(window->FileNewWord()->Enabled(), c.newWord);
        EXPECT_EQ(window->FileDeleteWord()->Enabled(), c.deleteWord);
        EXPECT_EQ(window->FileImport()->Enabled(), c.import);
        EXPECT_EQ(window->FileExport()->Enabled(), c.exportItem);
        EXPECT_EQ(Action(*window, "FileExport")->isEnabled(), c.exportItem);
        EXPECT_TRUE(window->FileAboutWordloom()->Enabled());
        EXPECT_TRUE(window->FileQuit()->Enabled());
    }
}

TEST_F(MenusTest, EachCommandReachesItsMethod) {
    SelectDictionary("en");
    SetWords({"one", "two"});
    window->lstCustomWords()->Selected(0, true);
    window->_EnableMenuItems();

    Action(*window, "FileDeleteWord")->trigger();
    EXPECT_EQ(Words(), std::vector<String>{"two"});

    Action(*window, "FileNewWord")->trigger();
    EXPECT_EQ(Words(), (std::vector<String>{"two", "<New Word>"}));

    fs::path file = home.Documents() / "en.txt";
    answerer->QueueFile(New<FolderItem>(file));
    Action(*window, "FileExport")->trigger();
    EXPECT_EQ(TempHome::ReadFile(file), "two\n<New Word>\n");

    answerer->QueueFile(New<FolderItem>(file));
    Action(*window, "FileImport")->trigger();
    EXPECT_EQ(Words(), (std::vector<String>{"two", "<New Word>", "two", "<New Word>"}));

    EXPECT_FALSE(WindowList::FindImplicitInstance("winAbout.winAbout"));
    Action(*window, "FileAboutWordloom")->trigger();
    EXPECT_TRUE(WindowList::FindImplicitInstance("winAbout.winAbout"));
}

TEST_F(MenusTest, ControlNAddsAWordOnlyWhileADictionaryIsChosen) {
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->_Native()));
    QWidget* words = window->_Native()->findChild<QWidget*>("lstCustomWords");
    ASSERT_NE(words, nullptr);
    words->setFocus();

    QTest::keyClick(words, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->lstCustomWords()->ListCount(), 0);

    SelectDictionary("en");
    words->setFocus();
    QTest::keyClick(words, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Words(), (std::vector<String>{"alpha", "beta", "<New Word>"}));
}

TEST_F(MenusTest, QuitClosesEveryWindowSoTheMainWindowWritesItsPreferencesThenEndsTheLoop) {
    fs::path prefs = home.Config() / WindowPrefs::FileName();
    fs::remove(prefs);
    window->_FileAboutWordloom_Action();
    ASSERT_EQ(WindowList::OpenWindows().size(), 2u);

    QTimer::singleShot(0, [this] { Action(*window, "FileQuit")->trigger(); });
    Runtime::_RuntimeRun();

    EXPECT_TRUE(WindowList::OpenWindows().empty());
    EXPECT_FALSE(window->IsOpen());
    EXPECT_TRUE(fs::exists(prefs));
}

/// A window with its own handler of Edit > Copy, as the message log has.
class CopyingWindow : public Window {
public:
    void Layout() override {
        WindowDesign design;
        design.Title = "Copying";
        ApplyDesign(design);
    }
    void AddMenuHandlers(const Ref<Window>&) override {
        _AddMenuHandler("EditCopy", [this] {
            ++copies;
            return true;
        });
    }
    int copies = 0;
};

TEST_F(MenusTest, ACommandGoesToTheWindowWhoseMenuOrShortcutChoseIt) {
    Ref<CopyingWindow> copying = New<CopyingWindow>();
    copying->_Construct();
    ASSERT_NE(Action(*copying, "EditCopy"), nullptr);

    copying->_EnableMenuItems();
    Action(*copying, "EditCopy")->trigger();
    EXPECT_EQ(copying->copies, 1);

    copying->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(copying->_Native()));
    QTest::keyClick(copying->_Native(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copying->copies, 2);

    window->_EnableMenuItems();
    Action(*window, "EditCopy")->trigger();
    EXPECT_EQ(copying->copies, 2);
    copying->Close();
}

TEST_F(MenusTest, InFrontOfTheMessageLogEditCopyReachesItsHandlerAndNoCommandReachesTheMainWindow) {
    SelectDictionary("en");
    Ref<class winDebug> log = winDebug();
    log->Append("an entry");
    log->txtLog()->SelStart(0);
    log->txtLog()->SelLength(5);
    log->txtLog()->_Editor()->clearFocus();
    QApplication::clipboard()->setText("before");

    log->_EnableMenuItems();
    EXPECT_TRUE(MenuBar1()->_Lookup("EditCopy")->Enabled());
    EXPECT_FALSE(MenuBar1()->_Lookup("FileNewWord")->Enabled());
    Action(*log, "EditCopy")->trigger();
    log->_HandleMenuCommand(MenuBar1()->_Lookup("FileNewWord"));

    // The log's handler takes the command and leaves it to the standard editing of the focused text;
    // the Copy button's action, which copies the selection wherever the focus is, does not run.
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
    EXPECT_EQ(Words(), (std::vector<String>{"alpha", "beta"}));
}

TEST_F(MenusTest, EditItemsThatNoHandlerTakesEditTheFocusedTextField) {
    SelectDictionary("en");
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->_Native()));
    window->_FileNewWord_Action();
    Ref<TextField> cell = window->lstCustomWords()->ActiveCell();
    ASSERT_TRUE(cell);
    ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(cell->_Editor()));
    QApplication::clipboard()->setText("before");

    window->_EnableMenuItems();
    EXPECT_TRUE(window->EditCopy()->Enabled());
    Action(*window, "EditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "<New Word>");

    window->_EnableMenuItems();
    Action(*window, "EditClear")->trigger();
    EXPECT_EQ(cell->Text(), "");

    window->_EnableMenuItems();
    EXPECT_FALSE(window->EditCopy()->Enabled());
    EXPECT_TRUE(window->EditPaste()->Enabled());
    Action(*window, "EditPaste")->trigger();
    EXPECT_EQ(cell->Text(), "<New Word>");
}

} // namespace
