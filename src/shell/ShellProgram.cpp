#include "ShellProgram.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "FAbout.h"
#include "FMain.h"
#include "docviewer/DMDocItem.h"
#include "platform/StartupLog.h"
#include "tools/ArtworkIcon.h"

namespace tavo::shell {

TShellProgram::TShellProgram() = default;

TShellProgram::~TShellProgram()
{
    DestroyForms();
}

void TShellProgram::CreateForms()
{
    F_About = new TF_About(TF_About::ShowFirst);
    platform::LogLifeEvent("splash created");
    F_About->ShowAndPaint();
    FDataModule = std::make_unique<docviewer::TDM_DocItem>();
    FMainWindow = std::make_unique<TF_Main>();
}

void TShellProgram::ShowMainWindow()
{
    FMainWindow->showMaximized();
    // The program's icon goes to the window system drawn at four sizes, up to 128 pixels,
    // which held each window back by milliseconds. So it is set on the loop's first turn,
    // once the request to show the window has gone out. The splash, gone by then, has no
    // place in a task bar and needs none.
    QTimer::singleShot(0, FMainWindow.get(), [] {
        QApplication::setWindowIcon(tools::ArtworkIcon(QStringLiteral(":/icons/tavo.svg")));
    });
    // Once the window is drawn, as if the user had clicked the tab. The browser makes the
    // window an OpenGL one, which re-creates it natively; a window re-created before the
    // window manager has maximised it comes up at its normal size. So the tab waits until
    // the window fills the screen, or a second at most.
    if (FStartTab >= 0) {
        auto* wait = new QTimer(FMainWindow.get());
        QObject::connect(wait, &QTimer::timeout, FMainWindow.get(),
                         [w = FMainWindow.get(), wait, tab = FStartTab, ticks = 0]() mutable {
                             QScreen* screen = w->screen();
                             const bool settled = w->windowHandle() &&
                                                  w->windowHandle()->isExposed() && screen &&
                                                  w->frameGeometry().width() >=
                                                      screen->availableGeometry().width() * 9 / 10;
                             if (!settled && ++ticks < 50)
                                 return;
                             wait->deleteLater();
                             wait->stop();
                             w->ShowTab(static_cast<TF_Main::Tab>(tab));
                         });
        wait->start(20);
    }
    // Without a window manager nobody acts on the request: then the window fills the
    // screen itself, which is what the user asked for.
    QTimer::singleShot(500, FMainWindow.get(), [w = FMainWindow.get()] {
        QScreen* screen = w->screen();
        if (!screen || !w->isMaximized())
            return;
        QRect available = screen->availableGeometry();
        if (w->frameGeometry().width() < available.width() * 9 / 10 ||
            w->frameGeometry().height() < available.height() * 9 / 10)
            w->setGeometry(available);
    });
}

void TShellProgram::DestroyForms()
{
    FMainWindow.reset();
    FDataModule.reset();
    DestroySplash();  // only when the main window was never shown
}

TF_Main* TShellProgram::MainWindow() const
{
    return FMainWindow.get();
}

docviewer::TDM_DocItem* TShellProgram::DataModule() const
{
    return FDataModule.get();
}

int TabNamed(const QString& Name)
{
    const QString name = Name.trimmed().toLower();
    if (name == QLatin1String("programs"))
        return TF_Main::TabPrograms;
    if (name == QLatin1String("internet"))
        return TF_Main::TabInternet;
    if (name == QLatin1String("manual"))
        return TF_Main::TabManual;
    return -1;
}

int TShellProgram::Run()
{
    CreateForms();
    ShowMainWindow();
    int rc = QApplication::exec();
    platform::LogLifeEvent("message loop ended");
    DestroyForms();
    return rc;
}

}  // namespace tavo::shell
