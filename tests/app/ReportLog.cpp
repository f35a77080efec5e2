#include "ReportLog.h"

#include "TextArea.h"
#include "Window.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "diagnostics/winDebug.h"

#include <QHostAddress>
#include <QTcpServer>

namespace {

uint16_t UnusedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

ReportLog::ReportLog() {
    CrashLogEndpoint::SetAddress("http://127.0.0.1:" + Str(UnusedPort()) + "/clientcrashlog.php");
}

ReportLog::~ReportLog() {
    CrashLogEndpoint::SetAddress("");
}

String ReportLog::Text() const {
    Ref<Window> log = WindowList::FindImplicitInstance("winDebug.winDebug");
    if (!log)
        return String();
    return Cast<class winDebug>(log)->txtLog()->Text();
}

int ReportLog::Count(const String& location) const {
    String text = Text();
    // Each report's first line ends in its location.
    String line = location + EndOfLine();
    int count = 0;
    for (size_t at = text.find(line); at != String::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}
