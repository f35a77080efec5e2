#include "winDebug.h"

#include "ClassRegistry.h"

// FIXME: the message log window is not built yet.
void winDebug::Layout() {}
void winDebug::CreateControls() {}
void winDebug::_CreateControls0() {}
Ref<TextArea> winDebug::txtLog() const {
    return nullptr;
}
Ref<PushButton> winDebug::btnCopy() const {
    return nullptr;
}
Ref<PushButton> winDebug::btnClose() const {
    return nullptr;
}
void winDebug::btnClose_Action() {}
void winDebug::btnCopy_Action() {}
void winDebug::txtLog_SelChange() {}
void winDebug::AddMenuHandlers(const Ref<Window>&) {}
bool winDebug::_EditCopy_Action() {
    return false;
}
void winDebug::Append(const String&) {}

ClassInfo winDebugClassInfo() {
    return {"winDebug", "Window", {}};
}

Ref<class winDebug> winDebug() {
    return ImplicitInstance<class winDebug>("winDebug.winDebug");
}
