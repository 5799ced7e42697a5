// A catalogue of 100,000 entries: loading it and filling the table of contents (built,
// expanded, shown and drawn once), against reading the file raw and against a plain
// QStandardItemModel in a QTreeView given the same captions and the same shape.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/DMDocItem.h"
#include "docviewer/PdfTreeView.h"
#include "objects/Objects7.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

constexpr int32_t EntryCount = 100000;

struct TFixture {
    fs::path Folder;
    std::string File;
    std::unique_ptr<objects::TFileVerInfo> VerInfo;
    std::unique_ptr<docviewer::TDM_DocItem> Types;
    std::unique_ptr<objects::TObjectCollection> Loaded;
    catalogue::TDocumentFolder DocFolder;

    TFixture()
    {
        objects::StartObjectsModule();
        objects::SetHeaderSettings(1, {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ",
                                       "TAVO           ", ">=95           "});
        VerInfo = std::make_unique<objects::TFileVerInfo>(true, "KALPDFV_1.00");
        Types = std::make_unique<docviewer::TDM_DocItem>();
        Folder = fs::temp_directory_path() / ("catalogue-bench-" + std::to_string(getpid()));
        fs::create_directories(Folder);
        File = (Folder / "TAVO_ENG.pdfv").string();
        objects::TObjectCollection Catalogue;
        for (int32_t I = 0; I < EntryCount; ++I) {
            auto* Item = new catalogue::TDocItem0;
            Item->SetLevel(I % 4);
            Item->SetCaption(I % 7 == 0 ? std::string()
                                        : "Rozdzia\xB3 " + std::to_string(I) +
                                              " \x9A"
                                              "koda");
            Item->SetCaptionTyp(I % 7 == 0 ? 3 : I % 30);
            Item->SetStoredFileName(":Katalog\\Dokument" + std::to_string(I / 100) + ".pdf");
            Item->SetPages(std::to_string(I % 300 + 1));
            Item->SetDestination(I % 2 ? "" : "d" + std::to_string(I));
            Catalogue.Insert(Item);
        }
        catalogue::StoreCatalogue(File, Catalogue, *VerInfo);
        Loaded = catalogue::LoadCatalogue(File, *VerInfo);
    }
    ~TFixture()
    {
        std::error_code Ignored;
        fs::remove_all(Folder, Ignored);
    }
};

TFixture& Fixture()
{
    static TFixture F;
    return F;
}

// Baseline: the file's bytes into memory.
void BM_ReadFileRaw(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        std::ifstream In(F.File, std::ios::binary);
        std::vector<char> Bytes(static_cast<size_t>(fs::file_size(F.File)));
        In.read(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        benchmark::DoNotOptimize(Bytes.data());
    }
}

void BM_LoadCatalogue(benchmark::State& State)
{
    TFixture& F = Fixture();
    for (auto _ : State) {
        auto Catalogue = catalogue::LoadCatalogue(F.File, *F.VerInfo);
        if (Catalogue->Count() != EntryCount)
            State.SkipWithError("wrong count");
    }
}

// What the documentation tab does the first time: load, then fill and expand the tree.
void BM_LoadAndFillTree(benchmark::State& State)
{
    TFixture& F = Fixture();
    docviewer::TPdfTreeView View;
    View.resize(400, 600);
    View.show();
    for (auto _ : State) {
        catalogue::TDocCatalogue Catalogue(catalogue::LoadCatalogue(F.File, *F.VerInfo),
                                           F.Types->DocTypes(), F.DocFolder);
        View.FillTree(&Catalogue, F.Types->Glyphs);
        QApplication::processEvents();
        if (View.TocModel()->NodeCount() != EntryCount)
            State.SkipWithError("wrong node count");
        View.FillTree(nullptr, F.Types->Glyphs);  // the nodes must not outlive the entries
    }
}

// The tree alone: fill, expand everything, draw once.
void BM_FillTree(benchmark::State& State)
{
    TFixture& F = Fixture();
    docviewer::TPdfTreeView View;
    View.resize(400, 600);
    View.show();
    std::unique_ptr<catalogue::TDocCatalogue> Shown;
    for (auto _ : State) {
        // The table of contents is built with the catalogue's view of the entries.
        auto Next =
            std::make_unique<catalogue::TDocCatalogue>(*F.Loaded, F.Types->DocTypes(), F.DocFolder);
        View.FillTree(Next.get(), F.Types->Glyphs);
        QApplication::processEvents();
        Shown = std::move(Next);
    }
    View.FillTree(nullptr, F.Types->Glyphs);
}

// Baseline: the same captions and shape in a QStandardItemModel shown by a QTreeView
// with uniform rows, expanded in one call and drawn once.
void BM_FillStandardItemModel(benchmark::State& State)
{
    TFixture& F = Fixture();
    std::vector<QString> Captions;
    std::vector<int32_t> Levels;
    const catalogue::TDocTypes Types = F.Types->DocTypes();
    for (int32_t I = 0; I < F.Loaded->Count(); ++I) {
        const auto& Item = static_cast<const catalogue::TDocItem0&>(*F.Loaded->ItemAt(I));
        Captions.push_back(docviewer::AnsiToQString(Item.Caption(Types)));
        Levels.push_back(Item.Level());
    }
    QTreeView View;
    View.setUniformRowHeights(true);
    View.setHeaderHidden(true);
    View.resize(400, 600);
    View.show();
    for (auto _ : State) {
        auto* Model = new QStandardItemModel;
        QStandardItem* Parents[4] = {};
        for (size_t I = 0; I < Captions.size(); ++I) {
            auto* Node = new QStandardItem(Captions[I]);
            const int32_t Level = Levels[I];
            QStandardItem* Parent = Level == 0 ? Model->invisibleRootItem() : Parents[Level - 1];
            Parent->appendRow(Node);
            Parents[Level] = Node;
        }
        View.setModel(Model);
        View.expandAll();
        QApplication::processEvents();
        View.setModel(nullptr);
        delete Model;
    }
}

BENCHMARK(BM_ReadFileRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndFillTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillStandardItemModel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
