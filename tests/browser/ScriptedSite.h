#pragma once
// The browser tests' second site: tests/browser/data/test_server.py on 127.0.0.1, over
// HTTP and, with a self-signed certificate made at start, over TLS. It serves downloads
// (an attachment, 50 MB sent slowly, a connection dropped midway) and the pages of the
// window, find, print, permission and cookie tests. One per process, like TestSite.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tavo::test {

class ScriptedSite {
public:
    static ScriptedSite& Instance();

    bool Running() const { return FHttpPort > 0; }
    QString Url(const QString& Path) const;
    QString SecureUrl(const QString& Path) const;
    // "seen PATH COOKIE" lines so far: the requests the server answered.
    QStringList Seen();
    // The bytes /attachment sends.
    static QByteArray Attachment();
    // The script and the certificate, for a server of one's own.
    static QString Script();

private:
    ScriptedSite();
    QTemporaryDir FFolder;
    QProcess FServer;
    int FHttpPort = 0;
    int FHttpsPort = 0;
    QStringList FSeen;
};

}  // namespace tavo::test
