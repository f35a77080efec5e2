#include "winMain.h"

// FIXME: not built yet.
void winMain::LoadPrefs() {}

// FIXME: not built yet.
void winMain::SavePrefs() {}
