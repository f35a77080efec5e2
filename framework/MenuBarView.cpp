#include "MenuBarView.h"

#include "MenuItem.h"
#include "Runtime.h"
#include "Window.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MenuBarView::MenuBarView(Window& window, QMainWindow* native, const Ref<MenuItem>& bar)
    : m_Window(window), m_Widget(new QMenuBar(native)) {
    for (const Ref<MenuItem>& menu : bar->Children())
        AddMenu(menu);
    native->setMenuBar(m_Widget);
}

MenuBarView::~MenuBarView() {
    m_Widget->deleteLater();
}

QMenu* MenuBarView::AddMenu(const Ref<MenuItem>& item) {
    QMenu* menu = m_Widget->addMenu(QString::fromStdString(item->Text));
    menu->setObjectName(QString::fromStdString(item->Name));
    item->_AddAction(menu->menuAction());
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this] { m_Window._EnableMenuItems(); });
    AddItems(menu, item);
    return menu;
}

void MenuBarView::AddItems(QMenu* menu, const Ref<MenuItem>& parent) {
    for (const Ref<MenuItem>& item : parent->Children()) {
        if (item->IsSeparator()) {
            menu->addSeparator()->setObjectName(QString::fromStdString(item->Name));
            continue;
        }
        if (item->Count() > 0) {
            QMenu* submenu = menu->addMenu(QString::fromStdString(item->Text));
            item->_AddAction(submenu->menuAction());
            AddItems(submenu, item);
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(item->Text));
        action->setObjectName(QString::fromStdString(item->Name));
        if (item->KeyboardShortcut && !item->KeyboardShortcut->empty())
            action->setShortcut(
                QKeySequence(QString::fromStdString(ShortcutForDesktop(*item->KeyboardShortcut))));
        if (IsA<QuitMenuItem>(item))
            action->setMenuRole(QAction::QuitRole);
        if (IsA<AppleMenuItem>(item))
            action->setMenuRole(QAction::AboutRole);
        item->_AddAction(action);
        std::weak_ptr<MenuItem> weak = item.Shared();
        QObject::connect(action, &QAction::triggered, action, [this, weak] {
            Ref<MenuItem> chosen(weak.lock());
            if (chosen)
                Dispatch([&] { m_Window._HandleMenuCommand(chosen); });
        });
    }
}

String ShortcutForDesktop(const String& shortcut) {
    const String mac = "Cmd+";
    if (shortcut.rfind(mac, 0) == 0)
        return "Ctrl+" + shortcut.substr(mac.size());
    return shortcut;
}
