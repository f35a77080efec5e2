#include "winDebug.h"

#include "ClassRegistry.h"
#include "Clipboard.h"
#include "Date.h"
#include "PushButton.h"
#include "TextArea.h"

namespace {

// The fields left out keep the framework's defaults: a visible, resizable document window.
WindowDesign DebugWindowDesign() {
    return {.Width = 448, .Height = 292, .Frame = 3, .BackColor = 0xF8F8FF, .Title = "Wordloom Message Log"};
}

PushButtonDesign ButtonDesign(int32_t left, int32_t tabIndex, bool enabled, const String& caption,
                              double textSize) {
    PushButtonDesign design;
    design.Left = left;
    design.Top = 252;
    design.Width = 69;
    design.Height = 20;
    design.LockLeft = design.LockTop = false;
    design.LockRight = design.LockBottom = true;
    design.TabIndex = tabIndex;
    design.Enabled = enabled;
    design.Visible = design.TabStop = true;
    design.Caption = caption;
    design.TextFont = "System";
    design.TextSize = textSize;
    design.Bold = design.Italic = design.Underline = false;
    design.Default = design.Cancel = false;
    return design;
}

TextAreaDesign LogDesign() {
    TextAreaDesign design;
    design.Left = 20;
    design.Top = 14;
    design.Width = 408;
    design.Height = 226;
    design.LockLeft = design.LockTop = design.LockRight = design.LockBottom = true;
    design.TabIndex = 2;
    design.Enabled = design.Visible = design.TabStop = true;
    design.TextFont = "Verdana";
    design.TextSize = 10;
    design.Bold = design.Italic = design.Underline = false;
    design.Multiline = design.ScrollbarVertical = true;
    design.ScrollbarHorizontal = design.Styled = design.ReadOnly = false;
    design.Border = design.HideSelection = design.UseFocusRing = true;
    design.AcceptTabs = false;
    design.LimitText = 0;
    design.Alignment = 0;
    design.TextColor = 0x000000;
    design.BackColor = 0xFFFFFF;
    return design;
}

} // namespace

void winDebug::Layout() {
    ApplyDesign(DebugWindowDesign());
}

void winDebug::CreateControls() {
    _CreateControls0();
}

void winDebug::_CreateControls0() {
    _AddControl("btnClose", New<PushButton>());
    btnClose()->TextUnit(0);
    btnClose()->ApplyDesign(ButtonDesign(359, 0, true, "Close", 12));
    btnClose()->Action = [this] { btnClose_Action(); };

    _AddControl("btnCopy", New<PushButton>());
    btnCopy()->TextUnit(0);
    btnCopy()->ApplyDesign(ButtonDesign(278, 1, false, "Copy", 0));
    btnCopy()->Action = [this] { btnCopy_Action(); };

    _AddControl("txtLog", New<TextArea>());
    txtLog()->TextUnit(0);
    txtLog()->ApplyDesign(LogDesign());
    txtLog()->SelChange = [this] { txtLog_SelChange(); };
}

Ref<TextArea> winDebug::txtLog() const {
    return Control<TextArea>("txtLog");
}

Ref<PushButton> winDebug::btnCopy() const {
    return Control<PushButton>("btnCopy");
}

Ref<PushButton> winDebug::btnClose() const {
    return Control<PushButton>("btnClose");
}

void winDebug::btnClose_Action() {
    Close();
}

void winDebug::btnCopy_Action() {
    Clipboard clipboard;
    clipboard.Text(txtLog()->SelText());
}

void winDebug::txtLog_SelChange() {
    btnCopy()->Enabled(Len(txtLog()->SelText()) > 0);
}

void winDebug::AddMenuHandlers(const Ref<Window>& window) {
    Ref<winDebug> self = Cast<winDebug>(window);
    // The window owns its handlers, so the handler must not own the window.
    class winDebug* target = self.Get();
    self->_AddMenuHandler("EditCopy", [target] { return target->_EditCopy_Action(); });
}

bool winDebug::_EditCopy_Action() {
    return false;
}

void winDebug::Append(const String& text) {
    String entry = Date().SQLDateTime() + ": " + text;
    if (Len(txtLog()->Text()) > 0)
        entry = EndOfLine() + EndOfLine() + entry;
    txtLog()->SelStart(Len(txtLog()->Text()));
    txtLog()->SelLength(0);
    txtLog()->SelText(entry);
}

ClassInfo winDebugClassInfo() {
    const Scope P = Scope::Public, Hidden = Scope::PublicHidden;
    return {"winDebug",
            "Window",
            {{"Layout", P},
             {"CreateControls", P},
             {"_CreateControls0", Hidden},
             {"txtLog", P},
             {"btnCopy", P},
             {"btnClose", P},
             {"btnClose_Action", P},
             {"btnCopy_Action", P},
             {"txtLog_SelChange", P},
             {"AddMenuHandlers", P},
             {"_EditCopy_Action", P},
             {"Append", P}}};
}

Ref<class winDebug> winDebug() {
    return ImplicitInstance<class winDebug>("winDebug.winDebug");
}
