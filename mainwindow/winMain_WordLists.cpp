#include "winMain.h"

// FIXME: not built yet.
void winMain::Export() {}

// FIXME: not built yet.
void winMain::Import() {}
