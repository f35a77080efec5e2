#pragma once

#include "MenuItem.h"

/// The application's one menu bar: the File menu, then the Edit menu.
class MenuBar1 : public MenuItem {
  public:
    MenuBar1();

    void FileMenu();
    void EditMenu();
};

/// The one MenuBar1, made on first use.
Ref<class MenuBar1> MenuBar1();
/// Releases the one MenuBar1 at the final clean-up.
void _ReleaseMenuBar1();
