#pragma once
// A started shell for the tests: library modules, splash, data module and main window,
// created in the program's order and torn down in reverse.
#include <memory>

#include "shell/FMain.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"

namespace tavo::test {

class StartedShell {
public:
    // Shows the main window (maximised) unless Show is false.
    explicit StartedShell(bool Show = true);
    ~StartedShell();

    shell::TF_Main* Main() const { return Program->MainWindow(); }
    void SelectTab(int Index);

    std::unique_ptr<shell::LibraryModules> Modules;
    std::unique_ptr<shell::TShellProgram> Program;
};

}  // namespace tavo::test
