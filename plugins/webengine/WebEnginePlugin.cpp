// The browser component: creates the web browser control on the web engine for the
// browser's class id. Only this plugin links the web engine.
#include <QObject>

#include "WebEngineBrowser.h"
#include "platform/ComponentRegistry.h"

namespace tavo::webengine {

class TWebEngineFactory : public QObject, public platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "webengine.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString& ClassId, QWidget* Parent) override
    {
        if (ClassId.compare(QLatin1String(platform::kWebBrowserClassId), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new TWebEngineBrowser(Parent);
    }
};

}  // namespace tavo::webengine

#include "WebEnginePlugin.moc"
