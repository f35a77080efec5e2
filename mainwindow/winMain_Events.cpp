#include "winMain.h"

// FIXME: not built yet.
void winMain::lstDictionaries_Change() {}

// FIXME: not built yet.
void winMain::lstCustomWords_Change() {}

// FIXME: not built yet.
void winMain::Event_Open() {}

// FIXME: not built yet.
void winMain::Event_Close() {}

// FIXME: not built yet.
void winMain::Toolbar11_Action(const Ref<ToolItem>&) {}
