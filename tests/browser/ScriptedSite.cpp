#include "ScriptedSite.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tavo::test {

ScriptedSite& ScriptedSite::Instance()
{
    static ScriptedSite* site = new ScriptedSite;  // lives until the process ends
    return *site;
}

QString ScriptedSite::Script()
{
    return QStringLiteral(BROWSER_TEST_DATA "/test_server.py");
}

ScriptedSite::ScriptedSite()
{
    const QString cert = FFolder.filePath(QStringLiteral("cert.pem"));
    const QString key = FFolder.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "30", "-subj",
                   "/CN=127.0.0.1", "-keyout", key, "-out", cert});
    bool haveCert = openssl.waitForFinished(60000) && openssl.exitCode() == 0;
    QStringList args{Script()};
    if (haveCert)
        args << "--cert" << cert << "--key" << key;
    FServer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FServer.start(QStringLiteral("python3"), args);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && (FHttpPort == 0 || (haveCert && FHttpsPort == 0))) {
        if (!FServer.waitForReadyRead(200))
            continue;
        while (FServer.canReadLine()) {
            const QStringList words = QString::fromUtf8(FServer.readLine()).trimmed().split(u' ');
            if (words.size() == 2 && words[0] == QLatin1String("http"))
                FHttpPort = words[1].toInt();
            else if (words.size() == 2 && words[0] == QLatin1String("https"))
                FHttpsPort = words[1].toInt();
        }
    }
}

QString ScriptedSite::Url(const QString& Path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(FHttpPort).arg(Path);
}

QString ScriptedSite::SecureUrl(const QString& Path) const
{
    return QStringLiteral("https://127.0.0.1:%1%2").arg(FHttpsPort).arg(Path);
}

QStringList ScriptedSite::Seen()
{
    while (FServer.canReadLine() || FServer.waitForReadyRead(0)) {
        if (!FServer.canReadLine())
            break;
        QString line = QString::fromUtf8(FServer.readLine()).trimmed();
        if (line.startsWith(QLatin1String("seen ")))
            FSeen << line;
    }
    return FSeen;
}

QByteArray ScriptedSite::Attachment()
{
    QByteArray bytes(300000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}

}  // namespace tavo::test
