// A reader component for the tests that answers only the design's two interfaces, as a
// reader of another maker would: the real reader inside a window that passes on the newer
// interface's table and the older one's dispatch numbers, and nothing of ours.
#include <QObject>
#include <QVBoxLayout>

#include "PdfReader.h"
#include "platform/ComponentRegistry.h"

namespace {

using namespace tavo::platform;

class TDesignOnlyReader : public QWidget, public IAcroAXDocShim, public IPdfDispatch {
    Q_OBJECT
    Q_INTERFACES(tavo::platform::IAcroAXDocShim tavo::platform::IPdfDispatch)

public:
    explicit TDesignOnlyReader(QWidget* Parent)
        : QWidget(Parent), FReader(new tavo::pdfreader::TPdfReaderAx(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(FReader);
        setFocusProxy(FReader);
    }
    TStatus LoadFile(const QString& FileName, bool* Loaded) override
    {
        return FReader->LoadFile(FileName, Loaded);
    }
    TStatus setCurrentPage(int32_t Page) override { return FReader->setCurrentPage(Page); }
    TStatus setNamedDest(const QString& Name) override { return FReader->setNamedDest(Name); }
    TStatus setView(const QString& View) override { return FReader->setView(View); }
    TStatus Invoke(int32_t DispId, const QVariantList& Args, QVariant* Result) override
    {
        return FReader->Invoke(DispId, Args, Result);
    }

private:
    tavo::pdfreader::TPdfReaderAx* FReader;
};

}  // namespace

class TDesignOnlyReaderFactory : public QObject, public tavo::platform::IComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TavoComponentFactory_iid FILE "designonly.json")
    Q_INTERFACES(tavo::platform::IComponentFactory)

public:
    QObject* CreateComponent(const QString&, QWidget* Parent) override
    {
        return new TDesignOnlyReader(Parent);
    }
};

#include "DesignOnlyPlugin.moc"
