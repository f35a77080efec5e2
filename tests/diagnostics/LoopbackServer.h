#pragma once

#include "Strings.h"

#include <QTcpServer>

#include <functional>
#include <vector>

/// A TCP server on 127.0.0.1 that keeps the bytes of every connection. A request counts once its
/// client has closed the connection.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();

    uint16_t Port() const;
    /// "http://127.0.0.1:<port>" followed by the path.
    String Address(const String& path) const;
    /// Runs the event loop until that many requests are in; false when they did not come.
    bool WaitForRequests(size_t count);
    const std::vector<String>& Requests() const { return m_Requests; }
    size_t Connections() const { return m_Connections; }

    /// Called on the event loop each time a request is in.
    std::function<void()> RequestReceived;

    /// A port on which nothing listens.
    static uint16_t UnusedPort();

private:
    void Accept();

    QTcpServer m_Server;
    std::vector<String> m_Requests;
    size_t m_Connections = 0;
};

/// The request's head (request line and headers) and its body, split at the empty line.
struct HttpRequest {
    String Head;
    String Body;
};
HttpRequest SplitRequest(const String& request);
