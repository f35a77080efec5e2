#include "winMain.h"

// FIXME: not built yet.
void winMain::KillAppleSpell() {}
