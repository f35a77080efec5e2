#pragma once

#include "Window.h"

class TextArea;
class PushButton;
struct ClassInfo;

/// The message log window: every exception report, stamped with the date and time.
class winDebug : public Window {
public:
    // Construction
    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    // Controls, found by name
    Ref<TextArea> txtLog() const;
    Ref<PushButton> btnCopy() const;
    Ref<PushButton> btnClose() const;

    // Control events
    void btnClose_Action();
    void btnCopy_Action();
    void txtLog_SelChange();

    // Menus
    void AddMenuHandlers(const Ref<Window>& window) override;
    bool _EditCopy_Action();

    /// Adds one entry to the end of the log.
    void Append(const String& text);
};

ClassInfo winDebugClassInfo();

/// The open message log window, or a new one, shown at once.
Ref<class winDebug> winDebug();
