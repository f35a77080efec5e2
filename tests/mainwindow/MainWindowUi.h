#pragma once

#include "App.h"
#include "Listbox.h"
#include "MsgBox.h"
#include "Runtime.h"
#include "Startup.h"
#include "TextField.h"
#include "ToolItem.h"
#include "Toolbar.h"
#include "ToolbarExtensions.h"
#include "app/ReportLog.h"
#include "mainwindow/winMain.h"
#include "support/ListRows.h"
#include "support/RecordingAnswerer.h"
#include "support/TempHome.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include <vector>

/// The main window as the program starts it, over a home of the test's own with three dictionaries:
/// "empty" (no bytes), "five" (w0 to w4, NUL-delimited) and "lines" (one, two, LF-delimited). It is
/// driven through its real widgets: the toolbar's buttons, the lists' rows, the cell editor's keys.
class MainWindowUi : public testing::Test {
protected:
    void SetUp() override {
        TempHome::WriteFile(Dictionary("empty"), "");
        TempHome::WriteFile(Dictionary("five"), kFive);
        TempHome::WriteFile(Dictionary("lines"), "one\ntwo\n");
        SetModalAnswerer(answerer);
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        _RegisterClasses();
        _InitFileTypes();
        _NewAppInstance();
        // So that the window's Open is seen to set it.
        App()->AutoQuit = false;
        _ApplicationAddMenuHandlers();
        _MakeDefaultView();
        window = winMain();
        QApplication::processEvents();
    }
    void TearDown() override {
        window = nullptr;
        _ReleaseModuleObjects();
        Runtime::RuntimeExit();
        SetModalAnswerer(nullptr);
    }

    std::filesystem::path Dictionary(const String& name) const { return home.Spelling() / name; }

    Ref<ToolItem> Item(const String& name) const {
        return ToolbarExtensions::Item(window->Toolbar11(), name);
    }
    /// The toolbar's own button of the item.
    QAction* Button(const String& name) const { return Item(name)->_Action(); }
    /// Clicks the toolbar button; a disabled one takes no click.
    void Click(const String& name) {
        Button(name)->trigger();
        QApplication::processEvents();
    }
    std::vector<bool> ButtonsEnabled() const {
        std::vector<bool> enabled;
        for (const char* name : {"tbSave", "tbAdd", "tbDelete", "tbEdit"})
            enabled.push_back(Button(name)->isEnabled());
        return enabled;
    }

    /// Clicks the dictionary's row, as the user chooses a dictionary.
    void ChooseDictionary(const String& name) {
        Ref<Listbox> list = window->lstDictionaries();
        for (int64_t row = 0; row < list->ListCount(); ++row) {
            if (list->List(row) != name)
                continue;
            QTreeView* view = list->_TreeView();
            QRect rect = view->visualRect(view->model()->index(static_cast<int>(row), 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
            QApplication::processEvents();
            return;
        }
        FAIL() << "no dictionary " << name;
    }
    void SelectWords(const std::vector<int64_t>& rows) {
        QApplication::processEvents();
        for (int64_t row : rows)
            window->lstCustomWords()->Selected(row, true);
    }

    std::vector<String> Words() const { return ListRows(window->lstCustomWords()); }

    /// The word list's open cell editor; the test fails when there is none.
    QLineEdit* Editor() const {
        Ref<TextField> cell = window->lstCustomWords()->ActiveCell();
        EXPECT_FALSE(cell.IsNil()) << "no cell is being edited";
        return cell.IsNil() ? nullptr : cell->_Editor();
    }
    /// The row under the open cell editor, -1 when none is open.
    int EditedRow() const {
        Ref<TextField> cell = window->lstCustomWords()->ActiveCell();
        if (cell.IsNil())
            return -1;
        QTreeView* view = window->lstCustomWords()->_TreeView();
        return view->indexAt(cell->_Editor()->geometry().center()).row();
    }
    void Type(const char* text) { QTest::keyClicks(Editor(), text); }
    void Press(Qt::Key key) {
        QTest::keyClick(Editor(), key);
        QApplication::processEvents();
    }

    static inline const String kFive = String("w0\0w1\0w2\0w3\0w4\0", 15);
    static inline const std::vector<String> kFiveWords = {"w0", "w1", "w2", "w3", "w4"};

    TempHome home;
    std::shared_ptr<RecordingAnswerer> answerer = std::make_shared<RecordingAnswerer>();
    ReportLog reports;
    Ref<class winMain> window;
};
