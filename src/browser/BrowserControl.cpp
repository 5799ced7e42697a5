#include "BrowserControl.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <unistd.h>

#include "BrowserStrings.h"
#include "platform/AnsiText.h"
#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"

namespace tavo::browser {

namespace {

const QString HelperName = QStringLiteral("QtWebEngineProcess");

bool Runnable(const QString& Path)
{
    QFileInfo info(Path);
    return info.isFile() && info.isExecutable();
}

}  // namespace

TEngineSetup CurrentEngineSetup()
{
    TEngineSetup setup;
    if (qEnvironmentVariableIsSet("QTWEBENGINEPROCESS_PATH")) {
        setup.HelperPath = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    } else {
        QStringList candidates{QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + u'/' +
                               HelperName};
        if (QCoreApplication::instance())
            candidates << QCoreApplication::applicationDirPath() + u'/' + HelperName;
        setup.HelperPath = candidates.first();
        for (const QString& c : candidates) {
            if (Runnable(c)) {
                setup.HelperPath = c;
                break;
            }
        }
    }
    setup.Root = ::geteuid() == 0;
    // The engine takes the switch from its environment variable, its flags variable or
    // the program's own arguments.
    setup.SandboxOff = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") ||
                       qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
                           .split(u' ', Qt::SkipEmptyParts)
                           .contains(QStringLiteral("--no-sandbox"));
    if (QCoreApplication::instance() &&
        QCoreApplication::arguments().contains(QStringLiteral("--no-sandbox")))
        setup.SandboxOff = true;
    return setup;
}

std::string EngineProblem(const TEngineSetup& Setup)
{
    if (Setup.HelperPath.isEmpty() || !Runnable(Setup.HelperPath))
        return platform::Format(platform::LoadStr(SHelperMissing),
                                {platform::ToAnsi(Setup.HelperPath)});
    if (Setup.Root && !Setup.SandboxOff)
        return platform::LoadStr(SRootSandbox);
    return {};
}

void RegisterBrowserControl()
{
    // Nothing is looked up yet: the component is found when the tab is first visited.
    platform::RegisterWebBrowser(&CreateEngineBrowser);
}

std::unique_ptr<platform::TWebBrowserControl> CreateEngineBrowser(QWidget* Parent)
{
    // Asked before the engine is loaded: it takes the whole process down in these cases.
    std::string problem = EngineProblem(CurrentEngineSetup());
    if (!problem.empty())
        throw platform::EOleSysError(problem);
    return platform::CreateWebBrowserComponent(Parent);
}

}  // namespace tavo::browser
