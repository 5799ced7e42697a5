#include "WebBrowserControl.h"

#include <QObject>
#include <QPluginLoader>

#include "ComponentRegistry.h"
#include "Errors.h"
#include "FrameworkStrings.h"
#include "StringTable.h"

namespace tavo::platform {

namespace {

WebBrowserFactory& Factory()
{
    static WebBrowserFactory factory;
    return factory;
}

}  // namespace

WebBrowserFactory RegisterWebBrowser(WebBrowserFactory Factory_)
{
    return std::exchange(Factory(), std::move(Factory_));
}

std::unique_ptr<TWebBrowserControl> CreateWebBrowser(QWidget* Parent)
{
    if (!Factory())
        throw EOleSysError(LoadStr(SClassNotRegistered));
    auto control = Factory()(Parent);
    if (!control)
        throw EOleSysError(LoadStr(SClassNotRegistered));
    return control;
}

std::unique_ptr<TWebBrowserControl> CreateWebBrowserComponent(QWidget* Parent)
{
    QObject* created = TComponentRegistry::Instance().Create(kWebBrowserClassId, Parent);
    auto* control = qobject_cast<TWebBrowserControl*>(created);
    if (!control) {
        delete created;
        throw EOleSysError(LoadStr(SNoInterface));
    }
    return std::unique_ptr<TWebBrowserControl>(control);
}

const WebBrowserFactory& RegisteredWebBrowser()
{
    return Factory();
}

TWebBrowserEngine* LoadWebBrowserEngine()
{
    QString file = TComponentRegistry::Instance().PluginFile(QLatin1String(kWebBrowserClassId));
    if (file.isEmpty())
        return nullptr;
    // Loaders of one file share its library and root object: the registry's own loader
    // later finds it loaded. Nothing unloads it.
    static QPluginLoader* loader = nullptr;
    if (!loader)
        loader = new QPluginLoader(file);
    return qobject_cast<TWebBrowserEngine*>(loader->instance());
}

TWebBrowserCommands* BrowserCommands(TWebBrowserControl* Control)
{
    return qobject_cast<TWebBrowserCommands*>(dynamic_cast<QObject*>(Control));
}

}  // namespace tavo::platform
