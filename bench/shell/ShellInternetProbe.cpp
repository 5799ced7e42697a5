// The shell as the user starts it: once the main window is up and the browser has been
// prepared on idle (as a user who reaches for "Internet" a moment later finds it), the
// first visit to "Internet" is timed until the given local page has loaded; the page is
// opened at once through the address box, in place of the distributor's home page. With
// "--at-once" the visit comes as soon as the window shows, while the preparation runs.
// Prints "shown MS" (from the visit) or "failed MS".
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "browser/BrowserControl.h"
#include "browser/BrowserTab.h"
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

// Ends the run when the view has loaded the page (the view comes from the browser
// component: it is watched through its meta-object, so this program links no web engine).
class TPageWatch : public QObject {
    Q_OBJECT
public:
    TPageWatch(QObject* View, QUrl Page) : FView(View), FPage(std::move(Page)) {}
    long long Visit = 0;

public Q_SLOTS:
    void LoadFinished(bool Ok)
    {
        if (FView->property("url").toUrl() != FPage)
            return;  // the home page, left for the page asked for
        tavo::platform::LogLifeEvent("page loaded");
        std::printf("%s %.3f\n", Ok ? "shown" : "failed", (NowNs() - Visit) / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

private:
    QObject* FView;
    QUrl FPage;
};

}  // namespace

int main(int argc, char** argv)
{
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    tavo::shell::TavoApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString page = QString::fromLocal8Bit(argv[1]);
    const bool atOnce = argc > 2 && std::strcmp(argv[2], "--at-once") == 0;
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    program.CreateForms();
    tavo::shell::TF_Main* main = program.MainWindow();
    program.ShowMainWindow();
    long long visit = 0;
    TPageWatch* watch = nullptr;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!main->windowHandle() || !main->windowHandle()->isExposed())
            return;
        if (!atOnce && !main->BrowserTab()->Prepared())
            return;
        poll.stop();
        visit = NowNs();
        tavo::platform::LogLifeEvent("Internet visited");
        main->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        for (QWidget* w : main->findChildren<QWidget*>()) {
            if (w->inherits("QWebEngineView")) {
                watch = new TPageWatch(w, QUrl::fromUserInput(page));
                watch->Visit = visit;
                QObject::connect(w, SIGNAL(loadFinished(bool)), watch, SLOT(LoadFinished(bool)));
            }
        }
        if (!watch) {
            std::printf("failed 0\n");
            QCoreApplication::exit(1);
            return;
        }
        main->findChild<QComboBox*>(QStringLiteral("dxAddressCombo"))->setEditText(page);
        main->BrowserTab()->dxAddressComboChange();
    });
    poll.start();
    int rc = app.exec();
    delete watch;
    return rc;
}

#include "ShellInternetProbe.moc"
