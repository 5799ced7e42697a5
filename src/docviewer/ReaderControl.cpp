#include "ReaderControl.h"

#include <QVBoxLayout>

#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

using namespace platform;

// A reader known only by the design's interfaces: the typed operations become the design's
// four, the views the design's texts.
class TDesignView : public IPdfView {
public:
    explicit TDesignView(TReaderControl& Wrapper) : FWrapper(Wrapper) {}

    bool Load(const QString& FileName) override
    {
        FWrapper.Design(DispLoadFile, FileName);
        return !FileName.isEmpty();
    }
    int32_t PageCount() const override { return 0; }
    int32_t CurrentPage() const override { return 0; }
    void ShowPage(int32_t Page, double Top) override
    {
        FWrapper.Design(DispSetCurrentPage, QVariant(static_cast<int>(Page)));
        if (Top != 0)
            FitWidth(Top);
    }
    bool ShowDestination(const QString& Name) override
    {
        FWrapper.Design(DispSetNamedDest, Name);
        return true;
    }
    int32_t DestinationPage(const QString&) override { return 0; }
    void FitWidth(double Top) override
    {
        FWrapper.Design(DispSetView, QStringLiteral("FitH,%1").arg(Top));
    }
    void FitPage() override { FWrapper.Design(DispSetView, QStringLiteral("Fit")); }
    void MarkWords(int32_t, const QStringList&) override {}
    // The design's four operations know nothing of these.
    double CurrentTop() const override { return 0; }
    TPdfZoomMode ZoomMode() const override { return FMode; }
    void SetZoomMode(TPdfZoomMode Mode) override
    {
        FMode = Mode;
        if (Mode == TPdfZoomMode::zmFitPage)
            FitPage();
        else if (Mode == TPdfZoomMode::zmFitWidth)
            FitWidth(0);
    }
    void SetPlacesState(bool, bool) override {}
    void Print() override {}
    void SaveCopy() override {}
    void OpenExternally() override {}

private:
    TReaderControl& FWrapper;
    TPdfZoomMode FMode = TPdfZoomMode::zmFitWidth;
};

TReaderControl::TReaderControl(QWidget* Parent) : QWidget(Parent)
{
    QObject* created = TComponentRegistry::Instance().Create(kPdfReaderClassId, this);
    FControl = qobject_cast<QWidget*>(created);
    if (!FControl) {
        delete created;
        throw EOleSysError(LoadStr(SNoInterface));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FControl);
    setFocusProxy(FControl);
    if (qobject_cast<IPdfView*>(FControl.data())) {
        const QByteArray changed = QByteArray("2") + kCurrentPageChangedSignal;
        const QByteArray shown = QByteArray("2") + kPageShownSignal;
        connect(FControl, changed.constData(), this, SIGNAL(currentPageChanged(int)));
        connect(FControl, shown.constData(), this, SIGNAL(pageShown(int)));
        for (const char* signal :
             {kPlaceLeftSignal, kPlaceRequestedSignal, kZoomModeChosenSignal}) {
            const QByteArray name = QByteArray("2") + signal;
            connect(FControl, name.constData(), this, name.constData());
        }
    } else {
        FDesignView = std::make_unique<TDesignView>(*this);
    }
}

TReaderControl::~TReaderControl() = default;

IPdfView* TReaderControl::View() const
{
    if (FDesignView)
        return FDesignView.get();
    return qobject_cast<IPdfView*>(FControl.data());
}

void TReaderControl::Check(TStatus Status)
{
    switch (Status) {
    case kStatusOk:
        return;
    case kStatusNoInterface:
        throw EOleSysError(LoadStr(SNoInterface));
    case kStatusTypeMismatch:
        throw EOleSysError(LoadStr(STypeMismatch));
    case kStatusMemberNotFound:
        throw EOleSysError(LoadStr(SMemberNotFound));
    case kStatusBadParamCount:
        throw EOleSysError(LoadStr(SBadParamCount));
    default:
        throw EOleSysError(LoadStr(SUnspecifiedError));
    }
}

}  // namespace tavo::docviewer
