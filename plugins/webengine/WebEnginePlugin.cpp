// The browser component: creates the web browser control on the web engine for the
// browser's class id, and prepares the engine ahead of the first control. Only this plugin
// links the web engine.
#include <QObject>

#include "WebEngineBrowser.h"
#include "WebEngineProfile.h"
#include "platform/ComponentRegistry.h"
#include "platform/StringTableQt.h"

namespace tavo::webengine {

class TWebEngineFactory : public QObject,
                          public platform::IComponentFactory,
                          public platform::TWebBrowserEngine {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "webengine.json")
    Q_INTERFACES(tavo::platform::IComponentFactory tavo::platform::TWebBrowserEngine)

public:
    // The component's copy of the string table speaks the shell's language.
    TWebEngineFactory() { platform::SetStringTranslator(&platform::TranslateNumberedString); }

    QObject* CreateComponent(const QString& ClassId, QWidget* Parent) override
    {
        if (ClassId.compare(QLatin1String(platform::kWebBrowserClassId), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new TWebEngineBrowser(Parent);
    }

    void PrepareEngine() override { PrepareProfile(); }
};

}  // namespace tavo::webengine

#include "WebEnginePlugin.moc"
