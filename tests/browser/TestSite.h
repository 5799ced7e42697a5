#pragma once
// A small web site served on 127.0.0.1 for the browser tests. Every host name the engine
// looks up is mapped to it (the distributor's and the maker's reserved example domains
// included), so that no test reaches outside the machine.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

namespace tavo::test {

class TestSite : public QObject {
public:
    // The one site of this process: the engine reads its host mapping once, when it
    // starts, so the site must outlive every test that uses the engine.
    static TestSite& Instance();

    // "http://127.0.0.1:port" + Path.
    QString Url(const QString& Path) const;
    // Requests seen for Path (letter case not significant).
    int Hits(const QString& Path) const { return FHits.value(Path.toLower()); }

private:
    TestSite();
    void Answer(class QTcpSocket* Socket);

    QTcpServer FServer;
    QHash<QString, QByteArray> FPages;  // by lower-case path
    QHash<QString, int> FHits;
};

}  // namespace tavo::test
