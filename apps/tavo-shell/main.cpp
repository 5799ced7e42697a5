// The start-up shell of the "Tavo C.H. 3.2" disc: the disc is the folder it is started from.
// Its one option names the tab to open.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "browser/BrowserControl.h"
#include "identity/Version.h"
#include "platform/AnsiText.h"
#include "platform/StartupLog.h"
#include "platform/StringTable.h"
#include "platform/Translations.h"
#include "shell/LibraryModules.h"
#include "shell/ShellProgram.h"
#include "shell/TavoApplication.h"
#include "strings/StringIds.h"

namespace {

void Usage(std::FILE* To)
{
    // The string table holds the design's code page; the terminal takes the locale's.
    const QString usage = tavo::platform::FromAnsi(tavo::platform::LoadStr(tavo::SShellUsage));
    std::fprintf(To, "%s\n", usage.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before any window system is needed.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        // In the user's language: the translations need an application object, not a screen.
        QCoreApplication core(argc, argv);
        tavo::platform::InstallTranslations();
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
    tavo::platform::InstallTranslations();
    // The window system's own options (-platform, -style ...) are gone by now. The only one
    // of ours: the tab to open, which the disc's reader installer asks for ("--tab manual").
    const QStringList args = QCoreApplication::arguments().mid(1);
    int startTab = -1;
    QString bad;
    if (args.size() == 2 && args[0] == QLatin1String("--tab"))
        startTab = tavo::shell::TabNamed(args[1]);
    else if (args.size() == 1 && args[0].startsWith(QLatin1String("--tab=")))
        startTab = tavo::shell::TabNamed(args[0].mid(6));
    else if (!args.isEmpty())
        bad = args[0];
    if (!args.isEmpty() && startTab < 0) {
        if (bad.isEmpty())
            std::fprintf(stderr, "tavo-shell: unknown tab '%s'\n", qPrintable(args.back()));
        else
            std::fprintf(stderr, "tavo-shell: unknown argument '%s'\n", qPrintable(bad));
        Usage(stderr);
        return 2;
    }
    tavo::browser::RegisterBrowserControl();
    tavo::shell::TShellProgram program;
    program.SetStartTab(startTab);
    return program.Run();
}
