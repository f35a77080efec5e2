#include "MenuBar1.h"

namespace {

Ref<class MenuBar1>& Instance() {
    static Ref<class MenuBar1> instance;
    return instance;
}

struct ItemRow {
    const char* name;
    const char* caption;
    /// Null for the separators, which get no shortcut at all.
    const char* shortcut;
    bool autoEnable;
};

template <class Item> Ref<MenuItem> MakeItem(const ItemRow& row) {
    Ref<MenuItem> item = New<Item>();
    item->Name = row.name;
    item->AutoEnable = row.autoEnable;
    item->Text = row.caption;
    if (row.shortcut)
        item->KeyboardShortcut = String(row.shortcut);
    return item;
}

void AppendToMenu(MenuItem& bar, const char* menuName, const Ref<MenuItem>& item) {
    Ref<MenuItem> menu = bar.Child(menuName);
    menu->Append(item);
}

} // namespace

MenuBar1::MenuBar1() {
    FileMenu();
    EditMenu();
}

void MenuBar1::FileMenu() {
    Append(MakeItem<MenuItem>({"FileMenu", "&File", "", true}));
    AppendToMenu(*this, "FileMenu",
                 MakeItem<AppleMenuItem>({"FileAboutWordloom", "About Wordloom\u2026", "", true}));
    AppendToMenu(*this, "FileMenu", MakeItem<MenuItem>({"FileNewWord", "&New Word", "Cmd+N", true}));
    AppendToMenu(*this, "FileMenu", MakeItem<MenuItem>({"FileDeleteWord", "&Delete Word", "Cmd+D", false}));
    AppendToMenu(*this, "FileMenu", MakeItem<MenuItem>({"UntitledSeparator", "-", nullptr, true}));
    AppendToMenu(*this, "FileMenu", MakeItem<MenuItem>({"FileImport", "&Import...", "Cmd+I", false}));
    AppendToMenu(*this, "FileMenu", MakeItem<MenuItem>({"FileExport", "&Export...", "Cmd+E", false}));
    AppendToMenu(*this, "FileMenu", MakeItem<QuitMenuItem>({"FileQuit", "&Quit", "Cmd+Q", true}));
}

void MenuBar1::EditMenu() {
    Append(MakeItem<MenuItem>({"EditMenu", "&Edit", "", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditUndo", "&Undo", "Cmd+Z", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"UntitledMenu1", "-", nullptr, true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditCut", "Cu&t", "Cmd+X", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditCopy", "&Copy", "Cmd+C", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditPaste", "&Paste", "Cmd+V", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditClear", "&Delete", "", true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"UntitledMenu0", "-", nullptr, true}));
    AppendToMenu(*this, "EditMenu", MakeItem<MenuItem>({"EditSelectAll", "Select &All", "Cmd+A", true}));
}

Ref<class MenuBar1> MenuBar1() {
    Ref<class MenuBar1>& instance = Instance();
    if (!instance)
        instance = New<class MenuBar1>();
    return instance;
}

void _ReleaseMenuBar1() {
    Instance() = nullptr;
}
