// A component whose plugin needs a library that is not there when it is loaded.
#include <QObject>
#include <QWidget>

#include "platform/ComponentRegistry.h"

int TestDependencyAnswer();

class MissingLibraryFactory : public QObject, public tavo::platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "missing.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString&, QWidget* Parent) override
    {
        auto* widget = new QWidget(Parent);
        widget->setProperty("answer", TestDependencyAnswer());
        return widget;
    }
};

#include "MissingLibrary.moc"
