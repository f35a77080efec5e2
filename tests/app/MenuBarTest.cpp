#include "MenuBar1.h"
#include "MenuBarView.h"
#include "MenuItem.h"
#include "Strings.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

enum class Kind { Plain, About, Quit };

struct Row {
    const char* menu;
    const char* name;
    Kind kind;
    const char* caption;
    /// Null where no shortcut is ever assigned.
    const char* shortcut;
    bool autoEnable;
};

const Row kRows[] = {
    {"FileMenu", "FileAboutWordloom", Kind::About, "About Wordloom\xE2\x80\xA6", "", true},
    {"FileMenu", "FileNewWord", Kind::Plain, "&New Word", "Cmd+N", true},
    {"FileMenu", "FileDeleteWord", Kind::Plain, "&Delete Word", "Cmd+D", false},
    {"FileMenu", "UntitledSeparator", Kind::Plain, "-", nullptr, true},
    {"FileMenu", "FileImport", Kind::Plain, "&Import...", "Cmd+I", false},
    {"FileMenu", "FileExport", Kind::Plain, "&Export...", "Cmd+E", false},
    {"FileMenu", "FileQuit", Kind::Quit, "&Quit", "Cmd+Q", true},
    {"EditMenu", "EditUndo", Kind::Plain, "&Undo", "Cmd+Z", true},
    {"EditMenu", "UntitledMenu1", Kind::Plain, "-", nullptr, true},
    {"EditMenu", "EditCut", Kind::Plain, "Cu&t", "Cmd+X", true},
    {"EditMenu", "EditCopy", Kind::Plain, "&Copy", "Cmd+C", true},
    {"EditMenu", "EditPaste", Kind::Plain, "&Paste", "Cmd+V", true},
    {"EditMenu", "EditClear", Kind::Plain, "&Delete", "", true},
    {"EditMenu", "UntitledMenu0", Kind::Plain, "-", nullptr, true},
    {"EditMenu", "EditSelectAll", Kind::Plain, "Select &All", "Cmd+A", true},
};

class MenuBarTest : public testing::Test {
protected:
    void TearDown() override { _ReleaseMenuBar1(); }
};

TEST_F(MenuBarTest, TheBarHoldsFileThenEdit) {
    Ref<class MenuBar1> bar = MenuBar1();
    ASSERT_EQ(bar->Count(), 2);
    struct Menu {
        const char* name;
        const char* caption;
    };
    int64_t index = 0;
    for (const Menu& menu : {Menu{"FileMenu", "&File"}, Menu{"EditMenu", "&Edit"}}) {
        Ref<MenuItem> item = bar->Item(index++);
        EXPECT_EQ(item->Name, menu.name);
        EXPECT_EQ(item->Text, menu.caption);
        EXPECT_EQ(item->KeyboardShortcut, std::optional<String>(""));
        EXPECT_TRUE(item->AutoEnable);
    }
}

TEST_F(MenuBarTest, EachMenuHoldsItsItemsInOrderWithTheirClassCaptionShortcutAndEnabling) {
    Ref<class MenuBar1> bar = MenuBar1();
    std::map<String, int64_t> next;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        Ref<MenuItem> menu = bar->Child(row.menu);
        ASSERT_TRUE(menu);
        Ref<MenuItem> item = menu->Item(next[row.menu]++);
        EXPECT_EQ(item->Name, row.name);
        EXPECT_EQ(IsA<AppleMenuItem>(item), row.kind == Kind::About);
        EXPECT_EQ(IsA<QuitMenuItem>(item), row.kind == Kind::Quit);
        EXPECT_EQ(item->Text, row.caption);
        EXPECT_EQ(item->KeyboardShortcut,
                  row.shortcut ? std::optional<String>(row.shortcut) : std::optional<String>());
        EXPECT_EQ(item->AutoEnable, row.autoEnable);
        EXPECT_EQ(item->Count(), 0);
    }
    EXPECT_EQ(next["FileMenu"], bar->Child("FileMenu")->Count());
    EXPECT_EQ(next["EditMenu"], bar->Child("EditMenu")->Count());
}

TEST_F(MenuBarTest, AboutEndsInOneEllipsisCharacterWhileImportAndExportEndInThreeStops) {
    Ref<MenuItem> about = MenuBar1()->_Lookup("FileAboutWordloom");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->Text.substr(about->Text.size() - 3), "\xE2\x80\xA6");
    EXPECT_EQ(Len(about->Text), 15);
    EXPECT_EQ(MenuBar1()->_Lookup("FileImport")->Text.substr(7), "...");
}

TEST_F(MenuBarTest, OneInstanceUntilTheCleanUpReleasesIt) {
    Ref<class MenuBar1> first = MenuBar1();
    EXPECT_EQ(MenuBar1(), first);
    EXPECT_EQ(first->Count(), 2);

    _ReleaseMenuBar1();
    EXPECT_NE(MenuBar1(), first);
}

TEST(ShortcutForDesktopTest, CmdIsControlHere) {
    EXPECT_EQ(ShortcutForDesktop("Cmd+N"), "Ctrl+N");
    EXPECT_EQ(ShortcutForDesktop("Cmd+Q"), "Ctrl+Q");
    EXPECT_EQ(ShortcutForDesktop(""), "");
}

} // namespace
