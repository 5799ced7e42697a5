#include "ShellProgram.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "FAbout.h"
#include "FMain.h"
#include "catalogue/DMDocItem.h"
#include "platform/StartupLog.h"

namespace tavo::shell {

TShellProgram::TShellProgram() = default;

TShellProgram::~TShellProgram()
{
    DestroyForms();
}

void TShellProgram::CreateForms()
{
    F_About = new TF_About();
    platform::LogLifeEvent("splash created");
    F_About->ShowAndPaint();
    FDataModule = std::make_unique<catalogue::TDM_DocItem>();
    FMainWindow = std::make_unique<TF_Main>();
}

void TShellProgram::ShowMainWindow()
{
    FMainWindow->showMaximized();
    // Once the window is drawn, as if the user had clicked the tab.
    if (FStartTab >= 0)
        QTimer::singleShot(0, FMainWindow.get(), [w = FMainWindow.get(), tab = FStartTab] {
            w->ShowTab(static_cast<TF_Main::Tab>(tab));
        });
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

catalogue::TDM_DocItem* TShellProgram::DataModule() const
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
