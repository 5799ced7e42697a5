// The start-up shell of the "Tavo C.H. 3.2" disc.
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"
#include "browser/BrowserControl.h"

int main(int argc, char** argv)
{
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;  // stopped last, after every window is gone
    tavo::shell::TavoApplication app(argc, argv);
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    return program.Run();
}
