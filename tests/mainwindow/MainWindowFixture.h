#pragma once

#include "App.h"
#include "Listbox.h"
#include "app/ReportLog.h"
#include "mainwindow/winMain.h"
#include "support/ListRows.h"
#include "support/RecordingAnswerer.h"
#include "support/TempHome.h"
#include "winMainTestAccess.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

/// A main window of its own for each test, in a temporary home, with every message and report
/// recorded. The lists' Change events are unbound, so that a test runs only the methods it calls.
class MainWindowFixture : public testing::Test {
protected:
    using Access = winMainTestAccess;

    void SetUp() override {
        SetModalAnswerer(answerer);
        _RuntimeRegisterAppObject(New<class App>());
        window = New<class winMain>();
        window->_Construct();
        window->lstDictionaries()->Change = nullptr;
        window->lstCustomWords()->Change = nullptr;
        answerer->Clear();
    }
    void TearDown() override {
        window->Close();
        // Reports of one test stay out of the next one's count.
        if (Ref<Window> log = WindowList::FindImplicitInstance("winDebug.winDebug"))
            log->Close();
        SetModalAnswerer(nullptr);
        LetPendingPostsEnd();
    }

    // A report posts its form on the event loop, which a test does not run; the post to the unused
    // local port fails at once, and its request is freed, once the loop has had a few turns.
    static void LetPendingPostsEnd() {
        for (int turn = 0; turn < 20; ++turn) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    std::filesystem::path Dictionary(const String& name) const { return home.Spelling() / name; }
    void WriteDictionary(const String& name, const String& bytes) const {
        TempHome::WriteFile(Dictionary(name), bytes);
    }
    String ReadDictionary(const String& name) const { return TempHome::ReadFile(Dictionary(name)); }

    /// Lists the Spelling folder and selects the dictionary of that name in it.
    void Select(const String& name) {
        Access::PopulateDictionariesListbox(*window);
        Ref<Listbox> list = window->lstDictionaries();
        for (int64_t row = 0; row < list->ListCount(); ++row) {
            if (list->Cell(row, 0) != name)
                continue;
            list->ListIndex(row);
            return;
        }
        FAIL() << name << " is not listed";
    }
    void Load(const String& name) {
        Select(name);
        Access::PopulateCustomDictionary(*window);
    }
    void Save() { Access::SaveDictionary(*window); }

    std::vector<String> Words() const { return ListRows(window->lstCustomWords()); }
    std::vector<String> Dictionaries() const { return ListRows(window->lstDictionaries()); }
    std::vector<String> Messages() const { return answerer->Messages(); }

    TempHome home;
    ReportLog reports;
    std::shared_ptr<RecordingAnswerer> answerer = std::make_shared<RecordingAnswerer>();
    Ref<class winMain> window;
};
