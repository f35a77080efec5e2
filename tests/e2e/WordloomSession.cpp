#include "WordloomSession.h"

#include "Startup.h"
#include "ToolItem.h"
#include "Toolbar.h"
#include "ToolbarExtensions.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "mainwindow/WindowPrefs.h"
#include "mainwindow/winMain.h"
#include "support/ListRows.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <gtest/gtest.h>

WordloomSession::WordloomSession() {
    std::filesystem::create_directories(home.Spelling());
    SetModalAnswerer(answerer);
    CrashLogEndpoint::SetAddress(crashLog.Address("/clientcrashlog.php"));
}

WordloomSession::~WordloomSession() {
    SetModalAnswerer(nullptr);
}

int WordloomSession::Run(const std::function<void()>& script) {
    QTimer::singleShot(0, [script] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(MainWindow()->_Native()));
        QApplication::processEvents();
        script();
        std::vector<Ref<Window>> open = WindowList::OpenWindows();
        for (auto window = open.rbegin(); window != open.rend(); ++window)
            (*window)->Close();
    });
    return RunWordloom(0, nullptr);
}

std::filesystem::path WordloomSession::PreferencesFile() const {
    return home.Config() / WindowPrefs::FileName();
}

Ref<Window> WordloomSession::OpenWindow(const String& key) {
    return WindowList::FindImplicitInstance(key);
}

Ref<class winMain> WordloomSession::MainWindow() {
    return Cast<class winMain>(OpenWindow("winMain.winMain"));
}

void WordloomSession::ChooseDictionary(const String& name) {
    Ref<Listbox> list = MainWindow()->lstDictionaries();
    ClickRow(list, RowOf(list, name));
}

void WordloomSession::ClickRow(const Ref<Listbox>& list, int64_t row, Qt::KeyboardModifiers modifiers) {
    QTreeView* view = list->_TreeView();
    QModelIndex index = view->model()->index(static_cast<int>(row), 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(index).center());
    QApplication::processEvents();
}

int64_t WordloomSession::RowOf(const Ref<Listbox>& list, const String& text) {
    for (int64_t row = 0; row < list->ListCount(); ++row) {
        if (list->List(row) == text)
            return row;
    }
    return -1;
}

std::vector<String> WordloomSession::Rows(const Ref<Listbox>& list) {
    return ListRows(list);
}

QWidget* WordloomSession::ToolButton(const String& itemName) {
    Ref<Toolbar> toolbar = MainWindow()->Toolbar11();
    Ref<ToolItem> item = ToolbarExtensions::Item(toolbar, itemName);
    return toolbar->_ToolBar()->widgetForAction(item->_Action());
}

void WordloomSession::ClickToolButton(const String& itemName) {
    QTest::mouseClick(ToolButton(itemName), Qt::LeftButton);
    QApplication::processEvents();
}

bool WordloomSession::ToolButtonEnabled(const String& itemName) {
    return ToolButton(itemName)->isEnabled();
}

void WordloomSession::TypeAndReturn(const String& text) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    QTest::keyClicks(focus, QString::fromStdString(text));
    QTest::keyClick(focus, Qt::Key_Return);
    QApplication::processEvents();
}

void WordloomSession::PressShortcut(Qt::Key key) {
    QMainWindow* native = MainWindow()->_Native();
    native->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(native));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : native;
    QTest::keyClick(target, key, Qt::ControlModifier);
    QApplication::processEvents();
}

QAction* WordloomSession::MenuAction(const Window& window, const char* itemName) {
    return window._Native()->findChild<QAction*>(itemName);
}

bool WordloomSession::WaitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 5000);
}
