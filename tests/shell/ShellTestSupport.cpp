#include "ShellTestSupport.h"

#include <QTabWidget>

#include "platform/StartupLog.h"

namespace tavo::test {

StartedShell::StartedShell(bool Show)
{
    platform::ClearLifeEvents();
    Modules = std::make_unique<shell::LibraryModules>();
    Program = std::make_unique<shell::TShellProgram>();
    Program->CreateForms();
    if (Show)
        Program->ShowMainWindow();
}

StartedShell::~StartedShell()
{
    Program.reset();
    Modules.reset();
}

void StartedShell::SelectTab(int Index)
{
    Main()->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(Index);
}

}  // namespace tavo::test
