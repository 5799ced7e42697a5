// The reader on a generated 1,000-page document, each figure beside a raw Poppler baseline
// in the same run; the ratios are printed after the table. Runs offscreen unless a platform
// is given.
//   page selected until its image is on screen  /  raw render of that page, same size
//   document opened until page 1 is on screen    /  raw load and render of page 1
#include <QApplication>
#include <QElapsedTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <poppler-qt6.h>

#include "PageView.h"
#include "PdfReader.h"

namespace {

using tavo::pdfreader::TPdfReaderAx;

const QString Document = QStringLiteral(BENCH_PDF);

// The control in a shown window, as the viewer has it.
struct THost {
    QWidget Window;
    TPdfReaderAx* Reader;
    int Shown = 0;

    THost()
    {
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Reader = new TPdfReaderAx(&Window);
        layout->addWidget(Reader);
        Window.resize(820, 900);
        Window.show();
        while (!Window.windowHandle() || !Window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QObject::connect(Reader, &TPdfReaderAx::pageShown, [this](int Page) { Shown = Page; });
    }
    // Runs Action and processes events until Page has been painted with its image.
    void AndWait(int Page, const std::function<void()>& Action)
    {
        Shown = 0;
        Action();
        while (Shown != Page)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            5);
    }
};

std::unique_ptr<THost> TheHost;  // made and destroyed while the application exists

THost& Host()
{
    if (!TheHost)
        TheHost = std::make_unique<THost>();
    return *TheHost;
}

QSize ImageSize(int Page)
{
    return Host().Reader->View()->PageImageSize(Page - 1);
}

// Pages a stride apart, so that the screen rendered ahead for one is not the next one.
int NextPage(int Page)
{
    return (Page + 37) % 1000 + 1;
}

void BM_RawRenderPage(benchmark::State& state)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(Document);
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    Host().AndWait(1, [] { Host().Reader->Load(Document); });
    int page = 1;
    for (auto _ : state) {
        page = NextPage(page);
        const QSize size = ImageSize(page);
        std::unique_ptr<Poppler::Page> p = doc->page(page - 1);
        const QSizeF points = p->pageSizeF();
        QImage image = p->renderToImage(size.width() * 72.0 / points.width(),
                                        size.height() * 72.0 / points.height(), 0, 0, size.width(),
                                        size.height());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RawRenderPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SelectPage(benchmark::State& state)
{
    THost& host = Host();
    host.AndWait(1, [&] { host.Reader->Load(Document); });
    int page = 1;
    for (auto _ : state) {
        page = NextPage(page);
        host.AndWait(page, [&] { host.Reader->ShowPage(page); });
    }
}
BENCHMARK(BM_SelectPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What the window adds to a render: showing a page whose image is in the cache already.
void BM_SelectRenderedPage(benchmark::State& state)
{
    THost& host = Host();
    host.AndWait(1, [&] { host.Reader->Load(Document); });
    for (int page : {10, 20})
        host.AndWait(page, [&] { host.Reader->ShowPage(page); });
    int page = 10;
    for (auto _ : state) {
        page = page == 10 ? 20 : 10;
        host.AndWait(page, [&] { host.Reader->ShowPage(page); });
    }
}
BENCHMARK(BM_SelectRenderedPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RawOpenFirstPage(benchmark::State& state)
{
    Host().AndWait(1, [] { Host().Reader->Load(Document); });
    const QSize size = ImageSize(1);
    for (auto _ : state) {
        std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(Document);
        doc->setRenderHint(Poppler::Document::Antialiasing);
        doc->setRenderHint(Poppler::Document::TextAntialiasing);
        std::unique_ptr<Poppler::Page> p = doc->page(0);
        const QSizeF points = p->pageSizeF();
        QImage image = p->renderToImage(size.width() * 72.0 / points.width(),
                                        size.height() * 72.0 / points.height(), 0, 0, size.width(),
                                        size.height());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RawOpenFirstPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenFirstPage(benchmark::State& state)
{
    THost& host = Host();
    for (auto _ : state)
        host.AndWait(1, [&] { host.Reader->Load(Document); });
}
BENCHMARK(BM_OpenFirstPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                Time[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Time;
};

void Ratio(const RatioReporter& Reporter, const char* What, const std::string& Ours,
           const std::string& Raw, double Target)
{
    const auto ours = Reporter.Time.find(Ours), raw = Reporter.Time.find(Raw);
    if (ours == Reporter.Time.end() || raw == Reporter.Time.end() || raw->second <= 0)
        return;
    std::printf("%s: %.2f ms, raw Poppler: %.2f ms, ratio %.2fx (target at most %.1fx)\n", What,
                ours->second, raw->second, ours->second / raw->second, Target);
}

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Ratio(reporter, "page selected until shown", "BM_SelectPage", "BM_RawRenderPage", 1.2);
    Ratio(reporter, "1,000-page document opened until page 1 shown", "BM_OpenFirstPage",
          "BM_RawOpenFirstPage", 1.5);
    TheHost.reset();
    benchmark::Shutdown();
    return 0;
}
