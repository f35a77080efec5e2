#pragma once

#include "Toolbar.h"

class ToolButton;

/// The main window's toolbar: Save, a separator, Add, Delete and Edit.
class Toolbar1 : public Toolbar {
  public:
    Toolbar1();

    Ref<ToolButton> tbSave;
    Ref<ToolButton> ToolItem2;
    Ref<ToolButton> tbAdd;
    Ref<ToolButton> tbDelete;
    Ref<ToolButton> tbEdit;
};
