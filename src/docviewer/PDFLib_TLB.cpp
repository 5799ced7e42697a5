#include "PDFLib_TLB.h"

#include "platform/Errors.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

using namespace platform;

bool UseOldControl = false;

TPDF::TPDF(QWidget* Parent) : TReaderControl(Parent) {}

IAcroAXDocShim* TPDF::DefaultInterface()
{
    if (!FAsked) {
        FAsked = true;
        FIntf = qobject_cast<IAcroAXDocShim*>(Control());
        if (!FIntf)
            UseOldControl = true;
    }
    return FIntf;
}

IAcroAXDocShim& TPDF::Intf()
{
    if (!DefaultInterface())
        throw EOleSysError(LoadStr(SNoInterface));
    return *FIntf;
}

void TPDF::LoadFile(const QString& FileName)
{
    bool loaded = false;  // the viewer does not look at it
    Check(Intf().LoadFile(FileName, &loaded));
}

void TPDF::setCurrentPage(int32_t Page)
{
    Check(Intf().setCurrentPage(Page));
}

void TPDF::setNamedDest(const QString& Name)
{
    Check(Intf().setNamedDest(Name));
}

void TPDF::setView(const QString& View)
{
    Check(Intf().setView(View));
}

void TPDF::Design(TPdfDispId Operation, const QVariant& Argument)
{
    switch (Operation) {
    case DispLoadFile:
        LoadFile(Argument.toString());
        break;
    case DispSetCurrentPage:
        setCurrentPage(Argument.toInt());
        break;
    case DispSetNamedDest:
        setNamedDest(Argument.toString());
        break;
    case DispSetView:
        setView(Argument.toString());
        break;
    }
}

}  // namespace tavo::docviewer
