#pragma once

#include "Listbox.h"
#include "MsgBox.h"
#include "Runtime.h"
#include "Startup.h"
#include "mainwindow/winMain.h"
#include "support/ListRows.h"
#include "support/RecordingAnswerer.h"
#include "support/TempHome.h"

#include <QAction>
#include <QMainWindow>

#include <gtest/gtest.h>
#include <vector>

/// The application started as the program starts it, over a home of the test's own that holds two
/// dictionaries, "en" (alpha, beta) and "words.dic" (gamma); every file dialog and message goes to
/// the recording answerer.
class StartedApp : public testing::Test {
protected:
    void SetUp() override {
        TempHome::WriteFile(home.Spelling() / "en", String("alpha\0beta\0", 11));
        TempHome::WriteFile(home.Spelling() / "words.dic", String("gamma\0", 6));
        answerer = std::make_shared<RecordingAnswerer>();
        SetModalAnswerer(answerer);
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        _RegisterClasses();
        _Startup();
        window = winMain();
    }

    void TearDown() override {
        window = nullptr;
        _ReleaseModuleObjects();
        Runtime::RuntimeExit();
        SetModalAnswerer(nullptr);
    }

    /// Chooses the dictionary as a click on its row does.
    void SelectDictionary(const String& name) {
        Ref<Listbox> list = window->lstDictionaries();
        for (int64_t row = 0; row < list->ListCount(); ++row) {
            if (list->List(row) == name) {
                list->ListIndex(row);
                return;
            }
        }
        FAIL() << "no dictionary " << name;
    }

    void SetWords(const std::vector<String>& words) {
        Ref<Listbox> list = window->lstCustomWords();
        list->DeleteAllRows();
        for (const String& word : words)
            list->AddRow(word);
    }

    std::vector<String> Words() const { return ListRows(window->lstCustomWords()); }

    /// The window's own action of the menu item; each window shows the menu bar through its own.
    static QAction* Action(const Window& w, const char* itemName) {
        return w._Native()->findChild<QAction*>(itemName);
    }

    TempHome home;
    std::shared_ptr<RecordingAnswerer> answerer;
    Ref<class winMain> window;
};
