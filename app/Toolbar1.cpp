#include "Toolbar1.h"

#include "BundlePictures.h"
#include "ToolItem.h"

namespace {

Ref<ToolButton> MakeButton(const String& name, int32_t style, bool enabled, const String& caption,
                           const String& helpTag) {
    Ref<ToolButton> button = New<ToolButton>();
    button->Name(name);
    button->Style(style);
    button->Enabled(enabled);
    button->Caption(caption);
    button->HelpTag(helpTag);
    return button;
}

} // namespace

Toolbar1::Toolbar1() {
    const int32_t push = ToolButton::ToolStylePushButton;
    tbSave = MakeButton("tbSave", push, false, "Save", "Save dictionary");
    tbSave->Icon(save());
    Append(tbSave);
    ToolItem2 = MakeButton("ToolItem2", ToolButton::ToolStyleSeparator, true, "Untitled", "");
    Append(ToolItem2);
    tbAdd = MakeButton("tbAdd", push, false, "Add", "Add a new word");
    tbAdd->Icon(add());
    Append(tbAdd);
    tbDelete = MakeButton("tbDelete", push, false, "Del", "Delete word");
    tbDelete->Icon(delete_());
    Append(tbDelete);
    tbEdit = MakeButton("tbEdit", push, false, "Edit", "Edit word");
    tbEdit->Icon(edit());
    Append(tbEdit);
}
