#include "Toolbar1.h"

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

// FIXME: the buttons have no icons yet.
Toolbar1::Toolbar1() {
    tbSave = MakeButton("tbSave", ToolButton::ToolStylePushButton, false, "Save", "Save dictionary");
    Append(tbSave);
    ToolItem2 = MakeButton("ToolItem2", ToolButton::ToolStyleSeparator, true, "Untitled", "");
    Append(ToolItem2);
    tbAdd = MakeButton("tbAdd", ToolButton::ToolStylePushButton, false, "Add", "Add a new word");
    Append(tbAdd);
    tbDelete = MakeButton("tbDelete", ToolButton::ToolStylePushButton, false, "Del", "Delete word");
    Append(tbDelete);
    tbEdit = MakeButton("tbEdit", ToolButton::ToolStylePushButton, false, "Edit", "Edit word");
    Append(tbEdit);
}
