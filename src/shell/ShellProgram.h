#pragma once
// The program body: splash, data module, main window, message loop, and the reverse on
// the way out. The library modules are started before it and stopped after it
// (LibraryModules.h).
#include <QString>
#include <memory>

namespace tavo::docviewer {
class TDM_DocItem;
}

namespace tavo::shell {

class TF_Main;

class TShellProgram {
public:
    TShellProgram();
    ~TShellProgram();

    // Splash shown and painted, data module, then main window (whose creation handler
    // runs while the splash is still up).
    void CreateForms();
    // The main window opens maximised (then on the start tab); its first showing destroys
    // the splash.
    void ShowMainWindow();
    // Main window first (the most recently created), then the data module.
    void DestroyForms();

    TF_Main* MainWindow() const;

    // The tab made current once the main window shows (TF_Main::Tab); -1: the first.
    void SetStartTab(int Tab) { FStartTab = Tab; }
    docviewer::TDM_DocItem* DataModule() const;

    // CreateForms, ShowMainWindow, the message loop, DestroyForms.
    int Run();

private:
    std::unique_ptr<docviewer::TDM_DocItem> FDataModule;
    std::unique_ptr<TF_Main> FMainWindow;
    int FStartTab = -1;
};

// The tab a command-line name stands for ("programs", "internet", "manual", any letter
// case), or -1.
int TabNamed(const QString& Name);

}  // namespace tavo::shell
