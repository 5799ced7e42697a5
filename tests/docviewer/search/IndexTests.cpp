// The index file and bringing it up to date: what is read again and what is not, documents
// gone, documents that cannot be read, interruptions, and files that are no sound index.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

#include "SearchTestSupport.h"
#include "TestEnvironment.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/SearchQuery.h"

using namespace tavo;
using docviewer::ParseSearchQuery;
using docviewer::TIndexEvent;
using docviewer::TManualIndex;
using docviewer::TRefreshReport;
namespace fs = std::filesystem;

namespace {

class Index : public test::IndexRefreshTest {};

TEST_F(Index, UnchangedDocumentsAreNotReadAgainChangedOnesAre)
{
    const QString a = File("a.pdf"), b = File("b.pdf");
    FFake.Pages[a] = {"kocioł gazowy", "pompa"};
    FFake.Pages[b] = {"grzejnik"};
    {
        TManualIndex index(IndexFile());
        const TRefreshReport first = Refresh(index, {a, b});
        EXPECT_EQ(first.Indexed, 2);
        EXPECT_EQ(first.Pages, 3);
        EXPECT_EQ(FFake.Read, (std::vector<QString>{a, b}));
    }
    // Another run of the program: nothing changed, nothing is read.
    TManualIndex index(IndexFile());
    FFake.Read.clear();
    TRefreshReport again = Refresh(index, {a, b});
    EXPECT_EQ(again.Unchanged, 2);
    EXPECT_EQ(again.Indexed, 0);
    EXPECT_EQ(again.Pages, 3);
    EXPECT_TRUE(FFake.Read.empty());
    EXPECT_EQ(Found(index, "kociol"), 1u);

    // A new version with the same size but a later time, then one of another size.
    FFake.Pages[a] = {"pompa ciepła"};
    fs::last_write_time(a.toStdString(),
                        fs::last_write_time(a.toStdString()) + std::chrono::seconds(5));
    again = Refresh(index, {a, b});
    EXPECT_EQ(again.Indexed, 1);
    EXPECT_EQ(FFake.Read, (std::vector<QString>{a}));
    EXPECT_EQ(Found(index, "kociol"), 0u);
    EXPECT_EQ(Found(index, "\"pompa ciepla\""), 1u);
    EXPECT_EQ(index.PageRows(), 2);  // the old second page went with the old version

    FFake.Read.clear();
    FFake.Pages[b] = {"grzejnik płytowy"};
    test::WriteFile(b.toStdString(), "xy");
    again = Refresh(index, {a, b});
    EXPECT_EQ(FFake.Read, (std::vector<QString>{b}));
    EXPECT_EQ(Found(index, "plytowy"), 1u);
}

TEST_F(Index, DocumentsGoneFromTheManualOrTheDiscLeaveTheIndex)
{
    const QString a = File("a.pdf"), b = File("b.pdf");
    FFake.Pages[a] = {"alfa"};
    FFake.Pages[b] = {"beta"};
    TManualIndex index(IndexFile());
    Refresh(index, {a, b});

    TRefreshReport report = Refresh(index, {a});  // the catalogue no longer names b
    EXPECT_EQ(report.Removed, 1);
    ASSERT_EQ(FEvents.size(), 2u);
    EXPECT_EQ(FEvents[0].Kind, TIndexEvent::ieRemoved);
    EXPECT_EQ(FEvents[0].File, b);
    EXPECT_EQ(Found(index, "beta"), 0u);

    fs::remove(a.toStdString());  // named, but not on the disc
    report = Refresh(index, {a});
    EXPECT_EQ(report.Missing, 1);
    EXPECT_EQ(FEvents.back().Kind, TIndexEvent::ieMissing);
    EXPECT_EQ(Found(index, "alfa"), 0u);
    EXPECT_TRUE(index.Documents().empty());
}

TEST_F(Index, AnUnreadableDocumentIsRememberedUntilItChanges)
{
    const QString bad = File("bad.pdf");  // the fake knows no pages of it
    TManualIndex index(IndexFile());
    TRefreshReport report = Refresh(index, {bad});
    EXPECT_EQ(report.Unreadable, 1);
    ASSERT_EQ(FEvents.size(), 1u);
    EXPECT_EQ(FEvents[0].Error, QStringLiteral("the file is damaged or is not a PDF document."));

    FFake.Read.clear();
    report = Refresh(index, {bad});
    EXPECT_TRUE(FFake.Read.empty());
    EXPECT_EQ(report.Unreadable, 1);  // still reported, from what the index remembers
    EXPECT_EQ(FEvents[0].Kind, TIndexEvent::ieUnreadable);

    FFake.Pages[bad] = {"naprawiony"};
    test::WriteFile(bad.toStdString(), "repaired");
    report = Refresh(index, {bad});
    EXPECT_EQ(report.Indexed, 1);
    EXPECT_EQ(Found(index, "naprawiony"), 1u);
}

TEST_F(Index, AnInterruptedRunKeepsWhatItFinishedAndTheNextGoesOn)
{
    const QString a = File("a.pdf"), b = File("b.pdf"), c = File("c.pdf");
    FFake.Pages[a] = {"alfa"};
    FFake.Pages[b] = {"beta jeden", "beta dwa", "beta trzy"};
    FFake.Pages[c] = {"gamma"};
    // The program is closed while the second page of the second document is being read.
    FFake.AfterPage = [&](const QString& File, int32_t Page) {
        if (File == b && Page == 2)
            FStop = true;
    };
    {
        TManualIndex index(IndexFile());
        const TRefreshReport report = Refresh(index, {a, b, c});
        EXPECT_TRUE(report.Interrupted);
        EXPECT_EQ(report.Indexed, 1);
        EXPECT_EQ(Found(index, "alfa"), 1u);
        EXPECT_EQ(Found(index, "beta"), 0u);  // no half document
        EXPECT_EQ(index.Documents().size(), 1u);
    }
    FStop = false;
    FFake.AfterPage = nullptr;
    FFake.Read.clear();
    TManualIndex index(IndexFile());
    EXPECT_TRUE(index.SetAside().empty());
    const TRefreshReport report = Refresh(index, {a, b, c});
    EXPECT_FALSE(report.Interrupted);
    EXPECT_EQ(report.Unchanged, 1);
    EXPECT_EQ(report.Indexed, 2);
    EXPECT_EQ(FFake.Read, (std::vector<QString>{b, c}));
    EXPECT_EQ(Found(index, "beta"), 3u);
}

TEST_F(Index, ReadersSeeADocumentOnlyOnceItIsWhole)
{
    const QString a = File("a.pdf");
    TManualIndex writer(IndexFile());
    TManualIndex reader(IndexFile(), TManualIndex::ocNone);
    writer.BeginDocument(a);
    writer.AddPage(1, QStringLiteral("kocioł"));
    EXPECT_EQ(reader.Search(ParseSearchQuery("kociol"), 10).size(), 0u);
    EXPECT_TRUE(reader.Documents().empty());
    writer.CommitDocument(1, 2, 1, {});
    const auto hits = reader.Search(ParseSearchQuery("kociol"), 10);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].File, a);
    EXPECT_EQ(hits[0].Page, 1);
    EXPECT_EQ(hits[0].Text, QStringLiteral("kocioł"));
}

// What lies where the index should be, written as bytes.
struct TBadFile {
    const char* Name;
    std::function<std::string()> Bytes;
};

// A database made by Fill, on an index of ours when OnOurIndex.
std::string SqliteFile(const std::function<void(QSqlQuery&)>& Fill, bool OnOurIndex = false)
{
    const fs::path path = test::TestFolder() / "made.sqlite";
    if (OnOurIndex)
        TManualIndex{path};
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("made"));
        db.setDatabaseName(QString::fromStdString(path.string()));
        db.open();
        QSqlQuery q(db);
        Fill(q);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("made"));
    std::string bytes = test::ReadFile(path);
    fs::remove(path);
    return bytes;
}

std::string OurIndexCut()
{
    const fs::path path = test::TestFolder() / "whole.sqlite";
    {
        TManualIndex index(path);
        index.BeginDocument(QStringLiteral("/x.pdf"));
        for (int page = 1; page <= 300; ++page)
            index.AddPage(
                page, QStringLiteral("strona %1 kocioł grzejnik pompa ").arg(page).repeated(20));
        index.CommitDocument(1, 1, 300, {});
    }
    std::string bytes = test::ReadFile(path);
    fs::remove(path);
    return bytes.substr(0, bytes.size() / 2);
}

TEST_F(Index, AFileThatIsNoSoundIndexIsSetAsideAndANewOneBuilt)
{
    const std::vector<TBadFile> bad{
        {"bytes of something else", [] { return std::string("not a database at all\n", 22); }},
        {"a database of another program",
         [] {
             return SqliteFile([](QSqlQuery& q) {
                 q.exec("CREATE TABLE pages (x)");
                 q.exec("INSERT INTO pages VALUES ('secret')");
             });
         }},
        {"an index of a later version",
         [] {
             return SqliteFile([](QSqlQuery& q) {
                 q.exec("CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)");
                 q.exec("CREATE TABLE documents (id INTEGER PRIMARY KEY)");
                 q.exec("CREATE TABLE pages (x)");
                 q.exec("INSERT INTO meta VALUES ('format', 'tavo-manual-index'), "
                        "('version', '3')");
             });
         }},
        {"an index whose document ids are no keys",
         [] {
             return SqliteFile([](QSqlQuery& q) {
                 q.exec("CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)");
                 q.exec("CREATE TABLE documents (id INTEGER PRIMABY KEY, path TEXT NOT NULL "
                        "UNIQUE, size INTEGER NOT NULL, modified INTEGER NOT NULL, pages "
                        "INTEGER NOT NULL, error TEXT NOT NULL DEFAULT '')");
                 q.exec("CREATE VIRTUAL TABLE pages USING fts5(body, text UNINDEXED, "
                        "tokenize = 'unicode61 remove_diacritics 2')");
                 q.exec("INSERT INTO meta VALUES ('format', 'tavo-manual-index'), "
                        "('version', '2')");
             });
         }},
        {"our index with a trigger that empties it",
         [] {
             return SqliteFile(
                 [](QSqlQuery& q) {
                     q.exec("CREATE TRIGGER forget AFTER INSERT ON documents BEGIN "
                            "DELETE FROM documents; END");
                 },
                 true);
         }},
        {"an index cut in half", OurIndexCut},
        {"a database header followed by rubbish",
         [] { return std::string("SQLite format 3\0", 16) + std::string(4080, '\xA5'); }},
    };
    for (const TBadFile& file : bad) {
        SCOPED_TRACE(file.Name);
        fs::remove_all(IndexFile().parent_path());
        const std::string bytes = file.Bytes();
        test::WriteFile(IndexFile(), bytes);
        const QString a = File("a.pdf");
        FFake.Pages[a] = {"kocioł"};
        TManualIndex index(IndexFile());
        fs::path aside = IndexFile();
        aside += ".damaged";
        EXPECT_EQ(index.SetAside(), aside);
        EXPECT_EQ(test::ReadFile(aside), bytes);  // kept as it was, for whoever wants it
        EXPECT_TRUE(index.Documents().empty());
        EXPECT_EQ(Refresh(index, {a}).Indexed, 1);
        EXPECT_EQ(Found(index, "kociol"), 1u);
    }
    // The next run trusts the new one.
    TManualIndex again(IndexFile());
    EXPECT_TRUE(again.SetAside().empty());
    EXPECT_EQ(again.Documents().size(), 1u);
}

// The index of an earlier version of the program (without the destinations, with another
// folding) is made anew without a word about damage, and nothing is kept of it.
TEST_F(Index, AnIndexOfAnEarlierVersionIsMadeAnewSilently)
{
    test::WriteFile(IndexFile(), SqliteFile([](QSqlQuery& q) {
                        q.exec("CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)");
                        q.exec("CREATE TABLE documents (id INTEGER PRIMARY KEY, path TEXT NOT "
                               "NULL UNIQUE, size INTEGER NOT NULL, modified INTEGER NOT NULL, "
                               "pages INTEGER NOT NULL, error TEXT NOT NULL DEFAULT '')");
                        q.exec("CREATE VIRTUAL TABLE pages USING fts5(body, text UNINDEXED, "
                               "tokenize = 'unicode61 remove_diacritics 2')");
                        q.exec("INSERT INTO meta VALUES ('format', 'tavo-manual-index'), "
                               "('version', '1')");
                        q.exec("INSERT INTO documents VALUES (1, '/old.pdf', 1, 1, 1, '')");
                    }));
    const QString a = File("a.pdf");
    FFake.Pages[a] = {"kocioł"};
    TManualIndex index(IndexFile());
    EXPECT_TRUE(index.SetAside().empty());
    fs::path aside = IndexFile();
    aside += ".damaged";
    EXPECT_FALSE(fs::exists(aside));
    EXPECT_TRUE(index.Documents().empty());
    EXPECT_EQ(Refresh(index, {a}).Indexed, 1);
    EXPECT_EQ(Found(index, "kociol"), 1u);
}

// Damage inside the full-text pages passes the quick check; searching reports it, and the
// full check that follows sets the file aside.
TEST_F(Index, DamagedFullTextPagesFailTheSearchAndTheFullCheck)
{
    const QString a = File("a.pdf");
    FFake.Pages[a] = {"kocioł gazowy", "pompa ciepła"};
    {
        TManualIndex index(IndexFile());
        Refresh(index, {a});
    }
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("harm"));
        db.setDatabaseName(QString::fromStdString(IndexFile().string()));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("DELETE FROM pages_data WHERE id > 10"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("harm"));

    TManualIndex quick(IndexFile());
    EXPECT_TRUE(quick.SetAside().empty());
    EXPECT_THROW(quick.Search(ParseSearchQuery("kociol"), 10), docviewer::EManualIndex);
    TManualIndex full(IndexFile(), TManualIndex::ocFull);
    EXPECT_FALSE(full.SetAside().empty());
    EXPECT_TRUE(full.Documents().empty());
    EXPECT_EQ(Refresh(full, {a}).Indexed, 1);
    EXPECT_EQ(Found(full, "kociol"), 1u);
}

TEST_F(Index, TheIndexLivesInTheCacheFolderOnePerCatalogue)
{
    const fs::path cache = test::TestFolder() / "home" / ".cache" / "tavo";
    const fs::path one = docviewer::ManualIndexFile(Docs() / "TAVO_ENG.pdfv");
    EXPECT_EQ(one.parent_path(), cache);
    EXPECT_EQ(one.extension(), ".sqlite");
    EXPECT_EQ(docviewer::ManualIndexFile(Docs() / "sub" / ".." / "TAVO_ENG.pdfv"), one);
    EXPECT_NE(docviewer::ManualIndexFile(Docs() / "OTHER.pdfv"), one);

    // A cache folder that cannot be made is an error that says where.
    test::WriteFile(test::TestFolder() / "file", "x");
    try {
        TManualIndex index(test::TestFolder() / "file" / "index.sqlite");
        FAIL() << "an index below a file";
    } catch (const docviewer::EManualIndex& Error) {
        EXPECT_TRUE(Error.Text().startsWith(
            QStringLiteral("The index of the manual cannot be created in ")))
            << Error.Text().toStdString();
    }
}

}  // namespace
