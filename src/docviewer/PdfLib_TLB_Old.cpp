#include "PdfLib_TLB_Old.h"

#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

using namespace platform;

TPdfOld::TPdfOld(QWidget* Parent) : TReaderControl(Parent)
{
    FDispatch = qobject_cast<IPdfDispatch*>(Control());
}

QVariant TPdfOld::Invoke(int32_t DispId, const QVariantList& Args)
{
    if (!FDispatch)
        throw EOleSysError(LoadStr(SNoInterface));
    QVariant result;
    Check(FDispatch->Invoke(DispId, Args, &result));
    return result;
}

bool TPdfOld::LoadFile(const QString& FileName)
{
    return Invoke(DispLoadFile, {QVariant(FileName)}).toBool();
}

void TPdfOld::setCurrentPage(int32_t Page)
{
    Invoke(DispSetCurrentPage, {QVariant(static_cast<int>(Page))});
}

void TPdfOld::setNamedDest(const QString& Name)
{
    Invoke(DispSetNamedDest, {QVariant(Name)});
}

void TPdfOld::setView(const QString& View)
{
    Invoke(DispSetView, {QVariant(View)});
}

}  // namespace tavo::docviewer
