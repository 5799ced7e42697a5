// A component plugin for the registry's tests: creates a labelled widget in the parent.
#include <QLabel>
#include <QObject>

#include "platform/ComponentRegistry.h"

class EchoFactory : public QObject, public tavo::platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "echo.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString& ClassId, QWidget* Parent) override
    {
        auto* label = new QLabel(ClassId, Parent);
        label->setObjectName("echo");
        return label;
    }
};

#include "EchoComponent.moc"
