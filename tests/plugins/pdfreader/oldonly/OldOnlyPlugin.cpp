// A reader component for the tests that answers only the older interface, as an older
// reader does: the real reader control without the newer interface.
#include <QObject>

#include "PdfReader.h"
#include "platform/ComponentRegistry.h"

class TOldOnlyReaderFactory : public QObject, public tavo::platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "oldonly.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString&, QWidget* Parent) override
    {
        return new tavo::pdfreader::TPdfReader(Parent);
    }
};

#include "OldOnlyPlugin.moc"
