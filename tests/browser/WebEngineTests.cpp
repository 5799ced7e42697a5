// The embedded browser engine, proven on this machine: a page served by the test itself on
// 127.0.0.1 loads for real.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"

namespace {

// Answers every request with the same small HTML page.
class TinyHttpServer : public QObject {
public:
    explicit TinyHttpServer(QByteArray Page) : FPage(std::move(Page))
    {
        FServer.listen(QHostAddress::LocalHost, 0);
        connect(&FServer, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = FServer.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                             "Content-Length: " +
                             QByteArray::number(FPage.size()) + "\r\n\r\n" + FPage);
                    s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    QUrl Url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(FServer.serverPort()));
    }

private:
    QTcpServer FServer;
    QByteArray FPage;
};

}  // namespace

TEST(WebEngine, LoadsAPageServedOnLoopback)
{
    TinyHttpServer server("<html><head><title>Local page</title></head><body>Hello</body></html>");
    QWebEngineView view;
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    view.resize(400, 300);
    view.show();
    view.load(server.Url());
    ASSERT_TRUE(tavo::test::WaitFor([&] { return finished.count() > 0; }, 30000));
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_EQ(view.title(), "Local page");
}
