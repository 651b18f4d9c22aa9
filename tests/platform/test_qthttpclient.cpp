// SPDX-License-Identifier: GPL-3.0-or-later
// QtHttpClient against a small HTTP server on 127.0.0.1 that runs on its own thread with
// Qt's blocking socket calls.
#include "platform/qthttpclient.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <atomic>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

class LocalHttpServer
{
public:
    LocalHttpServer()
    {
        std::promise<quint16> port;
        auto ready = port.get_future();
        m_thread = std::thread([this, &port] { serve(port); });
        m_port = ready.get();
    }
    ~LocalHttpServer()
    {
        m_stop = true;
        m_thread.join();
    }
    std::string url(const char *path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

private:
    void serve(std::promise<quint16> &port)
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        port.set_value(server.serverPort());
        std::vector<std::unique_ptr<QTcpSocket>> held; // "/slow" requests never get a reply
        while (!m_stop) {
            if (!server.waitForNewConnection(50))
                continue;
            std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
            QByteArray request;
            while (!request.contains("\r\n\r\n") && socket->waitForReadyRead(2000))
                request += socket->readAll();
            const QByteArray path = request.split(' ').value(1);
            QByteArray status = "200 OK";
            QByteArray headers;
            QByteArray body;
            if (path == "/ok") {
                body = "<a>1</a>";
            } else if (path == "/big") {
                body = QByteArray(1 << 20, 'x');
            } else if (path == "/moved") {
                status = "302 Found";
                headers = "Location: /ok\r\n";
            } else if (path == "/slow") {
                held.push_back(std::move(socket));
                continue;
            } else {
                status = "404 Not Found";
                body = "no such page";
            }
            socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/xml\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\n" + headers +
                          "Connection: close\r\n\r\n" + body);
            socket->flush();
            while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(2000)) {
            }
            socket->disconnectFromHost();
            if (socket->state() != QAbstractSocket::UnconnectedState)
                socket->waitForDisconnected(2000);
        }
    }

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    quint16 m_port = 0;
};

class QtHttpClientTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "platform_tests";
            static char *argv[] = {name, nullptr};
            s_app = new QCoreApplication(argc, argv);
        }
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }
    static inline QCoreApplication *s_app = nullptr;
    LocalHttpServer m_server;
};

TEST_F(QtHttpClientTest, ReturnsStatusAndBody)
{
    QtHttpClient client(10000);
    HttpResponse response = client.get(m_server.url("/ok"));
    EXPECT_EQ(response.status, 200);
    EXPECT_TRUE(response.ok());
    EXPECT_EQ(response.body, "<a>1</a>");
    EXPECT_TRUE(response.error.empty()) << response.error;
}

TEST_F(QtHttpClientTest, ReportsHttpErrorsWithTheirBody)
{
    QtHttpClient client(10000);
    HttpResponse response = client.get(m_server.url("/missing"));
    EXPECT_EQ(response.status, 404);
    EXPECT_FALSE(response.ok());
    EXPECT_EQ(response.body, "no such page");
}

TEST_F(QtHttpClientTest, FollowsRedirects)
{
    QtHttpClient client(10000);
    HttpResponse response = client.get(m_server.url("/moved"));
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body, "<a>1</a>");
}

TEST_F(QtHttpClientTest, ReadsLargeBodiesWhole)
{
    QtHttpClient client(10000);
    HttpResponse response = client.get(m_server.url("/big"));
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.body.size(), std::size_t(1) << 20);
}

// A limit refuses a longer body whole rather than handing on part of it.
TEST_F(QtHttpClientTest, RefusesBodiesOverTheLimit)
{
    const struct
    {
        long long limit;
        int status;
    } rows[] = {{(1 << 20) - 1, 0}, {1 << 20, 200}};
    for (const auto &row : rows) {
        QtHttpClient client(10000);
        client.setMaxBodyBytes(row.limit);
        const HttpResponse response = client.get(m_server.url("/big"));
        EXPECT_EQ(response.status, row.status) << row.limit;
        EXPECT_EQ(response.body.empty(), row.status == 0) << row.limit;
    }
}

TEST_F(QtHttpClientTest, WorksFromAWorkerThread)
{
    QtHttpClient client(10000);
    HttpResponse first;
    HttpResponse second;
    std::thread worker([&] {
        first = client.get(m_server.url("/ok"));
        second = client.get(m_server.url("/ok"));
    });
    worker.join();
    EXPECT_EQ(first.body, "<a>1</a>");
    EXPECT_EQ(second.body, "<a>1</a>");
}

TEST_F(QtHttpClientTest, GivesUpAfterTheTimeout)
{
    QtHttpClient client(300);
    HttpResponse response = client.get(m_server.url("/slow"));
    EXPECT_EQ(response.status, 0);
    EXPECT_FALSE(response.ok());
    EXPECT_EQ(response.error, "timed out");
    EXPECT_TRUE(response.body.empty());
}

TEST_F(QtHttpClientTest, RefusedConnectionHasNoStatus)
{
    quint16 closedPort;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    QtHttpClient client(10000);
    HttpResponse response = client.get("http://127.0.0.1:" + std::to_string(closedPort) + "/");
    EXPECT_EQ(response.status, 0);
    EXPECT_FALSE(response.error.empty());
}

TEST_F(QtHttpClientTest, InvalidUrlFailsAtOnce)
{
    QtHttpClient client(10000);
    HttpResponse response = client.get("not a url");
    EXPECT_EQ(response.status, 0);
    EXPECT_FALSE(response.error.empty());
}

} // namespace
