// The shell as the user starts it, whose home page is the given local page: once the main
// window is up, the first visit to "Internet" is timed until the page has loaded. Prints
// "shown MS" (from the visit) or "failed MS".
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

#include "browser/BrowserControl.h"
#include "platform/StartupLog.h"
#include "shell/FMain.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"

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
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    tavo::shell::TavoApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString page = QString::fromLocal8Bit(argv[1]);
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    program.CreateForms();
    tavo::shell::TF_Main* main = program.MainWindow();
    // The home page is the distributor's address in the banner.
    main->findChild<QLabel*>(QStringLiteral("L_FirmWWW"))->setText(page);
    program.ShowMainWindow();
    long long visit = 0;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (visit == 0) {
            if (!main->windowHandle() || !main->windowHandle()->isExposed())
                return;
            visit = NowNs();
            tavo::platform::LogLifeEvent("Internet visited");
            main->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
            return;
        }
        // The view comes from the browser component; it is found by its class name, so
        // this program links no web engine either.
        for (QWidget* w : main->findChildren<QWidget*>()) {
            if (w->inherits("QWebEngineView") && !w->property("tavoWatched").toBool()) {
                w->setProperty("tavoWatched", true);
                QObject::connect(w, SIGNAL(loadFinished(bool)), &app, SLOT(quit()));
                poll.stop();
            }
        }
    });
    poll.start();
    QObject::connect(&app, &QApplication::aboutToQuit, [&] {
        tavo::platform::LogLifeEvent("page loaded");
        std::printf("shown %.3f\n", (NowNs() - visit) / 1e6);
        std::fflush(stdout);
    });
    return app.exec();
}
