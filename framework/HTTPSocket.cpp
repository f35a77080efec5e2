#include "HTTPSocket.h"

#include <QCoreApplication>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Long enough for a slow name lookup and connection, short enough that a dead server leaves nothing
// behind for the rest of the session.
constexpr int kGiveUpAfterMilliseconds = 30000;
constexpr uint16_t kDefaultPort = 80;

// Replaced in this order: the percent sign first, so that the "%" of a later replacement stays.
constexpr std::pair<const char*, const char*> kFormEscapes[] = {
    {"%", "%25"}, {"&", "%26"}, {"=", "%3D"}, {",", "%2C"}, {"/", "%2F"},  {"\\", "%5C"}, {"]", "%5D"},
    {"[", "%5B"}, {"{", "%7B"}, {"}", "%7D"}, {"`", "%60"}, {"~", "%7E"},  {"-", "%2D"},  {"_", "%5F"},
    {"(", "%28"}, {")", "%29"}, {"*", "%2A"}, {"^", "%5E"}, {"$", "%24"},  {"#", "%23"},  {"!", "%21"},
    {"+", "%2B"}, {";", "%3B"}, {"<", "%3C"}, {">", "%3E"}, {"\r", "%0D"}, {"\n", "%0A"},
};

String EncodeFormText(const String& text) {
    String encoded = text;
    for (const auto& [character, escape] : kFormEscapes)
        encoded = ReplaceAll(encoded, character, escape);
    return ReplaceAll(encoded, " ", "+");
}

struct Endpoint {
    /// As the "Host" header names it, with the port when the address has one.
    String hostPart;
    String host;
    uint16_t port = kDefaultPort;
    String path;
};

Endpoint SplitAddress(const String& url) {
    String rest = url;
    if (size_t scheme = rest.find("://"); scheme != String::npos)
        rest = rest.substr(scheme + 3);
    Endpoint endpoint;
    size_t slash = rest.find('/');
    endpoint.hostPart = rest.substr(0, slash);
    endpoint.path = slash == String::npos ? "/" : rest.substr(slash);
    size_t colon = endpoint.hostPart.find(':');
    endpoint.host = endpoint.hostPart.substr(0, colon);
    if (colon == String::npos)
        return endpoint;
    double port = Val(endpoint.hostPart.substr(colon + 1));
    if (port >= 1 && port <= 65535)
        endpoint.port = static_cast<uint16_t>(port);
    return endpoint;
}

String RequestText(const String& path, const Dictionary& headers, const String& body) {
    String request = "POST " + path + " HTTP/1.0\r\n";
    for (int64_t i = 0; i < headers.Count(); ++i) {
        if (i > 0)
            request += "\r\n";
        request += headers.Key(i) + ": " + headers.Value(headers.Key(i));
    }
    return request + "\r\n\r\n" + body;
}

// One request on its way. It owns itself, so that the client that started it need not wait, and
// deletes itself once the request is written and the connection closed, or it failed, or it gave up.
class PendingRequest : public QObject {
public:
    // The application is its parent, so that a request still on its way when the program ends goes too.
    PendingRequest(Endpoint endpoint, Dictionary headers, String body, String contentType)
        : QObject(QCoreApplication::instance()), m_Endpoint(std::move(endpoint)),
          m_Headers(std::move(headers)), m_Body(std::move(body)), m_ContentType(std::move(contentType)) {
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
        m_Socket.connectToHost(QString::fromStdString(m_Endpoint.host), m_Endpoint.port);
    }

private:
    void WriteRequest() {
        m_Headers.Value("Host", m_Endpoint.hostPart);
        if (!m_ContentType.empty())
            m_Headers.Value("Content-type", m_ContentType);
        m_Headers.Value("Content-length", Str(LenB(m_Body)));
        String request = RequestText(m_Endpoint.path, m_Headers, m_Body);
        m_Socket.write(request.data(), static_cast<qint64>(request.size()));
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

    Endpoint m_Endpoint;
    Dictionary m_Headers;
    String m_Body;
    String m_ContentType;
    QTcpSocket m_Socket;
    QTimer m_GiveUp;
    bool m_Finished = false;
};

} // namespace

HTTPSocket::HTTPSocket() {
    m_RequestHeaders.Value("Accept", "*/*");
    m_RequestHeaders.Value("Accept-Language", "en");
}

void HTTPSocket::SetFormData(const Dictionary& form) {
    m_Body = EncodeFormData(form);
    m_ContentType = "application/x-www-form-urlencoded";
}

String HTTPSocket::EncodeFormData(const Dictionary& form) {
    String body;
    for (int64_t i = 0; i < form.Count(); ++i) {
        const String& key = form.Key(i);
        body += "&" + EncodeFormText(key) + "=" + EncodeFormText(form.Value(key));
    }
    // Every pair was put after an "&"; the first needs none.
    return body.empty() ? body : body.substr(1);
}

void HTTPSocket::Post(const String& url) {
    auto* request = new PendingRequest(SplitAddress(url), m_RequestHeaders, m_Body, m_ContentType);
    request->Start();
}
