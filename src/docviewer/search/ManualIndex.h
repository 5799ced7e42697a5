#pragma once
// The full-text index of the manual: an SQLite database (FTS5, through Qt SQL's SQLite
// driver) in the user's cache folder, one row per page of every document, each document
// keyed by its path, size and modification time. The index is a cache: a file that is not
// a sound index of ours is set aside and a new one started, never trusted.
//
// One object per thread: a Qt SQL connection belongs to the thread that opened it. Several
// connections may use one file at once (write-ahead log): what a writer has not committed
// yet, readers do not see.
#include <QHash>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Errors.h"

class QSqlDatabase;
class QSqlQuery;

namespace tavo::docviewer {

struct TSearchQuery;

// The index cannot be opened, created or read; the message is for the user.
class EManualIndex : public platform::Exception {
public:
    explicit EManualIndex(const QString& Text);
    const QString& Text() const { return FText; }

private:
    QString FText;
};

// Where the index of the catalogue Catalogue lives:
// ${XDG_CACHE_HOME:-~/.cache}/tavo/manual-<hash of the catalogue's path>.sqlite.
std::filesystem::path ManualIndexFile(const std::filesystem::path& Catalogue);

struct TIndexedDocument {
    QString Path;
    int64_t Size = 0;
    int64_t Modified = 0;  // nanoseconds, as the file system reports them
    int32_t Pages = 0;     // indexed; 0 for a document that could not be read
    QString Error;         // why it could not be read
};

struct TIndexHit {
    QString File;
    int32_t Page = 0;
    QString Text;     // the page's text as the document has it
    double Rank = 0;  // lower is better
};

class TManualIndex {
public:
    enum TOpenCheck {
        ocQuick,  // structure, owner and version checked; anything wrong is set aside
        ocFull,   // and every page of the full-text index checked against its rows
        ocNone,   // opened as it is, for a reader after a checking writer
    };

    // Opens the index at File, creating it (and its folder) when needed. Raises EManualIndex
    // when no index can be had there at all.
    explicit TManualIndex(const std::filesystem::path& File, TOpenCheck Check = ocQuick);
    ~TManualIndex();
    TManualIndex(const TManualIndex&) = delete;
    TManualIndex& operator=(const TManualIndex&) = delete;

    const std::filesystem::path& File() const { return FFile; }
    // Where a damaged or foreign file found at File was put; empty when none was.
    const std::filesystem::path& SetAside() const { return FSetAside; }

    std::optional<TIndexedDocument> Document(const QString& Path);
    std::vector<TIndexedDocument> Documents();
    void RemoveDocument(const QString& Path);

    // Writing a document: Begin, AddPage for its pages, then Commit (or Rollback). Until
    // Commit, the document's earlier rows stay what readers see; after it, the new ones.
    void BeginDocument(const QString& Path);
    void AddPage(int32_t Page, const QString& Text);
    // A named destination of the document being written: its page, 0 when it holds none.
    void AddDestination(const QString& Name, int32_t Page);
    void CommitDocument(int64_t Size, int64_t Modified, int32_t Pages, const QString& Error);
    void RollbackDocument();
    bool InDocument() const { return FDocumentId >= 0; }

    // The named destinations of Path found so far, by name: their pages (0: none there).
    QHash<QString, int32_t> Destinations(const QString& Path);
    // Adds destinations of an indexed document whose text has not changed.
    void StoreDestinations(const QString& Path, const QHash<QString, int32_t>& Pages);

    // The pages the query finds, best first, at most Limit. An empty query finds nothing.
    std::vector<TIndexHit> Search(const TSearchQuery& Query, int Limit);
    // Rows of pages in the index.
    int64_t PageRows();

    // Pages of a document beyond this are not indexed (rows are keyed by document and page).
    static constexpr int32_t kMaxPages = (1 << 20) - 1;

private:
    void Open();
    void Close();
    bool Sound(TOpenCheck Check);
    void Create();
    void PutAside();
    // True when File is an index of ours of an earlier version (checked on a connection of
    // its own, closed again). A later version's is set aside like any foreign file.
    bool OlderVersion();
    // Removes File and its log, setting it aside only when it cannot be removed.
    void Discard();
    QSqlQuery Exec(const QString& Sql);
    [[noreturn]] void Fail(const QSqlQuery& Query);

    std::filesystem::path FFile;
    std::filesystem::path FSetAside;
    QString FConnection;
    std::unique_ptr<QSqlDatabase> FDb;
    std::unique_ptr<QSqlQuery> FInsert;
    std::unique_ptr<QSqlQuery> FInsertDestination;
    int64_t FDocumentId = -1;
};

}  // namespace tavo::docviewer
