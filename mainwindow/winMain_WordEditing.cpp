#include "winMain.h"

// FIXME: not built yet.
void winMain::AddWord() {}

// FIXME: not built yet.
void winMain::DeleteWord() {}

// FIXME: not built yet.
void winMain::EditWord() {}
