#pragma once

#include "Ref.h"

class MenuItem;
class QMainWindow;
class QMenu;
class QMenuBar;
class Window;

/// Shows a menu bar of MenuItems in one window: each window has its own menu widgets over the
/// shared items, and a command chosen there goes to that window.
class MenuBarView {
  public:
    MenuBarView(Window& window, QMainWindow* native, const Ref<MenuItem>& bar);
    ~MenuBarView();
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    QMenuBar* Widget() const { return m_Widget; }

  private:
    void AddItems(QMenu* menu, const Ref<MenuItem>& parent);
    QMenu* AddMenu(const Ref<MenuItem>& item);

    Window& m_Window;
    QMenuBar* m_Widget;
};

/// "Cmd+N" as the desktop writes it ("Ctrl+N").
String ShortcutForDesktop(const String& shortcut);
