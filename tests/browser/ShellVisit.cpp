// The shell as the user starts it, for the tests that need its whole life in a process of
// its own: it visits "Internet", opens the address given, and once that page has loaded
// closes its main window as the user does, so that the engine shuts down cleanly. Prints
// "loaded TITLE" and, last, "ended RC".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QUrl>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "browser/BrowserControl.h"
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
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    program.CreateForms();
    tavo::shell::TF_Main* main = program.MainWindow();
    program.ShowMainWindow();
    QTimer::singleShot(0, main, [&] {
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
        // Done when the view shows the address and the status line says the page is in.
        auto* poll = new QTimer(main);
        QObject::connect(poll, &QTimer::timeout, main, [main, view, address, poll] {
            auto* status = main->findChild<QLabel*>(QStringLiteral("AdressLabel"));
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
