// The reader component: creates the reader control for the PDF reader's class id, and the
// page text source for the manual's index.
#include <QObject>

#include "PdfReader.h"
#include "PdfTextSource.h"
#include "platform/ComponentRegistry.h"

namespace tavo::pdfreader {

class TPdfReaderFactory : public QObject, public platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "pdfreader.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString& ClassId, QWidget* Parent) override
    {
        if (ClassId.compare(QLatin1String(platform::kPdfTextSourceClassId), Qt::CaseInsensitive) ==
            0)
            return new TPdfTextSource(Parent);
        if (ClassId.compare(QLatin1String(platform::kPdfReaderClassId), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new TPdfReaderAx(Parent);
    }
};

}  // namespace tavo::pdfreader

#include "PdfReaderPlugin.moc"
