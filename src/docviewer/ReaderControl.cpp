#include "ReaderControl.h"

#include <QVBoxLayout>

#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

using namespace platform;

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
    if (FControl->metaObject()->indexOfSignal("currentPageChanged(int)") >= 0)
        connect(FControl, SIGNAL(currentPageChanged(int)), this, SIGNAL(currentPageChanged(int)));
}

TReaderControl::~TReaderControl() = default;

platform::IPdfReaderView* TReaderControl::ReaderView() const
{
    return qobject_cast<IPdfReaderView*>(FControl.data());
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
