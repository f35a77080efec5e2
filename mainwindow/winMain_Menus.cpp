#include "winMain.h"

#include "MenuItem.h"

// FIXME: the menu item accessors and commands are not built yet.
Ref<MenuItem> winMain::EditMenu() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditSelectAll() const {
    return nullptr;
}
Ref<MenuItem> winMain::UntitledMenu0() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditClear() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditPaste() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditCopy() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditCut() const {
    return nullptr;
}
Ref<MenuItem> winMain::UntitledMenu1() const {
    return nullptr;
}
Ref<MenuItem> winMain::EditUndo() const {
    return nullptr;
}
Ref<MenuItem> winMain::FileMenu() const {
    return nullptr;
}
Ref<QuitMenuItem> winMain::FileQuit() const {
    return nullptr;
}
Ref<MenuItem> winMain::FileExport() const {
    return nullptr;
}
Ref<MenuItem> winMain::FileImport() const {
    return nullptr;
}
Ref<MenuItem> winMain::UntitledSeparator() const {
    return nullptr;
}
Ref<MenuItem> winMain::FileDeleteWord() const {
    return nullptr;
}
Ref<MenuItem> winMain::FileNewWord() const {
    return nullptr;
}
Ref<AppleMenuItem> winMain::FileAboutWordloom() const {
    return nullptr;
}
void winMain::AddMenuHandlers(const Ref<Window>&) {}
void winMain::Event_EnableMenuItems() {}
bool winMain::_FileAboutWordloom_Action() {
    return true;
}
bool winMain::_FileDeleteWord_Action() {
    return true;
}
bool winMain::_FileExport_Action() {
    return true;
}
bool winMain::_FileImport_Action() {
    return true;
}
bool winMain::_FileNewWord_Action() {
    return true;
}
