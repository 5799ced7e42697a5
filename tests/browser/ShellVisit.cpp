// The shell as the user starts it, for the tests that need its whole life in a process of
// its own: it visits "Internet", opens the address given, and once that page has loaded
// closes its main window as the user does, so that the engine shuts down cleanly. Prints
// "loaded TITLE" and, last, "ended RC".
//
// With a second argument it stages a scene for a screenshot instead and prints "ready"
// once it shows, then waits 4 s before closing: "find:WORDS" (the find bar),
// "download:PATH" (the address is a download saved as PATH; ready at 20 %) or "wait:TEXT"
// (ready once the status line holds TEXT, as a certificate error's does).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>

#include "browser/BrowserControl.h"
#include "browser/BrowserDialogs.h"
#include "browser/BrowserTab.h"
#include "shell/FMain.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"

int main(int argc, char** argv)
{
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    tavo::shell::TavoApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString address = QString::fromLocal8Bit(argv[1]);
    const QString scene = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (scene.startsWith("download:")) {
        tavo::browser::SetSaveAsDialog(
            [path = scene.mid(9)](QWidget*, const QString&) { return path; });
    }
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    program.CreateForms();
    tavo::shell::TF_Main* main = program.MainWindow();
    program.ShowMainWindow();
    // A staged scene waits until the window manager has maximised the window: the view
    // re-creates the window, and one re-created before that stays at its normal size.
    QTimer::singleShot(scene.isEmpty() ? 0 : 1000, main, [&, scene] {
        main->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        QWidget* view = nullptr;
        for (QWidget* w : main->findChildren<QWidget*>())
            if (w->inherits("QWebEngineView"))
                view = w;
        if (!view) {
            std::printf("no browser\n");
            app.exit(1);
            return;
        }
        auto* combo = main->findChild<QComboBox*>(QStringLiteral("dxAddressCombo"));
        combo->setEditText(address);
        main->BrowserTab()->dxAddressComboChange();
        auto* status = main->findChild<QLabel*>(QStringLiteral("AdressLabel"));
        auto* poll = new QTimer(main);
        if (!scene.isEmpty()) {
            QObject::connect(poll, &QTimer::timeout, main, [main, view, status, poll, scene] {
                bool ready = false;
                if (scene.startsWith("find:") && status->text() == "Done" &&
                    view->property("url").toString().endsWith("/find")) {
                    if (auto* find = main->findChild<QAction*>("FindAction"); find && !ready) {
                        find->trigger();
                        QTest::keyClicks(QApplication::focusWidget(), scene.mid(5));
                        ready = true;
                    }
                } else if (scene.startsWith("download:")) {
                    auto* bar = main->findChild<QProgressBar*>("ProgressBar");
                    ready = status->text().startsWith("Downloading") && bar->value() >= 20;
                } else if (scene.startsWith("wait:")) {
                    ready = status->text().contains(scene.mid(5));
                }
                if (!ready)
                    return;
                poll->stop();
                QTimer::singleShot(1500, main, [] {
                    std::printf("ready\n");
                    std::fflush(stdout);
                });
                QTimer::singleShot(5500, main, [main] { main->close(); });
                Q_UNUSED(view);
            });
            poll->start(50);
            return;
        }
        // Done when the view shows the address and the status line says the page is in.
        QObject::connect(poll, &QTimer::timeout, main, [main, view, address, poll, status] {
            if (view->property("url").toUrl() == QUrl(address) && status->text() == "Done") {
                poll->stop();
                std::printf("loaded %s\n", qPrintable(view->property("title").toString()));
                main->close();
            }
        });
        poll->start(20);
    });
    QTimer::singleShot(60000, &app, [&] { app.exit(3); });
    int rc = QApplication::exec();
    program.DestroyForms();
    std::printf("ended %d\n", rc);
    return rc;
}
