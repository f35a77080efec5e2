#include "winMain.h"

#include "Listbox.h"
#include "MenuItem.h"
#include "about/winAbout.h"

namespace {

// Nothing is cached: the item is looked up afresh at any depth of the window's menu bar.
template <class Item> Ref<Item> FindItem(const Window& window, const String& name) {
    return Cast<Item>(window.MenuBar()->_Lookup(name));
}

// The handler holds the window weakly: the window owns its handlers.
void AddHandler(Window& registrar, const String& itemName, const Ref<class winMain>& target,
                bool (winMain::*action)()) {
    std::weak_ptr<class winMain> weak = target.Shared();
    registrar._AddMenuHandler(itemName, [weak, action] {
        Ref<class winMain> window(weak.lock());
        return ((*window).*action)();
    });
}

} // namespace

Ref<MenuItem> winMain::EditMenu() const {
    return FindItem<MenuItem>(*this, "EditMenu");
}

Ref<MenuItem> winMain::EditSelectAll() const {
    return FindItem<MenuItem>(*this, "EditSelectAll");
}

Ref<MenuItem> winMain::UntitledMenu0() const {
    return FindItem<MenuItem>(*this, "UntitledMenu0");
}

Ref<MenuItem> winMain::EditClear() const {
    return FindItem<MenuItem>(*this, "EditClear");
}

Ref<MenuItem> winMain::EditPaste() const {
    return FindItem<MenuItem>(*this, "EditPaste");
}

Ref<MenuItem> winMain::EditCopy() const {
    return FindItem<MenuItem>(*this, "EditCopy");
}

Ref<MenuItem> winMain::EditCut() const {
    return FindItem<MenuItem>(*this, "EditCut");
}

Ref<MenuItem> winMain::UntitledMenu1() const {
    return FindItem<MenuItem>(*this, "UntitledMenu1");
}

Ref<MenuItem> winMain::EditUndo() const {
    return FindItem<MenuItem>(*this, "EditUndo");
}

Ref<MenuItem> winMain::FileMenu() const {
    return FindItem<MenuItem>(*this, "FileMenu");
}

Ref<QuitMenuItem> winMain::FileQuit() const {
    return FindItem<QuitMenuItem>(*this, "FileQuit");
}

Ref<MenuItem> winMain::FileExport() const {
    return FindItem<MenuItem>(*this, "FileExport");
}

Ref<MenuItem> winMain::FileImport() const {
    return FindItem<MenuItem>(*this, "FileImport");
}

Ref<MenuItem> winMain::UntitledSeparator() const {
    return FindItem<MenuItem>(*this, "UntitledSeparator");
}

Ref<MenuItem> winMain::FileDeleteWord() const {
    return FindItem<MenuItem>(*this, "FileDeleteWord");
}

Ref<MenuItem> winMain::FileNewWord() const {
    return FindItem<MenuItem>(*this, "FileNewWord");
}

Ref<AppleMenuItem> winMain::FileAboutWordloom() const {
    return FindItem<AppleMenuItem>(*this, "FileAboutWordloom");
}

void winMain::AddMenuHandlers(const Ref<Window>& window) {
    Ref<class winMain> target = Cast<class winMain>(window);
    AddHandler(*this, "FileAboutWordloom", target, &winMain::_FileAboutWordloom_Action);
    AddHandler(*this, "FileDeleteWord", target, &winMain::_FileDeleteWord_Action);
    AddHandler(*this, "FileExport", target, &winMain::_FileExport_Action);
    AddHandler(*this, "FileImport", target, &winMain::_FileImport_Action);
    AddHandler(*this, "FileNewWord", target, &winMain::_FileNewWord_Action);
}

void winMain::Event_EnableMenuItems() {
    bool dictionarySelected = lstDictionaries()->SelCount() > 0;
    FileDeleteWord()->Enabled(lstCustomWords()->SelCount() > 0);
    FileImport()->Enabled(dictionarySelected);
    FileExport()->Enabled(dictionarySelected);
    FileNewWord()->Enabled(dictionarySelected);
}

bool winMain::_FileAboutWordloom_Action() {
    winAbout()->Show();
    return true;
}

bool winMain::_FileDeleteWord_Action() {
    DeleteWord();
    return true;
}

bool winMain::_FileExport_Action() {
    Export();
    return true;
}

bool winMain::_FileImport_Action() {
    Import();
    return true;
}

bool winMain::_FileNewWord_Action() {
    AddWord();
    return true;
}
