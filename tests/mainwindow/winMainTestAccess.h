#pragma once

#include "mainwindow/winMain.h"

/// Reaches the main window's protected and private members, which its own handlers call.
class winMainTestAccess {
public:
    static void PopulateDictionariesListbox(class winMain& w) { w.PopulateDictionariesListbox(); }
    static void PopulateCustomDictionary(class winMain& w) { w.PopulateCustomDictionary(); }
    static void SaveDictionary(class winMain& w) { w.SaveDictionary(); }
    static void KillAppleSpell(class winMain& w) { w.KillAppleSpell(); }
    static void LoadPrefs(class winMain& w) { w.LoadPrefs(); }
    static void SavePrefs(class winMain& w) { w.SavePrefs(); }
    static const String& Delim(const class winMain& w) { return w.m_Delim; }
    static bool LoadComplete(const class winMain& w) { return w.m_LoadComplete; }
};
