#include "HTTPSocket.h"

#include "diagnostics/LoopbackServer.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

String EncodedPair(const String& key, const String& value) {
    Dictionary form;
    form.Value(key, value);
    return HTTPSocket::EncodeFormData(form);
}

} // namespace

TEST(HTTPSocketForm, EscapesTheSeparatorsAndBlanks) {
    const std::pair<String, String> cases[] = {
        {"1.2.0.5(Final)", "1.2.0.5%28Final%29"},
        {"a&b=c", "a%26b%3Dc"},
        {"100% + 1", "100%25+%2B+1"},
        {"%26", "%2526"},
        {"line\r\nnext\n", "line%0D%0Anext%0A"},
        {"-_", "%2D%5F"},
        {",/\\][{}`~*^$#!;<>", "%2C%2F%5C%5D%5B%7B%7D%60%7E%2A%5E%24%23%21%3B%3C%3E"},
        {".:?'\"@|\tAz09", ".:?'\"@|\tAz09"},
        {"W\xC3\xB6rter \xF0\x9D\x84\x9E", "W\xC3\xB6rter+\xF0\x9D\x84\x9E"},
    };
    for (const auto& [value, encoded] : cases)
        EXPECT_EQ(EncodedPair("k", value), "k=" + encoded) << value;
}

TEST(HTTPSocketForm, EncodesKeysAndJoinsPairsInTheDictionarysOrder) {
    Dictionary form;
    form.Value("app", "My App");
    form.Value("a=b&c", "");
    form.Value("stack", "x");
    EXPECT_EQ(HTTPSocket::EncodeFormData(form), "app=My+App&a%3Db%26c=&stack=x");
    EXPECT_EQ(HTTPSocket::EncodeFormData(Dictionary()), "");
}

TEST(HTTPSocketPost, SplitsTheAddressIntoHostPortAndPath) {
    LoopbackServer server;
    String port = std::to_string(server.Port());
    const std::pair<String, String> cases[] = {
        {"http://127.0.0.1:" + port + "/clientcrashlog.php", "POST /clientcrashlog.php HTTP/1.0"},
        {"http://127.0.0.1:" + port, "POST / HTTP/1.0"},
        {"127.0.0.1:" + port + "/a/b?c=d", "POST /a/b?c=d HTTP/1.0"},
    };
    size_t received = 0;
    for (const auto& [address, requestLine] : cases) {
        Dictionary form;
        form.Value("k", "v");
        HTTPSocket socket;
        socket.SetFormData(form);
        socket.Post(address);
        ASSERT_TRUE(server.WaitForRequests(++received)) << address;
        String expected =
            requestLine + "\r\nAccept: */*\r\nAccept-Language: en\r\nHost: 127.0.0.1:" + port +
            "\r\nContent-type: application/x-www-form-urlencoded\r\nContent-length: 3\r\n\r\nk=v";
        EXPECT_EQ(server.Requests().back(), expected) << address;
    }
}

TEST(HTTPSocketPost, LooksTheHostNameUp) {
    LoopbackServer server;
    String hostPart = "localhost:" + std::to_string(server.Port());
    {
        HTTPSocket socket;
        socket.Post("http://" + hostPart + "/x");
    }
    ASSERT_TRUE(server.WaitForRequests(1));
    EXPECT_NE(server.Requests()[0].find("\r\nHost: " + hostPart + "\r\n"), String::npos);
}

// What this test is for shows only under memcheck (tests/CMakeLists.txt runs it so): the request is
// still on its way when the program ends, and goes with the application.
TEST(HTTPSocketPost, RequestStillPendingAtTheEndOfTheProgram) {
    // Takes the connection but reads no more than its first byte, so that a body larger than the
    // socket buffers can never be written out. Both go with the application.
    auto* server = new QTcpServer(QCoreApplication::instance());
    ASSERT_TRUE(server->listen(QHostAddress::LocalHost));
    QTcpSocket* connection = nullptr;
    QObject::connect(server, &QTcpServer::newConnection, [&] {
        connection = server->nextPendingConnection();
        connection->setReadBufferSize(1);
    });
    Dictionary form;
    form.Value("stack", String(16 << 20, 'x'));
    HTTPSocket socket;
    socket.SetFormData(form);
    socket.Post("http://127.0.0.1:" + Str(server->serverPort()) + "/clientcrashlog.php");
    EXPECT_TRUE(QTest::qWaitFor([&] { return connection && connection->bytesAvailable() > 0; }, 20000));
    server->disconnect();
}
