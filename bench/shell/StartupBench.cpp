// Time to a shown main window, beside a bare Qt main window shown the same way, in one
// run; the ratio is printed after the table. Runs offscreen unless a platform is given.
#include <QApplication>
#include <QMainWindow>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "catalogue/DMDocItem.h"
#include "shell/FMain.h"
#include "shell/LibraryModules.h"

namespace {

// Shows the window and waits until the window system could draw it.
void ShowAndWait(QWidget& w)
{
    w.show();
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

void BM_BareMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QMainWindow w;
        w.setMinimumSize(640, 550);
        ShowAndWait(w);
    }
}
BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond);

void BM_ShellMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        tavo::shell::TF_Main w;
        ShowAndWait(w);
    }
}
BENCHMARK(BM_ShellMainWindow)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                Time[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Time;
};

}  // namespace

int main(int argc, char** argv)
{
    // Settings and the Windows folder go to a scratch home, never the user's.
    std::string home = (std::filesystem::temp_directory_path() / "tavo-bench-home").string();
    std::filesystem::create_directories(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    ::setenv("TAVO_MACHINE_HIVE", (home + "/machine.reg").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    QApplication app(argc, argv);
    tavo::catalogue::TDM_DocItem dataModule;  // the main window's tables come from it

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double bare = reporter.Time["BM_BareMainWindow"];
    double shell = reporter.Time["BM_ShellMainWindow"];
    if (bare > 0 && shell > 0)
        std::printf("main window shown: %.2f ms, bare Qt main window: %.2f ms, ratio %.1fx\n",
                    shell, bare, shell / bare);
    benchmark::Shutdown();
    return 0;
}
