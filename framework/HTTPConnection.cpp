#include "HTTPConnection.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Long enough for a slow name lookup and connection, short enough that a dead server leaves nothing
// behind for the rest of the session.
constexpr int kGiveUpAfterMilliseconds = 30000;

// One request on its way. It owns itself, so that the client that started it need not wait, and
// deletes itself once the request is written and the connection closed, or it failed, or it gave up.
class PendingRequest : public QObject {
public:
    // The application is its parent, so that a request still on its way when the program ends goes too.
    PendingRequest(QString host, uint16_t port, QByteArray request)
        : QObject(QCoreApplication::instance()), m_Host(std::move(host)), m_Port(port),
          m_Request(std::move(request)) {
        connect(&m_Socket, &QTcpSocket::connected, this, [this] { WriteRequest(); });
        connect(&m_Socket, &QTcpSocket::disconnected, this, [this] { Finish(); });
        connect(&m_Socket, &QTcpSocket::errorOccurred, this, [this] { Finish(); });
        m_GiveUp.setSingleShot(true);
        connect(&m_GiveUp, &QTimer::timeout, this, [this] { Finish(); });
    }

    // The socket goes last and still tells of its closing as it goes, when the timer that Finish
    // stops has gone already: nothing of ours may answer it then.
    ~PendingRequest() override { m_Socket.disconnect(this); }

    void Start() {
        m_GiveUp.start(kGiveUpAfterMilliseconds);
        // A host name is looked up without blocking the event loop.
        m_Socket.connectToHost(m_Host, m_Port);
    }

private:
    void WriteRequest() {
        m_Socket.write(m_Request);
        // The socket closes once everything is written; the reply is not wanted.
        m_Socket.disconnectFromHost();
    }

    void Finish() {
        if (m_Finished)
            return;
        m_Finished = true;
        m_GiveUp.stop();
        m_Socket.abort();
        deleteLater();
    }

    QString m_Host;
    uint16_t m_Port;
    QByteArray m_Request;
    QTcpSocket m_Socket;
    QTimer m_GiveUp;
    bool m_Finished = false;
};

} // namespace

extern "C" void WordloomHTTPSend(const char* host, uint16_t port, const char* request, size_t size) {
    auto* pending =
        new PendingRequest(QString::fromUtf8(host), port, QByteArray(request, static_cast<qsizetype>(size)));
    pending->Start();
}
