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

#include "catalogue/DocCatalogue.h"
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

}  // namespace tavo::test
