#include "ManualIndex.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <unordered_map>

#include "SearchQuery.h"
#include "SearchStrings.h"
#include "TextFolding.h"
#include "platform/AnsiText.h"
#include "platform/Folders.h"

namespace tavo::docviewer {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormat = "tavo-manual-index";
// 2: named destinations kept with their documents.
constexpr const char* kVersion = "2";
// A page's row is its document's id shifted by this, plus the page number: the rows of a
// document are one range, removed without reading the others.
constexpr int kPageBits = 20;

std::atomic<int> NextConnection{1};

QString PathText(const fs::path& Path)
{
    return QString::fromStdString(Path.string());
}

// Qt SQL binds a null text as NULL; an empty one stays a text.
QString NotNull(const QString& Text)
{
    return Text.isNull() ? QStringLiteral("") : Text;
}

int64_t FirstRow(int64_t Id)
{
    return Id << kPageBits;
}

// Everything the index holds; a file is ours only when its schema is exactly this.
const QStringList& SchemaStatements()
{
    static const QStringList statements{
        QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, "
                       "value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS documents (id INTEGER PRIMARY KEY, "
                       "path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL, "
                       "modified INTEGER NOT NULL, pages INTEGER NOT NULL, "
                       "error TEXT NOT NULL DEFAULT '')"),
        // Where the catalogue's named destinations lie, resolved once when a document is
        // indexed: entries that name only a destination belong to that page.
        QStringLiteral("CREATE TABLE IF NOT EXISTS destinations (document INTEGER NOT NULL, "
                       "name TEXT NOT NULL, page INTEGER NOT NULL, "
                       "PRIMARY KEY (document, name)) WITHOUT ROWID"),
        // body: the folded text, searched; text: the page as it is, for snippets.
        QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS pages USING fts5(body, "
                       "text UNINDEXED, tokenize = 'unicode61 remove_diacritics 2')"),
    };
    return statements;
}

// The schema as a database lists it: every table, index, trigger and view with its text.
QStringList SchemaOf(QSqlDatabase& Db)
{
    QStringList rows;
    QSqlQuery q(Db);
    if (!q.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master "
                               "ORDER BY type, name")))
        return {QStringLiteral("unreadable")};
    while (q.next())
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            q.value(3).toString()}
                    .join(QChar(0));
    return rows;
}

// The schema the statements above make, read from a database made in memory once. A file
// whose schema differs only in a keyword (a misspelt primary key, an added trigger) would
// look sound to every other check and still lose what is written into it.
const QStringList& ExpectedSchema()
{
    static const QStringList schema = [] {
        const QString name = QStringLiteral("tavo-manual-schema-%1").arg(NextConnection++);
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            if (db.open()) {
                for (const QString& statement : SchemaStatements())
                    QSqlQuery(db).exec(statement);
                rows = SchemaOf(db);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return rows;
    }();
    return schema;
}

}  // namespace

EManualIndex::EManualIndex(const QString& Text) : Exception(platform::ToAnsi(Text)), FText(Text) {}

fs::path ManualIndexFile(const fs::path& Catalogue)
{
    fs::path cache;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        cache = xdg;
    else
        cache = platform::HomeFolder() / ".cache";
    std::error_code ec;
    fs::path key = fs::weakly_canonical(Catalogue, ec);
    if (ec)
        key = fs::absolute(Catalogue, ec).lexically_normal();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(key.string()), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return cache / "tavo" / ("manual-" + hash.toStdString() + ".sqlite");
}

TManualIndex::TManualIndex(const fs::path& File, TOpenCheck Check) : FFile(File)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw EManualIndex(SearchText(SNoSqlDriver));
    std::error_code ec;
    fs::create_directories(FFile.parent_path(), ec);
    if (ec)
        throw EManualIndex(SearchText(
            SIndexNotCreated, {PathText(FFile), QString::fromLocal8Bit(ec.message().c_str())}));
    Open();
    if (Check != ocNone && !Sound(Check)) {
        Close();
        // An index of ours made by an earlier version is no damage: it is simply made anew.
        if (OlderVersion())
            Discard();
        else
            PutAside();
        Open();
    }
    // A reader never writes: it would wait for the writer's lock.
    if (Check != ocNone)
        Create();
}

TManualIndex::~TManualIndex()
{
    if (InDocument()) {
        // An unfinished document leaves nothing behind.
        QSqlQuery(*FDb).exec(QStringLiteral("ROLLBACK"));
        FDocumentId = -1;
    }
    Close();
}

void TManualIndex::Open()
{
    FConnection = QStringLiteral("tavo-manual-index-%1").arg(NextConnection++);
    FDb = std::make_unique<QSqlDatabase>(
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnection));
    FDb->setDatabaseName(PathText(FFile));
    // Another connection may be writing; a reader waits for it rather than failing.
    FDb->setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!FDb->open()) {
        const QString reason = FDb->lastError().text();
        Close();
        throw EManualIndex(SearchText(SIndexNotCreated, {PathText(FFile), reason}));
    }
}

void TManualIndex::Close()
{
    FInsert.reset();
    FInsertDestination.reset();
    if (FDb) {
        FDb->close();
        FDb.reset();
        QSqlDatabase::removeDatabase(FConnection);
    }
}

bool TManualIndex::Sound(TOpenCheck Check)
{
    QSqlQuery q(*FDb);
    // A file that is no database at all fails here ("file is not a database").
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() ||
        q.value(0).toString() != QLatin1String("ok") || q.next())
        return false;
    const QStringList schema = SchemaOf(*FDb);
    if (schema.isEmpty())
        return true;  // empty: ours to fill
    if (schema != ExpectedSchema())
        return false;
    if (!q.exec(QStringLiteral("SELECT key, value FROM meta")))
        return false;
    bool format = false, version = false;
    while (q.next()) {
        format = format || (q.value(0).toString() == QLatin1String("format") &&
                            q.value(1).toString() == QLatin1String(kFormat));
        version = version || (q.value(0).toString() == QLatin1String("version") &&
                              q.value(1).toString() == QLatin1String(kVersion));
    }
    if (!format || !version)
        return false;
    if (!q.exec(QStringLiteral("SELECT count(*) FROM documents WHERE pages >= 0")))
        return false;
    if (Check == ocFull &&
        !q.exec(QStringLiteral("INSERT INTO pages(pages, rank) VALUES ('integrity-check', 1)")))
        return false;
    return true;
}

bool TManualIndex::OlderVersion()
{
    Open();
    QSqlQuery q(*FDb);
    bool ours = false, older = false;
    if (q.exec(QStringLiteral("SELECT key, value FROM meta")))
        while (q.next()) {
            ours = ours || (q.value(0).toString() == QLatin1String("format") &&
                            q.value(1).toString() == QLatin1String(kFormat));
            bool number = false;
            const int version = q.value(1).toString().toInt(&number);
            older = older || (q.value(0).toString() == QLatin1String("version") && number &&
                              version < QByteArray(kVersion).toInt());
        }
    q = QSqlQuery();
    Close();
    return ours && older;
}

void TManualIndex::Discard()
{
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::path file = FFile;
        file += suffix;
        fs::remove(file, ec);
    }
    if (fs::exists(FFile, ec))
        PutAside();
}

void TManualIndex::PutAside()
{
    // One damaged file is kept for whoever wants to look at it; an older one goes.
    fs::path aside = FFile;
    aside += ".damaged";
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::path old = aside;
        old += suffix;
        fs::remove(old, ec);
    }
    fs::rename(FFile, aside, ec);
    if (ec) {
        fs::remove(FFile, ec);
        if (ec)
            throw EManualIndex(SearchText(
                SIndexNotCreated, {PathText(FFile), QString::fromLocal8Bit(ec.message().c_str())}));
        aside.clear();
    }
    for (const char* suffix : {"-wal", "-shm"}) {
        fs::path from = FFile, to = aside;
        from += suffix;
        to += suffix;
        if (aside.empty() || (fs::rename(from, to, ec), ec))
            fs::remove(from, ec);
    }
    FSetAside = aside.empty() ? FFile : aside;
}

void TManualIndex::Create()
{
    // Write-ahead log: readers go on reading while a document is being written. A crash
    // loses at most the document being written, never the file.
    Exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    Exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (const QString& statement : SchemaStatements())
            Exec(statement);
        Exec(QStringLiteral("INSERT OR IGNORE INTO meta (key, value) VALUES ('format', '%1'), "
                            "('version', '%2')")
                 .arg(QLatin1String(kFormat), QLatin1String(kVersion)));
        Exec(QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(*FDb).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

QSqlQuery TManualIndex::Exec(const QString& Sql)
{
    QSqlQuery q(*FDb);
    if (!q.exec(Sql))
        Fail(q);
    return q;
}

void TManualIndex::Fail(const QSqlQuery& Query)
{
    throw EManualIndex(SearchText(SIndexUnreadable, {Query.lastError().text()}));
}

std::optional<TIndexedDocument> TManualIndex::Document(const QString& Path)
{
    QSqlQuery q(*FDb);
    q.prepare(QStringLiteral("SELECT size, modified, pages, error FROM documents "
                             "WHERE path = ? AND pages >= 0"));
    q.addBindValue(Path);
    if (!q.exec())
        Fail(q);
    if (!q.next())
        return std::nullopt;
    return TIndexedDocument{Path, q.value(0).toLongLong(), q.value(1).toLongLong(),
                            q.value(2).toInt(), q.value(3).toString()};
}

std::vector<TIndexedDocument> TManualIndex::Documents()
{
    QSqlQuery q = Exec(QStringLiteral("SELECT path, size, modified, pages, error FROM documents "
                                      "WHERE pages >= 0 ORDER BY id"));
    std::vector<TIndexedDocument> documents;
    while (q.next())
        documents.push_back({q.value(0).toString(), q.value(1).toLongLong(),
                             q.value(2).toLongLong(), q.value(3).toInt(), q.value(4).toString()});
    return documents;
}

void TManualIndex::RemoveDocument(const QString& Path)
{
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QSqlQuery q(*FDb);
        q.prepare(QStringLiteral("SELECT id FROM documents WHERE path = ?"));
        q.addBindValue(Path);
        if (!q.exec())
            Fail(q);
        if (q.next()) {
            const int64_t id = q.value(0).toLongLong();
            QSqlQuery remove(*FDb);
            remove.prepare(QStringLiteral("DELETE FROM pages WHERE rowid >= ? AND rowid < ?"));
            remove.addBindValue(static_cast<qlonglong>(FirstRow(id)));
            remove.addBindValue(static_cast<qlonglong>(FirstRow(id + 1)));
            if (!remove.exec())
                Fail(remove);
            remove.prepare(QStringLiteral("DELETE FROM destinations WHERE document = ?"));
            remove.addBindValue(static_cast<qlonglong>(id));
            if (!remove.exec())
                Fail(remove);
            remove.prepare(QStringLiteral("DELETE FROM documents WHERE id = ?"));
            remove.addBindValue(static_cast<qlonglong>(id));
            if (!remove.exec())
                Fail(remove);
        }
        Exec(QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(*FDb).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void TManualIndex::BeginDocument(const QString& Path)
{
    if (InDocument())
        RollbackDocument();
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QSqlQuery q(*FDb);
        q.prepare(QStringLiteral("SELECT id FROM documents WHERE path = ?"));
        q.addBindValue(Path);
        if (!q.exec())
            Fail(q);
        int64_t id = -1;
        if (q.next()) {
            id = q.value(0).toLongLong();
            QSqlQuery remove(*FDb);
            remove.prepare(QStringLiteral("DELETE FROM pages WHERE rowid >= ? AND rowid < ?"));
            remove.addBindValue(static_cast<qlonglong>(FirstRow(id)));
            remove.addBindValue(static_cast<qlonglong>(FirstRow(id + 1)));
            if (!remove.exec())
                Fail(remove);
            remove.prepare(QStringLiteral("DELETE FROM destinations WHERE document = ?"));
            remove.addBindValue(static_cast<qlonglong>(id));
            if (!remove.exec())
                Fail(remove);
        } else {
            // Pages -1: not finished, never counted as indexed.
            q.prepare(QStringLiteral("INSERT INTO documents (path, size, modified, pages) "
                                     "VALUES (?, -1, -1, -1)"));
            q.addBindValue(Path);
            if (!q.exec())
                Fail(q);
            id = q.lastInsertId().toLongLong();
        }
        FInsert = std::make_unique<QSqlQuery>(*FDb);
        if (!FInsert->prepare(
                QStringLiteral("INSERT INTO pages (rowid, body, text) VALUES (?, ?, ?)")))
            Fail(*FInsert);
        FInsertDestination = std::make_unique<QSqlQuery>(*FDb);
        if (!FInsertDestination->prepare(QStringLiteral(
                "INSERT OR REPLACE INTO destinations (document, name, page) VALUES (?, ?, ?)")))
            Fail(*FInsertDestination);
        FDocumentId = id;
    } catch (...) {
        FInsert.reset();
        FInsertDestination.reset();
        QSqlQuery(*FDb).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void TManualIndex::AddPage(int32_t Page, const QString& Text)
{
    if (!InDocument() || Page < 1 || Page > kMaxPages)
        return;
    FInsert->bindValue(0, static_cast<qlonglong>(FirstRow(FDocumentId) + Page));
    FInsert->bindValue(1, NotNull(FoldText(Text)));
    FInsert->bindValue(2, NotNull(Text));
    if (!FInsert->exec())
        Fail(*FInsert);
}

void TManualIndex::AddDestination(const QString& Name, int32_t Page)
{
    if (!InDocument())
        return;
    FInsertDestination->bindValue(0, static_cast<qlonglong>(FDocumentId));
    FInsertDestination->bindValue(1, NotNull(Name));
    FInsertDestination->bindValue(2, std::clamp(Page, 0, kMaxPages));
    if (!FInsertDestination->exec())
        Fail(*FInsertDestination);
}

void TManualIndex::CommitDocument(int64_t Size, int64_t Modified, int32_t Pages,
                                  const QString& Error)
{
    if (!InDocument())
        return;
    QSqlQuery q(*FDb);
    q.prepare(QStringLiteral("UPDATE documents SET size = ?, modified = ?, pages = ?, error = ? "
                             "WHERE id = ?"));
    q.addBindValue(static_cast<qlonglong>(Size));
    q.addBindValue(static_cast<qlonglong>(Modified));
    q.addBindValue(std::max(Pages, 0));
    q.addBindValue(NotNull(Error));
    q.addBindValue(static_cast<qlonglong>(FDocumentId));
    if (!q.exec())
        Fail(q);
    FInsert.reset();
    FInsertDestination.reset();
    Exec(QStringLiteral("COMMIT"));
    FDocumentId = -1;
}

void TManualIndex::RollbackDocument()
{
    if (!InDocument())
        return;
    FInsert.reset();
    FInsertDestination.reset();
    FDocumentId = -1;
    Exec(QStringLiteral("ROLLBACK"));
}

QHash<QString, int32_t> TManualIndex::Destinations(const QString& Path)
{
    QHash<QString, int32_t> pages;
    QSqlQuery q(*FDb);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT d.name, d.page FROM destinations d JOIN documents o "
                             "ON o.id = d.document WHERE o.path = ? AND o.pages >= 0"));
    q.addBindValue(Path);
    if (!q.exec())
        Fail(q);
    while (q.next())
        pages.insert(q.value(0).toString(), q.value(1).toInt());
    return pages;
}

void TManualIndex::StoreDestinations(const QString& Path, const QHash<QString, int32_t>& Pages)
{
    if (Pages.isEmpty() || InDocument())
        return;
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QSqlQuery q(*FDb);
        q.prepare(QStringLiteral("INSERT OR REPLACE INTO destinations (document, name, page) "
                                 "SELECT id, ?, ? FROM documents WHERE path = ? AND pages >= 0"));
        for (auto page = Pages.constBegin(); page != Pages.constEnd(); ++page) {
            q.bindValue(0, NotNull(page.key()));
            q.bindValue(1, std::clamp(page.value(), 0, kMaxPages));
            q.bindValue(2, Path);
            if (!q.exec())
                Fail(q);
        }
        Exec(QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(*FDb).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

std::vector<TIndexHit> TManualIndex::Search(const TSearchQuery& Query, int Limit)
{
    std::vector<TIndexHit> hits;
    if (Query.IsEmpty() || Limit <= 0)
        return hits;
    std::unordered_map<int64_t, QString> paths;
    QSqlQuery documents = Exec(QStringLiteral("SELECT id, path FROM documents WHERE pages > 0"));
    while (documents.next())
        paths.emplace(documents.value(0).toLongLong(), documents.value(1).toString());

    QSqlQuery q(*FDb);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT rowid, text, rank FROM pages WHERE pages MATCH ? "
                             "ORDER BY rank LIMIT ?"));
    // Bound as a value: whatever the user typed never becomes SQL.
    q.addBindValue(Query.MatchExpression());
    q.addBindValue(Limit);
    if (!q.exec())
        Fail(q);
    while (q.next()) {
        const int64_t row = q.value(0).toLongLong();
        auto path = paths.find(row >> kPageBits);
        if (path == paths.end())
            continue;
        hits.push_back({path->second, static_cast<int32_t>(row & ((1 << kPageBits) - 1)),
                        q.value(1).toString(), q.value(2).toDouble()});
    }
    return hits;
}

int64_t TManualIndex::PageRows()
{
    QSqlQuery q = Exec(QStringLiteral("SELECT count(*) FROM pages"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

}  // namespace tavo::docviewer
