#include "LoopbackServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

LoopbackServer::LoopbackServer() {
    m_Server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_Server, &QTcpServer::newConnection, &m_Server, [this] { Accept(); });
}

LoopbackServer::~LoopbackServer() = default;

uint16_t LoopbackServer::Port() const {
    return m_Server.serverPort();
}

String LoopbackServer::Address(const String& path) const {
    return "http://127.0.0.1:" + std::to_string(Port()) + path;
}

bool LoopbackServer::WaitForRequests(size_t count) {
    return QTest::qWaitFor([&] { return m_Requests.size() >= count; }, 20000);
}

void LoopbackServer::Accept() {
    while (QTcpSocket* socket = m_Server.nextPendingConnection()) {
        ++m_Connections;
        auto bytes = std::make_shared<String>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, bytes] {
            QByteArray data = socket->readAll();
            bytes->append(data.constData(), static_cast<size_t>(data.size()));
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket, bytes] {
            QByteArray rest = socket->readAll();
            bytes->append(rest.constData(), static_cast<size_t>(rest.size()));
            m_Requests.push_back(*bytes);
            socket->deleteLater();
            if (RequestReceived)
                RequestReceived();
        });
    }
}

uint16_t LoopbackServer::UnusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    uint16_t port = probe.serverPort();
    probe.close();
    return port;
}

HttpRequest SplitRequest(const String& request) {
    size_t end = request.find("\r\n\r\n");
    if (end == String::npos)
        return {request, String()};
    return {request.substr(0, end), request.substr(end + 4)};
}
