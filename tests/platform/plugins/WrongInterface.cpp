// Names a class id in its metadata but its root object creates nothing.
#include <QObject>

#include "platform/ComponentRegistry.h"

class WrongInterface : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "wrong.json")
};

#include "WrongInterface.moc"
