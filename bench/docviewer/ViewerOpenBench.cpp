// Opening an entry of another file until its page is on screen: the viewer's OpenDocument
// against the reader control alone doing the same load, page and view, in one run on the
// real reader plugin and the sample disc's documents. The ratio is printed at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/DocCatalogue.h"
#include "catalogue/DocItem.h"
#include "docviewer/DMDocItem.h"
#include "docviewer/FAdobeRader6Warrning.h"
#include "docviewer/FDOCPDFViewer.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfPanel.h"
#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsModule.h"
#include "platform/ComponentRegistry.h"
#include "tools/ToolsModule.h"

using namespace tavo;

namespace {

constexpr int32_t Page = 3;
const char* const Files[2] = {"Opis.pdf", "Podrecznik.pdf"};

std::string Documentation()
{
    return std::string(SAMPLE_DOCUMENTATION) + "/";
}

}  // namespace

// The page the reader last reported painted whole.
class TPageShown : public QObject {
    Q_OBJECT
public:
    explicit TPageShown(docviewer::TReaderControl* Reader)
    {
        connect(Reader->Control(), SIGNAL(pageShown(int)), this, SLOT(Shown(int)));
    }
    void Arm() { FLast = 0; }
    bool Wait()
    {
        QElapsedTimer t;
        t.start();
        while (FLast != Page && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return FLast == Page;
    }

public slots:
    void Shown(int Value) { FLast = Value; }

private:
    int FLast = 0;
};

namespace {

double FRatio = 0;

struct TModules {
    TModules()
    {
        objects::StartObjectsModule();
        tools::StartToolsModule();
        identity::StartApplCons(identity::TSettingsStores::Skip);
        docviewer::StartViewerModule();
        ::setenv("TAVO_PLUGIN_PATH", READER_PLUGIN_DIR, 1);
        platform::TComponentRegistry::Instance().Rescan();
        docviewer::SetWarningPresenter([](docviewer::TF_AdobeRader6Warrning&) {});
        Types = std::make_unique<docviewer::TDM_DocItem>();
    }
    ~TModules()
    {
        docviewer::SetWarningPresenter({});
        docviewer::StopViewerModule();
        Types.reset();
        identity::StopApplCons();
        tools::StopToolsModule();
        objects::StopObjectsModule();
    }
    std::unique_ptr<docviewer::TDM_DocItem> Types;
};

TModules& Modules()
{
    static TModules m;
    return m;
}

// A viewer showing the two entries, its control obtained.
struct TViewerUnderTest {
    objects::TObjectCollection Entries;
    std::unique_ptr<catalogue::TDocCatalogue> Catalogue;
    docviewer::TF_DocPDFViewer Viewer;
    std::unique_ptr<TPageShown> Shown;
    int Next = 1;

    TViewerUnderTest()
    {
        for (const char* file : Files) {
            auto* item = new catalogue::TDocItem0;
            item->SetCaption(file);
            item->SetStoredFileName(std::string(":") + file);
            item->SetPages(std::to_string(Page));
            Entries.Insert(item);
        }
        Viewer.resize(900, 600);
        Catalogue = std::make_unique<catalogue::TDocCatalogue>(
            Entries, Modules().Types->DocTypes(), catalogue::TDocumentFolder(Documentation()));
        Viewer.FillTree(Catalogue.get(), Modules().Types->Glyphs);
        Viewer.show();
        QElapsedTimer t;
        t.start();
        while ((!Viewer.CurrentControl() || Viewer.ControlPending()) && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        if (Viewer.CurrentControl())
            Shown = std::make_unique<TPageShown>(Viewer.CurrentControl());
    }
    ~TViewerUnderTest() { Viewer.FormClose(); }
    // Opens the entry of the other file; true once its page is on screen.
    bool Open()
    {
        Shown->Arm();
        Viewer.OpenDocument(Catalogue->Document(Next), Page, std::string());
        Next = 1 - Next;
        return Shown->Wait();
    }
};

// The reader control alone, as large as the viewer's document panel.
struct TControlUnderTest {
    docviewer::TPDF Reader;
    TPageShown Shown{&Reader};
    int Next = 1;

    TControlUnderTest()
    {
        Reader.resize(670, 600);
        Reader.show();
    }
    bool Open()
    {
        Shown.Arm();
        Reader.LoadFile(QString::fromStdString(Documentation() + Files[Next]));
        Reader.setCurrentPage(Page);
        Reader.setView(QStringLiteral("FitH,0"));
        Next = 1 - Next;
        return Shown.Wait();
    }
};

void BM_ViewerOpenDocument(benchmark::State& State)
{
    Modules();
    TViewerUnderTest v;
    if (!v.Shown) {
        State.SkipWithError("no reader control");
        return;
    }
    for (auto _ : State)
        if (!v.Open()) {
            State.SkipWithError("page not shown");
            break;
        }
}

void BM_ReaderControlAlone(benchmark::State& State)
{
    Modules();
    TControlUnderTest c;
    for (auto _ : State)
        if (!c.Open()) {
            State.SkipWithError("page not shown");
            break;
        }
}

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0 : Values[Values.size() / 2];
}

// Both in turns, so that whatever else the machine does weighs on both alike: the medians
// of each and their ratio.
void BM_ViewerAgainstControlInTurns(benchmark::State& State)
{
    Modules();
    TViewerUnderTest v;
    TControlUnderTest c;
    if (!v.Shown) {
        State.SkipWithError("no reader control");
        return;
    }
    std::vector<double> viewer, alone;
    QElapsedTimer t;
    for (auto _ : State) {
        t.start();
        bool ok = v.Open();
        viewer.push_back(t.nsecsElapsed() / 1e6);
        t.start();
        ok = c.Open() && ok;
        alone.push_back(t.nsecsElapsed() / 1e6);
        if (!ok) {
            State.SkipWithError("page not shown");
            break;
        }
    }
    State.counters["viewer_ms"] = Median(viewer);
    State.counters["alone_ms"] = Median(alone);
    State.counters["ratio"] = Median(alone) > 0 ? Median(viewer) / Median(alone) : 0;
    FRatio = State.counters["ratio"];
}

BENCHMARK(BM_ReaderControlAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ViewerOpenDocument)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ViewerAgainstControlInTurns)->Unit(benchmark::kMillisecond)->MinTime(4.0);

// Prints the viewer's time over the control's.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            if (!r.error_occurred && r.iterations > 0)
                FTimes[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        auto viewer = FTimes.find("BM_ViewerOpenDocument/min_time:2.000");
        auto alone = FTimes.find("BM_ReaderControlAlone/min_time:2.000");
        if (viewer != FTimes.end() && alone != FTimes.end() && alone->second > 0)
            std::printf("viewer / control alone, separate runs: %.3f\n",
                        viewer->second / alone->second);
        if (FRatio > 0)
            std::printf("viewer / control alone, in turns (medians): %.3f (target at most 1.1)\n",
                        FRatio);
    }

private:
    std::map<std::string, double> FTimes;
};

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

#include "ViewerOpenBench.moc"
