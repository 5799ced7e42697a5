// The start-up shell of the "Tavo C.H. 3.2" disc. It takes no arguments: the disc is the
// folder it is started from.
#include <cstdio>
#include <cstring>

#include "browser/BrowserControl.h"
#include "identity/Version.h"
#include "platform/StartupLog.h"
#include "platform/StringTable.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"

namespace {

constexpr int32_t SShellUsage = 10610;

void Usage(std::FILE* To)
{
    std::fprintf(To, "%s\n", tavo::platform::LoadStr(SShellUsage).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before any window system is needed.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        Usage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tavo-shell %s\n", tavo::identity::kVersion);
        return 0;
    }
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;  // stopped last, after every window is gone
    tavo::shell::TavoApplication app(argc, argv);
    tavo::platform::LogLifeEvent("application created");
    // The window system's own options (-platform, -style ...) are gone by now.
    if (QCoreApplication::arguments().size() > 1) {
        std::fprintf(stderr, "tavo-shell: unknown argument '%s'\n",
                     qPrintable(QCoreApplication::arguments().at(1)));
        Usage(stderr);
        return 2;
    }
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    return program.Run();
}
