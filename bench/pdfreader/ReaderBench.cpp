// The reader on a generated 1,000-page document, each figure beside a baseline in the same
// run; the ratios are printed after the table. Runs offscreen unless a platform is given.
//   page selected until its image is on screen  /  a bare viewer: the page rendered with
//       Poppler on the window's thread and painted into a plain widget of the same size,
//       both on an idle machine and with a spinning child process keeping a core busy
//   document opened until page 1 is on screen    /  raw load and render of page 1
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <poppler-qt6.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "PageView.h"
#include "PdfReader.h"

namespace {

using tavo::pdfreader::TPdfReaderAx;

const QString Document = QStringLiteral(BENCH_PDF);

void AfterShown(benchmark::State& State);

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
    // Runs Action and processes events until Page has been painted with its image. Given the
    // benchmark's state, what the window paints after the page (its scroll bar, the strip) is
    // let run outside the measure, as is what follows the bare viewer's paint.
    void AndWait(int Page, const std::function<void()>& Action, benchmark::State* State = nullptr)
    {
        Shown = 0;
        Action();
        while (Shown != Page)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            5);
        if (State)
            AfterShown(*State);
    }
};

void AfterShown(benchmark::State& State)
{
    State.PauseTiming();
    QCoreApplication::processEvents();
    State.ResumeTiming();
}

std::unique_ptr<THost> TheHost;  // made and destroyed while the application exists

// What any viewer must do at the least: the page's image painted into a plain widget.
class TBareView : public QWidget {
public:
    int Painted = 0;
    void Show(QImage Image)
    {
        FImage = std::move(Image);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Mid));
        painter.drawImage(QPoint(10, 10), FImage);
        ++Painted;
    }

private:
    QImage FImage;
};

// A child process that spins until the benchmark ends, keeping one core busy. It is a new
// program rather than a fork: a forked child would share the bench's memory copy-on-write, so
// that every page the bench writes afterwards is copied, a cost no real busy machine adds.
constexpr char kSpinVariable[] = "TAVO_BENCH_SPIN";

class TSpinner {
public:
    explicit TSpinner(bool On)
    {
        if (!On)
            return;
        char self[] = "/proc/self/exe";
        char* const args[] = {self, nullptr};
        const std::string spin = std::string(kSpinVariable) + "=1";
        std::vector<char*> env;
        for (char** item = environ; *item; ++item)
            env.push_back(*item);
        env.push_back(const_cast<char*>(spin.c_str()));
        env.push_back(nullptr);
        if (::posix_spawn(&FPid, self, nullptr, nullptr, args, env.data()) != 0)
            FPid = -1;
    }
    ~TSpinner()
    {
        if (FPid > 0) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    TSpinner(const TSpinner&) = delete;
    TSpinner& operator=(const TSpinner&) = delete;

private:
    pid_t FPid = -1;
};

// Minor page faults of this process so far: memory touched for the first time, the price of
// images that do not reuse what the last one let go.
long MinorFaults()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void CountFaults(benchmark::State& State, long Before)
{
    State.counters["faults"] =
        benchmark::Counter(double(MinorFaults() - Before), benchmark::Counter::kAvgIterations);
}

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

// The document opened as the reader opens it, by Poppler alone.
std::unique_ptr<Poppler::Document> RawDocument()
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(Document);
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    return doc;
}

// Page (1-based) rendered by Poppler alone at the size the reader shows it.
QImage RawRender(Poppler::Document& Doc, int Page, QSize Size)
{
    std::unique_ptr<Poppler::Page> p = Doc.page(Page - 1);
    const QSizeF points = p->pageSizeF();
    return p->renderToImage(Size.width() * 72.0 / points.width(),
                            Size.height() * 72.0 / points.height(), 0, 0, Size.width(),
                            Size.height());
}

void BM_RawRenderPage(benchmark::State& state)
{
    std::unique_ptr<Poppler::Document> doc = RawDocument();
    Host().AndWait(1, [] { Host().Reader->Load(Document); });
    int page = 1;
    for (auto _ : state) {
        page = NextPage(page);
        const QImage image = RawRender(*doc, page, ImageSize(page));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RawRenderPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_BareViewer(benchmark::State& state)
{
    const TSpinner spinner(state.range(0) != 0);
    std::unique_ptr<Poppler::Document> doc = RawDocument();
    Host().AndWait(1, [] { Host().Reader->Load(Document); });
    TBareView view;
    view.resize(Host().Reader->View()->viewport()->size());
    view.show();
    while (!view.windowHandle() || !view.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    int page = 1;
    const long faults = MinorFaults();
    for (auto _ : state) {
        page = NextPage(page);
        const int painted = view.Painted;
        view.Show(RawRender(*doc, page, ImageSize(page)));
        while (view.Painted == painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            5);
        AfterShown(state);
    }
    CountFaults(state, faults);
}
BENCHMARK(BM_BareViewer)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

void BM_SelectPage(benchmark::State& state)
{
    const TSpinner spinner(state.range(0) != 0);
    THost& host = Host();
    host.AndWait(1, [&] { host.Reader->Load(Document); });
    int page = 1;
    const long faults = MinorFaults();
    for (auto _ : state) {
        page = NextPage(page);
        host.AndWait(
            page, [&] { host.Reader->ShowPage(page); }, &state);
    }
    CountFaults(state, faults);
}
BENCHMARK(BM_SelectPage)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

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
        host.AndWait(
            page, [&] { host.Reader->ShowPage(page); }, &state);
    }
}
BENCHMARK(BM_SelectRenderedPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_RawOpenFirstPage(benchmark::State& state)
{
    Host().AndWait(1, [] { Host().Reader->Load(Document); });
    const QSize size = ImageSize(1);
    for (auto _ : state) {
        std::unique_ptr<Poppler::Document> doc = RawDocument();
        const QImage image = RawRender(*doc, 1, size);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RawOpenFirstPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenFirstPage(benchmark::State& state)
{
    THost& host = Host();
    for (auto _ : state)
        host.AndWait(1, [&] { host.Reader->Load(Document); });
}
BENCHMARK(BM_OpenFirstPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps every repetition's time; a figure is their median, so that a moment of load on the
// machine moves neither side of a ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                Times[run.run_name.function_name +
                      (run.run_name.args.empty() ? std::string() : "/" + run.run_name.args)]
                    .push_back(run.GetAdjustedRealTime());
        ConsoleReporter::ReportRuns(runs);
    }
    double Median(const std::string& Name) const
    {
        const auto found = Times.find(Name);
        if (found == Times.end() || found->second.empty())
            return 0;
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
    std::map<std::string, std::vector<double>> Times;
};

void Ratio(const RatioReporter& Reporter, const char* What, const std::string& Ours,
           const std::string& Raw, double Target)
{
    const double ours = Reporter.Median(Ours), raw = Reporter.Median(Raw);
    if (ours <= 0 || raw <= 0)
        return;
    std::printf("%s: %.2f ms, baseline: %.2f ms, ratio %.2fx (target at most %.1fx)\n", What, ours,
                raw, ours / raw, Target);
}

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv(kSpinVariable)) {
        volatile unsigned long turns = 0;
        for (;;)
            turns = turns + 1;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // Repetitions interleaved at random unless asked otherwise: each ratio is of medians taken
    // over the same stretch of time.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=5";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    const auto given = [&](const char* Option) {
        return std::any_of(args.begin(), args.end(),
                           [&](const char* Arg) { return std::strstr(Arg, Option) != nullptr; });
    };
    if (!given("--benchmark_repetitions"))
        args.insert(args.begin() + 1, repetitions);
    if (!given("--benchmark_enable_random_interleaving"))
        args.insert(args.begin() + 1, interleaving);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Ratio(reporter, "page selected until shown, idle", "BM_SelectPage/busy:0",
          "BM_BareViewer/busy:0", 1.1);
    Ratio(reporter, "page selected until shown, a core busy", "BM_SelectPage/busy:1",
          "BM_BareViewer/busy:1", 1.3);
    Ratio(reporter, "page selected until shown, against a raw render", "BM_SelectPage/busy:0",
          "BM_RawRenderPage", 1.2);
    Ratio(reporter, "1,000-page document opened until page 1 shown", "BM_OpenFirstPage",
          "BM_RawOpenFirstPage", 1.5);
    TheHost.reset();
    benchmark::Shutdown();
    return 0;
}
