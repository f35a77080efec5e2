#include "DiagnosticsTest.h"

#include "App.h"
#include "Runtime.h"
#include "Window.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "diagnostics/winDebug.h"

#include <QCoreApplication>
#include "support/QuietCrashLog.h"

#include <QEvent>

void DiagnosticsTest::SetUp() {
    int argc = 0;
    Runtime::RuntimeInit(argc, nullptr);
    _RuntimeRegisterAppObject(New<class App>());
    CrashLogEndpoint::SetAddress(server.Address("/clientcrashlog.php"));
}

void DiagnosticsTest::TearDown() {
    for (const Ref<Window>& window : WindowList::OpenWindows())
        window->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QuietCrashLog::Install();
    _RuntimeRegisterAppObject(nullptr);
}

Ref<class winDebug> DiagnosticsTest::OpenLog() {
    return Cast<class winDebug>(WindowList::FindImplicitInstance("winDebug.winDebug"));
}

bool DiagnosticsTest::IsStampedEntry(const String& text, const String& report) {
    const String pattern = "0000-00-00 00:00:00: ";
    if (text.size() != pattern.size() + report.size() || text.substr(pattern.size()) != report)
        return false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '0' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}
