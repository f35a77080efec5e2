#include "winMain.h"

// FIXME: not built yet.
void winMain::PopulateDictionariesListbox() {}

// FIXME: not built yet.
void winMain::PopulateCustomDictionary() {}

// FIXME: not built yet.
void winMain::SaveDictionary() {}
