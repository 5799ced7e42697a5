// The search of the whole manual on a generated manual of ten 500-page documents (5,000
// pages of varied Polish and English text), each figure beside its baseline in this run:
//   indexing a document through the reader component  /  Poppler alone extracting its text
//   a search of the 5,000 pages (ranked, with snippets)  /  a plain LIKE scan of the rows
// The LIKE scan reads every row, as finding all matches takes; the search ranks all its
// matches and keeps the best 200, each given its entry and a snippet (the index's part of
// that alone is BM_IndexMatch). The ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <poppler-qt6.h>
#include <string>
#include <vector>

#include "catalogue/DocCatalogue.h"
#include "catalogue/DocItem.h"
#include "docviewer/search/ManualEntries.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/ManualSearch.h"
#include "docviewer/search/TextFolding.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
#include "platform/ComponentRegistry.h"
#include "platform/PdfTextSource.h"
#include "tools/ToolsModule.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

constexpr int kDocuments = 10;
constexpr int kPagesEach = 500;

// Words of a heating manual; a few stand on few pages only.
const std::vector<std::string> Vocabulary = {
    "grzejnik",
    "grzejniki",
    "grzejników",
    "ciepła",
    "ciepło",
    "pompa",
    "kocioł",
    "rura",
    "rury",
    "przewód",
    "zawór",
    "zawory",
    "termostat",
    "nastawa",
    "wstępna",
    "instalacja",
    "obliczenia",
    "budynek",
    "pomieszczenie",
    "ściana",
    "okno",
    "strop",
    "podłoga",
    "izolacja",
    "współczynnik",
    "przenikania",
    "temperatura",
    "zasilanie",
    "powrót",
    "przepływ",
    "ciśnienie",
    "spadek",
    "średnica",
    "długość",
    "moc",
    "strata",
    "straty",
    "źródło",
    "gazowy",
    "kondensacyjny",
    "the",
    "heat",
    "load",
    "radiator",
    "pipe",
    "flow",
    "return",
    "design",
    "room",
    "building",
    "pressure",
    "drop",
    "valve",
    "loss",
    "and",
    "of",
    "for",
    "with",
    "is",
    "are",
    "to",
    "w",
    "i",
    "z",
    "na",
    "do",
    "od",
    "dla",
    "się",
    "jest",
    "są",
    "przy",
    "oraz",
    "lub",
    "według",
    "tabela",
    "rysunek",
    "przykład",
    "wartość",
    "norma",
    "PN-EN",
    "12831",
    "3.2",
    "Tavo",
    "C.H.",
    "łazienka",
    "kuchnia",
    "salon",
    "żółty",
};

struct TRandom {
    uint64_t State;
    uint32_t Next()
    {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(State >> 33);
    }
};

// Writes the description of document Number and has the project's generator make it.
bool Generate(const fs::path& Folder, int Number, int Pages = kPagesEach)
{
    TRandom random{static_cast<uint64_t>(Number) * 7919 + 1};
    const fs::path description = Folder / ("doc" + std::to_string(Number) + ".txt");
    {
        std::ofstream out(description);
        for (int page = 1; page <= Pages; ++page) {
            out << "page Dokument " << Number << ", strona " << page << "\n";
            for (int line = 0; line < 24; ++line) {
                out << "text";
                for (int word = 0; word < 9; ++word)
                    out << ' ' << Vocabulary[random.Next() % Vocabulary.size()];
                if (random.Next() % 997 == 0)
                    out << " rzadkie";
                out << "\n";
            }
        }
    }
    QProcess generator;
    generator.start(
        QStringLiteral(TAVO_PDFGEN),
        {QString::fromStdString((Folder / ("doc" + std::to_string(Number) + ".pdf")).string()),
         QString::fromStdString(description.string())});
    return generator.waitForFinished(600000) && generator.exitCode() == 0;
}

std::map<std::string, double> Figures;

// The reader component's text source, found as the viewer finds it.
QObject* TextSource()
{
    static std::unique_ptr<QObject> source = [] {
        objects::StartObjectsModule();
        tools::StartToolsCore();
        identity::StartApplCons(identity::TSettingsStores::Skip);
        ::setenv("TAVO_PLUGIN_PATH", READER_PLUGIN_DIR, 1);
        platform::TComponentRegistry::Instance().Rescan();
        return docviewer::CreateTextSource();
    }();
    return source.get();
}

struct TManual {
    QTemporaryDir Folder;
    objects::TObjectCollection Catalogue;
    std::unique_ptr<catalogue::TDocCatalogue> Doc;
    std::unique_ptr<docviewer::TManualEntries> Entries;
    QObject* Source = nullptr;
    fs::path IndexFile;
    bool Ready = false;
    double IndexSeconds = 0;

    TManual()
    {
        ::setenv("XDG_CACHE_HOME", (Folder.path() + "/cache").toLocal8Bit().constData(), 1);
        const fs::path folder = Folder.path().toStdString();
        std::fprintf(stderr, "generating %d documents of %d pages...\n", kDocuments, kPagesEach);
        for (int n = 1; n <= kDocuments; ++n) {
            if (!Generate(folder, n))
                return;
            // Two entries a document, one at its start and one in its middle.
            for (int page : {1, kPagesEach / 2}) {
                auto* item = new catalogue::TDocItem0;
                item->SetCaption("Dokument " + std::to_string(n) + ", strona " +
                                 std::to_string(page));
                item->SetStoredFileName(":doc" + std::to_string(n) + ".pdf");
                item->SetPages(std::to_string(page));
                Catalogue.Insert(item);
            }
        }
        Doc = std::make_unique<catalogue::TDocCatalogue>(
            Catalogue, catalogue::StandardDocTypes(),
            catalogue::TDocumentFolder(folder.string() + "/"));
        Entries = std::make_unique<docviewer::TManualEntries>(Doc.get());
        Source = TextSource();
        IndexFile = folder / "manual.sqlite";
        std::fprintf(stderr, "indexing %d pages...\n", kDocuments * kPagesEach);
        QElapsedTimer t;
        t.start();
        docviewer::TManualIndex index(IndexFile);
        std::atomic<bool> stop{false};
        const docviewer::TRefreshReport report = docviewer::RefreshIndex(
            index, Entries->Files(), docviewer::TextSourceOf(*Source), {}, stop);
        IndexSeconds = t.nsecsElapsed() / 1e9;
        Ready = report.Pages == kDocuments * kPagesEach;
        if (Ready)
            Figures["whole_manual_s"] = IndexSeconds;
    }
    QString Document(int Number) const
    {
        return Folder.path() + QStringLiteral("/doc%1.pdf").arg(Number);
    }
};

TManual& Manual()
{
    static TManual manual;
    return manual;
}

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0 : Values[Values.size() / 2];
}

// Poppler alone: open the document, take every page's text.
int PopplerText(const QString& File)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(File);
    int pages = 0;
    for (int i = 0; doc && i < doc->numPages(); ++i)
        if (std::unique_ptr<Poppler::Page> page = doc->page(i))
            pages += page->text(QRectF()).isEmpty() ? 0 : 1;
    return pages;
}

// Indexing the same document into a new index through the reader component.
int64_t IndexOne(const QString& File, const fs::path& Index)
{
    std::error_code ec;
    fs::remove(Index, ec);
    docviewer::TManualIndex index(Index);
    std::atomic<bool> stop{false};
    return docviewer::RefreshIndex(index, {File}, docviewer::TextSourceOf(*Manual().Source), {},
                                   stop)
        .Pages;
}

// Both in turns on the same 500-page document, so that whatever else the machine does
// weighs on both alike.
void BM_IndexAgainstPopplerInTurns(benchmark::State& State)
{
    if (!Manual().Ready) {
        State.SkipWithError("the manual could not be generated and indexed");
        return;
    }
    const QString file = Manual().Document(1);
    const fs::path index = fs::path(Manual().Folder.path().toStdString()) / "one.sqlite";
    std::vector<double> poppler, indexing;
    QElapsedTimer t;
    for (auto _ : State) {
        t.start();
        const int pages = PopplerText(file);
        poppler.push_back(t.nsecsElapsed() / 1e9);
        t.start();
        const int64_t indexed = IndexOne(file, index);
        indexing.push_back(t.nsecsElapsed() / 1e9);
        if (pages != kPagesEach || indexed != kPagesEach) {
            State.SkipWithError("pages missing");
            return;
        }
    }
    State.counters["poppler_pages_per_s"] = kPagesEach / Median(poppler);
    State.counters["index_pages_per_s"] = kPagesEach / Median(indexing);
    State.counters["ratio"] = Median(indexing) / Median(poppler);
    Figures["index_pages_per_s"] = kPagesEach / Median(indexing);
    Figures["poppler_pages_per_s"] = kPagesEach / Median(poppler);
    Figures["index_ratio"] = Median(indexing) / Median(poppler);
}

// A first index of a manual of 8 documents of unequal length, 3,000 pages in all, against
// Poppler's own pdftotext run over the same files one after another.
const int FirstSetPages[] = {620, 540, 460, 400, 340, 280, 220, 140};

struct TFirstSet {
    QTemporaryDir Folder;
    QStringList Files;
    int Pages = 0;
    bool Ready = false;

    TFirstSet()
    {
        const fs::path folder = Folder.path().toStdString();
        std::fprintf(stderr, "generating the first-index set...\n");
        int number = 101;
        for (int pages : FirstSetPages) {
            if (!Generate(folder, number, pages))
                return;
            Files << Folder.path() + QStringLiteral("/doc%1.pdf").arg(number++);
            Pages += pages;
        }
        Ready = true;
    }
};

TFirstSet& FirstSet()
{
    static TFirstSet set;
    return set;
}

bool Pdftotext(const QStringList& Files, const QString& Out)
{
    for (const QString& file : Files) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {file, Out});
        if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return false;
    }
    return true;
}

int64_t FirstIndex(const QStringList& Files, const fs::path& Index, int Readers)
{
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(Index.string() + suffix, ec);
    docviewer::TManualIndex index(Index);
    std::atomic<bool> stop{false};
    return docviewer::RefreshIndex(index, Files, docviewer::TextSourceOf(*TextSource()), {}, stop,
                                   {}, Readers)
        .Pages;
}

// Text extraction alone through the reader component, on one thread: the share of a
// build that is Poppler's.
int64_t ExtractOnly(const QStringList& Files)
{
    int64_t pages = 0;
    for (const QString& file : Files)
        docviewer::TextSourceOf(*TextSource())
            .ReadPages(
                file, [&](int32_t, const QString&) { return ++pages, true; }, nullptr);
    return pages;
}

void BM_FirstIndexAgainstPdftotext(benchmark::State& State)
{
    if (!FirstSet().Ready) {
        State.SkipWithError("the first-index set could not be generated");
        return;
    }
    const QStringList& files = FirstSet().Files;
    const fs::path index = fs::path(FirstSet().Folder.path().toStdString()) / "first.sqlite";
    const QString out = FirstSet().Folder.path() + QStringLiteral("/out.txt");
    const int readers = docviewer::IndexReaders();
    std::vector<double> pdftotext, parallel, single, extract;
    QElapsedTimer t;
    for (auto _ : State) {
        t.start();
        if (!Pdftotext(files, out)) {
            State.SkipWithError("pdftotext failed");
            return;
        }
        pdftotext.push_back(t.nsecsElapsed() / 1e9);
        t.start();
        const int64_t built = FirstIndex(files, index, readers);
        parallel.push_back(t.nsecsElapsed() / 1e9);
        t.start();
        const int64_t alone = FirstIndex(files, index, 1);
        single.push_back(t.nsecsElapsed() / 1e9);
        t.start();
        const int64_t read = ExtractOnly(files);
        extract.push_back(t.nsecsElapsed() / 1e9);
        if (built != FirstSet().Pages || alone != built || read != built) {
            State.SkipWithError("pages missing");
            return;
        }
    }
    Figures["first_pdftotext_s"] = Median(pdftotext);
    Figures["first_parallel_s"] = Median(parallel);
    Figures["first_single_s"] = Median(single);
    Figures["first_extract_s"] = Median(extract);
    Figures["first_readers"] = readers;
    State.counters["ratio"] = Median(parallel) / Median(pdftotext);
}

struct TQueryCase {
    const char* Name;
    const char* Query;  // as typed
    const char* Like;   // the baseline's pattern over the folded rows
};

const TQueryCase Queries[] = {
    {"rare_word", "rzadkie", "%rzadkie%"},
    {"common_word", "grzejnik", "%grzejnik%"},
    {"prefix", "przeni*", "%przeni%"},
    {"phrase", "\"pompa ciepła\"", "%pompa ciepla%"},
    {"two_words", "Źródło kondensacyjny", "%zrodlo%kondensacyjny%"},
};

void BM_Search(benchmark::State& State)
{
    const TQueryCase& c = Queries[State.range(0)];
    State.SetLabel(c.Name);
    if (!Manual().Ready) {
        State.SkipWithError("the manual could not be generated and indexed");
        return;
    }
    docviewer::TManualIndex index(Manual().IndexFile, docviewer::TManualIndex::ocNone);
    const docviewer::TSearchQuery query = docviewer::ParseSearchQuery(QString::fromUtf8(c.Query));
    size_t found = 0;
    for (auto _ : State) {
        const std::vector<docviewer::TSearchResult> results =
            docviewer::SearchManual(index, *Manual().Entries, query);
        found = results.size();
        benchmark::DoNotOptimize(found);
    }
    State.counters["results"] = static_cast<double>(found);
}

void BM_IndexMatch(benchmark::State& State)
{
    const TQueryCase& c = Queries[State.range(0)];
    State.SetLabel(c.Name);
    if (!Manual().Ready) {
        State.SkipWithError("the manual could not be generated and indexed");
        return;
    }
    docviewer::TManualIndex index(Manual().IndexFile, docviewer::TManualIndex::ocNone);
    const docviewer::TSearchQuery query = docviewer::ParseSearchQuery(QString::fromUtf8(c.Query));
    size_t found = 0;
    for (auto _ : State) {
        found = index.Search(query, docviewer::kMaxSearchResults).size();
        benchmark::DoNotOptimize(found);
    }
    State.counters["results"] = static_cast<double>(found);
}

void BM_LikeScan(benchmark::State& State)
{
    const TQueryCase& c = Queries[State.range(0)];
    State.SetLabel(c.Name);
    if (!Manual().Ready) {
        State.SkipWithError("the manual could not be generated and indexed");
        return;
    }
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("like"));
        db.setDatabaseName(QString::fromStdString(Manual().IndexFile.string()));
        db.open();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT rowid FROM pages WHERE body LIKE ?"));
        size_t found = 0;
        for (auto _ : State) {
            q.bindValue(0, QString::fromUtf8(c.Like));
            q.exec();
            found = 0;
            while (q.next())
                ++found;
        }
        State.counters["results"] = static_cast<double>(found);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("like"));
}

BENCHMARK(BM_FirstIndexAgainstPdftotext)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IndexAgainstPopplerInTurns)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Search)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_IndexMatch)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LikeScan)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->MinTime(1.0);

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            if (!r.error_occurred && r.iterations > 0)
                FTimes[r.run_name.function_name + "/" + r.report_label] = r.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (Figures.count("whole_manual_s"))
            std::printf("whole manual: %d pages indexed in %.1f s (%.0f pages/s)\n",
                        kDocuments * kPagesEach, Manual().IndexSeconds,
                        kDocuments * kPagesEach / Manual().IndexSeconds);
        if (Figures.count("index_ratio"))
            std::printf("indexing %.0f pages/s, Poppler alone %.0f pages/s: ratio %.2f (target "
                        "at most 1.5)\n",
                        Figures["index_pages_per_s"], Figures["poppler_pages_per_s"],
                        Figures["index_ratio"]);
        if (Figures.count("first_parallel_s"))
            std::printf("first index of %d pages in %zu documents: %.2f s on %.0f reading "
                        "threads, pdftotext one after another %.2f s: ratio %.2f (target at "
                        "most 1.0)\n  where the time goes: extraction alone on one thread "
                        "%.2f s, the whole build on one thread %.2f s\n",
                        FirstSet().Pages, std::size(FirstSetPages), Figures["first_parallel_s"],
                        Figures["first_readers"], Figures["first_pdftotext_s"],
                        Figures["first_parallel_s"] / Figures["first_pdftotext_s"],
                        Figures["first_extract_s"], Figures["first_single_s"]);
        for (const TQueryCase& c : Queries) {
            auto search = FTimes.find(std::string("BM_Search/") + c.Name);
            auto match = FTimes.find(std::string("BM_IndexMatch/") + c.Name);
            auto like = FTimes.find(std::string("BM_LikeScan/") + c.Name);
            if (search != FTimes.end() && match != FTimes.end() && like != FTimes.end() &&
                search->second > 0)
                std::printf("%-12s search %6.2f ms (target under 50; index part %5.2f ms), "
                            "LIKE scan %6.2f ms: ratio %.2f\n",
                            c.Name, search->second, match->second, like->second,
                            search->second / like->second);
        }
    }

private:
    std::map<std::string, double> FTimes;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
