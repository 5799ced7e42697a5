#include "SearchTestSupport.h"

#include <cstdlib>

#include "TestEnvironment.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/search/ManualIndexer.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "tools/ToolsModule.h"

namespace tavo::test {

namespace fs = std::filesystem;

int32_t TFakeTextSource::ReadPages(const QString& FileName, const TPageSink& Sink,
                                   QString* Error) const
{
    {
        const std::lock_guard lock(Lock);
        Read.push_back(FileName);
    }
    auto found = Pages.find(FileName);
    if (found == Pages.end()) {
        *Error = QStringLiteral("the file is damaged or is not a PDF document.");
        return -1;
    }
    const QStringList& pages = found->second;
    for (int32_t i = 0; i < pages.size(); ++i) {
        if (!Sink(i + 1, pages.at(i)))
            break;
        if (AfterPage)
            AfterPage(FileName, i + 1);
    }
    return static_cast<int32_t>(pages.size());
}

QHash<QString, int32_t> TFakeTextSource::DestinationPages(const QString& FileName,
                                                          const QStringList& Names) const
{
    ++DestinationReads;
    QHash<QString, int32_t> pages;
    if (!Pages.count(FileName))
        return pages;
    auto known = Destinations.find(FileName);
    for (const QString& name : Names)
        pages.insert(name, known == Destinations.end() ? 0 : known->second.value(name, 0));
    return pages;
}

void SearchTest::SetUp()
{
    objects::StartObjectsModule();
    tools::StartToolsModule();
    identity::StartApplCons(identity::TSettingsStores::Skip);
    FDocs = fs::absolute(TestFolder() / "Documentation");
    fs::create_directories(FDocs);
    FFolder = catalogue::TDocumentFolder(FDocs.string() + "/");
    ::setenv("TAVO_PLUGIN_PATH", READER_PLUGIN_DIR, 1);
    platform::TComponentRegistry::Instance().Rescan();
}

void SearchTest::TearDown()
{
    FSource.reset();
    FCatalogues.clear();
    identity::StopApplCons();
    tools::StopToolsModule();
    objects::StopObjectsModule();
}

fs::path SearchTest::GeneratedDoc(const std::string& Name)
{
    return fs::path(TEST_DOCS) / Name;
}

fs::path SearchTest::PutDoc(const std::string& Generated, const std::string& Name)
{
    const fs::path to = FDocs / Name;
    fs::create_directories(to.parent_path());
    fs::copy_file(GeneratedDoc(Generated), to, fs::copy_options::overwrite_existing);
    return to;
}

fs::path SearchTest::IndexFile()
{
    return TestFolder() / "home" / ".cache" / "tavo" / "index.sqlite";
}

catalogue::TDocItem0* SearchTest::Entry(int32_t Level, const std::string& Caption,
                                        const std::string& File, const std::string& Pages,
                                        bool Visible)
{
    auto* item = new catalogue::TDocItem0;
    item->SetLevel(Level);
    item->SetCaption(platform::Utf8ToAnsiLossy(Caption));
    item->SetStoredFileName(File);
    item->SetPages(Pages);
    item->SetVisibleForUser(Visible);
    return item;
}

std::unique_ptr<objects::TObjectCollection> SearchTest::SampleCatalogue()
{
    FFolder = catalogue::TDocumentFolder(std::string(SAMPLE_DOCUMENTATION) + "/");
    return catalogue::LoadCatalogue(FFolder.Written() + catalogue::CatalogueFileName,
                                    *identity::CatalogueVerInfo());
}

const catalogue::TDocCatalogue* SearchTest::Doc(const objects::TObjectCollection& Catalogue)
{
    FCatalogues.push_back(std::make_unique<catalogue::TDocCatalogue>(
        Catalogue, catalogue::StandardDocTypes(), FFolder));
    return FCatalogues.back().get();
}

const platform::IPdfTextSource& SearchTest::RealSource()
{
    if (!FSource)
        FSource = docviewer::CreateTextSource();
    return docviewer::TextSourceOf(*FSource);
}

QString KeyOf(const fs::path& File)
{
    return QString::fromStdString(fs::weakly_canonical(File).string());
}

}  // namespace tavo::test
