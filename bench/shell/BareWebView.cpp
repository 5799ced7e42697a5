// The baseline of the browser race: a web view loading one page, and nothing else.
// Prints the time from TAVO_BENCH_T0 (CLOCK_MONOTONIC, ns) to the page's end of loading.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

long long NowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

}  // namespace

int main(int argc, char** argv)
{
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    const long long t0 =
        std::atoll(std::getenv("TAVO_BENCH_T0") ? std::getenv("TAVO_BENCH_T0") : "0");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView view;
    view.resize(1024, 700);
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) {
        std::printf("%s %.3f\n", ok ? "shown" : "failed", (NowNs() - t0) / 1e6);
        std::fflush(stdout);
        app.quit();
    });
    view.show();
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    return app.exec();
}
