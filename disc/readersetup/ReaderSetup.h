#pragma once
// The disc's PDF reader installer (Setup/Acrobat/SetupAcrobat.exe): copies the reader
// component that lies beside it into the user's plugin folder, where the shell looks for
// components, and shows in a window what it installs, where, and whether it worked. The
// shell closed itself to start it, so closing the window starts the shell again with the
// manual open. Nothing needs administrator rights; running it again replaces the copy.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;

namespace tavo::readersetup {

struct TSetupPaths {
    QString Component;  // the reader component on the disc
    QString Folder;     // where it is installed
    QString Shell;      // the program started again afterwards; empty when none was found
};

// For the installer at Program (its own path): the component beside it, the user's plugin
// folder (${XDG_DATA_HOME:-~/.local/share}/tavo/plugins), the shell of its disc.
TSetupPaths DefaultPaths(const QString& Program);

// The shell of the disc whose Setup/Acrobat holds the installer in ProgramFolder: at the
// disc's root; for an installed disc image (.../lib/tavo/disc) in .../bin; else on PATH.
QString FindShell(const QString& ProgramFolder);

// Copies the component into Folder under its own name, replacing an earlier copy in one
// step (a shell starting meanwhile never loads half a file). Empty on success, else why.
QString InstallReader(const QString& Component, const QString& Folder);

// Starts Program with Args without waiting; false when it cannot be started.
using TProgramStarter = std::function<bool(const QString& Program, const QStringList& Args)>;
bool StartDetached(const QString& Program, const QStringList& Args);

// The arguments that start the shell again on its Manual tab.
QStringList ShellArguments();

class TReaderSetupWindow : public QDialog {
    Q_OBJECT
public:
    explicit TReaderSetupWindow(const TSetupPaths& Paths, TProgramStarter Starter = StartDetached,
                                QWidget* Parent = nullptr);

    // Installs now (the window shows it runs first when shown).
    void Install();
    bool Installed() const { return FInstalled; }
    // True once the shell has been started again.
    bool ShellStarted() const { return FShellStarted; }

    QLabel* L_What = nullptr;
    QLabel* L_From = nullptr;
    QLabel* L_To = nullptr;
    QLabel* L_Result = nullptr;
    QPushButton* Btn_Retry = nullptr;
    QPushButton* Btn_OpenManual = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;

public slots:
    void done(int Result) override;

private:
    void StartShell();

    TSetupPaths FPaths;
    TProgramStarter FStarter;
    bool FInstalled = false;
    bool FTried = false;
    bool FShellStarted = false;
    bool FShellFailed = false;
};

}  // namespace tavo::readersetup
