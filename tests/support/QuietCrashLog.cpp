#include "QuietCrashLog.h"

#include "diagnostics/CrashLogEndpoint.h"

#include <QHostAddress>
#include <QTcpServer>

namespace QuietCrashLog {

const String& Address() {
    static const String address = [] {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return "http://127.0.0.1:" + Str(probe.serverPort()) + "/clientcrashlog.php";
    }();
    return address;
}

void Install() {
    CrashLogEndpoint::SetAddress(Address());
}

} // namespace QuietCrashLog
