#include "BrowserControl.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QOpenGLContext>
#include <unistd.h>

#include "platform/AnsiText.h"
#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StartupLog.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

// Qt's global share context, exported by QtGui for the modules that need one.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* Context);

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

void ShareOpenGLContexts()
{
    // The engine draws through OpenGL contexts shared with the window's. A program that
    // links it gets a global share context before its application object exists; the
    // shell loads it later, so the context is made here, on the first visit, instead of
    // making every start pay for it.
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext;  // lives as long as the process, as Qt's own does
    context->create();
    qt_gl_set_global_share_context(context);
    platform::LogLifeEvent("OpenGL share context created");
}

bool PrepareEngineStep(int Step)
{
    using Factory = std::unique_ptr<platform::TWebBrowserControl> (*)(QWidget*);
    const Factory* registered = platform::RegisteredWebBrowser().target<Factory>();
    if (!registered || *registered != &CreateEngineBrowser)
        return false;
    if (!EngineProblem(CurrentEngineSetup()).empty())
        return false;
    switch (Step) {
    case 0:
        ShareOpenGLContexts();
        return true;
    case 1:
        if (!platform::LoadWebBrowserEngine())
            return false;
        platform::LogLifeEvent("browser component loaded");
        return true;
    case 2:
        if (platform::TWebBrowserEngine* engine = platform::LoadWebBrowserEngine()) {
            engine->PrepareEngine();
            platform::LogLifeEvent("browser engine prepared");
        }
        return false;
    default:
        return false;
    }
}

std::unique_ptr<platform::TWebBrowserControl> CreateEngineBrowser(QWidget* Parent)
{
    // Asked before the engine is loaded: it takes the whole process down in these cases.
    std::string problem = EngineProblem(CurrentEngineSetup());
    if (!problem.empty())
        throw platform::EOleSysError(problem);
    ShareOpenGLContexts();
    return platform::CreateWebBrowserComponent(Parent);
}

}  // namespace tavo::browser
