#include "TestSite.h"

#include <QTcpSocket>
#include <cstdlib>

namespace tavo::test {

namespace {

QByteArray Page(const QByteArray& Title, const QByteArray& Body)
{
    return "<html><head><title>" + Title + "</title></head><body>" + Body + "</body></html>";
}

}  // namespace

TestSite& TestSite::Instance()
{
    static TestSite* site = new TestSite;  // lives until the process ends
    return *site;
}

TestSite::TestSite()
{
    FPages["/"] = Page("Home", "<h1>Distributor</h1><a id='b' href='/b'>B</a>");
    FPages["/b"] = Page("B", "<h1>B</h1><a id='d' href='/d'>to D</a>");
    FPages["/c"] = Page("C", "<h1>C</h1>");
    FPages["/d"] = Page("D", "<h1>D</h1>");
    FPages["/frames"] =
        "<html><head><title>Frames</title></head>"
        "<frameset cols='50%,50%'><frame src='/f1'><frame src='/f2'></frameset></html>";
    FPages["/f1"] = Page("F1", "left frame");
    FPages["/f2"] = Page("F2", "right frame");
    // Records the keys it is given, and closes its dialog on Escape as pages do.
    FPages["/keys"] =
        Page("Keys", "<div id='dialog'>A dialog</div><input id='field'>"
                     "<script>window.keys = [];"
                     "document.addEventListener('keydown', function (e) {"
                     "  keys.push((e.altKey ? 'Alt+' : '') + e.key);"
                     "  if (e.key === 'Escape') document.getElementById('dialog').hidden = true;"
                     "});</script>");
    // "/slow" is never answered.
    FServer.listen(QHostAddress::LocalHost, 0);
    connect(&FServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = FServer.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { Answer(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    // Every name resolves to this site; the loopback address itself keeps its ports, so
    // that a closed port stays unreachable.
    QByteArray rules =
        "--host-resolver-rules=\"MAP * 127.0.0.1:" + QByteArray::number(FServer.serverPort()) +
        ",EXCLUDE 127.0.0.1\"";
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", rules.constData(), 1);
}

QString TestSite::Url(const QString& Path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(FServer.serverPort()).arg(Path);
}

void TestSite::Answer(QTcpSocket* Socket)
{
    QByteArray request = Socket->peek(8192);
    // Anything but plain HTTP (a TLS greeting, say) is refused.
    if (!request.isEmpty() && !std::isupper(static_cast<unsigned char>(request[0]))) {
        Socket->abort();
        return;
    }
    if (!request.contains("\r\n\r\n"))
        return;
    Socket->readAll();
    QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    QString path = words.size() > 1 ? QString::fromLatin1(words[1]).toLower() : QString();
    ++FHits[path];
    if (path == QLatin1String("/slow"))
        return;  // never answered: a page that keeps loading
    QByteArray body = FPages.value(path);
    QByteArray status = body.isNull() ? "404 Not Found" : "200 OK";
    Socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nConnection: close\r\n" +
                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    Socket->disconnectFromHost();
}

}  // namespace tavo::test
