#pragma once
// The manual search's tests: the library modules as the shell starts them, the real reader
// plugin for the documents' text, documents generated from data/ at build time, and a
// text source that stands in for the component where a test must count or stop reads.
#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/SearchQuery.h"
#include "objects/Objects7.h"
#include "platform/PdfTextSource.h"

namespace tavo::test {

// Pages of text by file name, counting what was read; AfterPage may stop the work.
class TFakeTextSource : public platform::IPdfTextSource {
public:
    std::map<QString, QStringList> Pages;  // a file missing here cannot be read
    mutable std::vector<QString> Read;     // files read, in order
    std::function<void(const QString& File, int32_t Page)> AfterPage;

    std::map<QString, QHash<QString, int32_t>> Destinations;  // by file
    mutable std::atomic<int> DestinationReads{0};
    // Several threads may read at once, as they do from the component.
    mutable std::mutex Lock;

    int32_t ReadPages(const QString& FileName, const TPageSink& Sink,
                      QString* Error) const override;
    QHash<QString, int32_t> DestinationPages(const QString& FileName,
                                             const QStringList& Names) const override;
};

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A document generated at build time ("polskie.pdf").
    static std::filesystem::path GeneratedDoc(const std::string& Name);
    // Copies a generated document into the test's documentation folder as Name.
    std::filesystem::path PutDoc(const std::string& Generated, const std::string& Name);
    // The test's documentation folder (FFolder is it).
    std::filesystem::path Docs() const { return FDocs; }
    // An index file in the test's cache folder.
    static std::filesystem::path IndexFile();

    // An entry: File as the catalogue stores it (":a.pdf"); Caption in UTF-8.
    static catalogue::TDocItem0* Entry(int32_t Level, const std::string& Caption,
                                       const std::string& File, const std::string& Pages = {},
                                       bool Visible = true);
    // The sample disc's catalogue, read as the shell reads it (FFolder becomes its folder).
    std::unique_ptr<objects::TObjectCollection> SampleCatalogue();
    // Catalogue as the search takes it, with the standard types and FFolder; it lives as
    // long as the test.
    const catalogue::TDocCatalogue* Doc(const objects::TObjectCollection& Catalogue);
    // The reader component's text source.
    const platform::IPdfTextSource& RealSource();

    std::filesystem::path FDocs;
    catalogue::TDocumentFolder FFolder;
    std::vector<std::unique_ptr<catalogue::TDocCatalogue>> FCatalogues;
    std::unique_ptr<QObject> FSource;
};

// Every key of a catalogue with the documentation folder set: what the index keys files by.
QString KeyOf(const std::filesystem::path& File);

// Bringing an index up to date from the fake source, with its events and progress kept.
class IndexRefreshTest : public SearchTest {
protected:
    // A file on disk for the fake source to stand for; its bytes only give it a size.
    QString File(const std::string& Name, const std::string& Bytes = "x")
    {
        return KeyOf(WriteFile(Docs() / Name, Bytes));
    }
    docviewer::TRefreshReport Refresh(docviewer::TManualIndex& Index, const QStringList& Files,
                                      int Readers = 1)
    {
        FEvents.clear();
        FProgress.clear();
        docviewer::TRefreshCallbacks callbacks;
        callbacks.Event = [this](const docviewer::TIndexEvent& E) { FEvents.push_back(E); };
        callbacks.Progress = [this](int Done, int, const QString&) { FProgress.push_back(Done); };
        return docviewer::RefreshIndex(Index, Files, FFake, callbacks, FStop, {}, Readers);
    }
    size_t Found(docviewer::TManualIndex& Index, const char* Query)
    {
        return Index.Search(docviewer::ParseSearchQuery(QString::fromUtf8(Query)), 2000).size();
    }

    TFakeTextSource FFake;
    std::atomic<bool> FStop{false};
    std::vector<docviewer::TIndexEvent> FEvents;
    std::vector<int> FProgress;
};

}  // namespace tavo::test
