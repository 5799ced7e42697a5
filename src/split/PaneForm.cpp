// The scroll pane in the form stream.
#include "platform/AnsiText.h"
#include "split/FormValues.h"
#include "split/ToxCustomSplit.h"
#include "split/ToxScrollPane.h"

namespace tavo::split {

using tools::TReader;
using tools::TWriter;

std::string ToxScrollPane::FormName() const
{
    return platform::ToAnsi(objectName());
}

bool ToxScrollPane::ReadProperty(std::string_view Name, TReader& Reader)
{
    using namespace form;
    if (ReadControlProperty(*this, Name, Reader))
        return true;
    if (Name == "Visible") {
        setVisible(Reader.ReadBoolean());
    } else if (Name == "BorderStyle") {
        SetBorderStyle(ReadEnum<TBorderStyle>(Reader, BorderStyleNames));
    } else if (Name == "Color") {
        SetColor(ReadColor(Reader));
    } else if (Name == "ParentColor") {
        SetParentColor(Reader.ReadBoolean());
    } else if (Name == "DragMode") {
        SetDragMode(ReadEnum<TDragMode>(Reader, DragModeNames));
    } else if (Name == "DragKind") {
        SetDragKind(ReadEnum<TDragKind>(Reader, DragKindNames));
    } else if (Name == "Caption") {
        SetCaption(Reader.ReadString());
    } else if (Name == "CaptionStyle") {
        SetCaptionStyle(ReadEnum<ToxsCaptionStyle>(Reader, CaptionStyleNames));
    } else if (Name == "CaptionOrientation") {
        SetCaptionOrientation(ReadEnum<ToxsCaptionOrientation>(Reader, CaptionOrientationNames));
    } else if (Name == "CloseBox") {
        SetCloseBox(Reader.ReadBoolean());
    } else {
        return false;
    }
    return true;
}

void ToxScrollPane::WriteProperties(TWriter& Writer)
{
    using namespace form;
    WriteControlProperties(*this, Writer);
    auto ident = [&Writer](const char* Name, const char* Value) {
        Writer.WritePropName(Name);
        Writer.WriteIdent(Value);
    };
    auto boolean = [&Writer](const char* Name, bool Value) {
        Writer.WritePropName(Name);
        Writer.WriteBoolean(Value);
    };
    if (isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide))
        boolean("Visible", false);
    if (FBorderStyle != bsNone)
        ident("BorderStyle", BorderStyleNames[FBorderStyle]);
    if (!FParentColor) {
        Writer.WritePropName("Color");
        WriteColor(Writer, FColor);
        boolean("ParentColor", false);
    }
    if (FDragMode != dmAutomatic)
        ident("DragMode", DragModeNames[FDragMode]);
    if (FDragKind != dkDock)
        ident("DragKind", DragKindNames[FDragKind]);
    if (!FCaption.empty()) {
        Writer.WritePropName("Caption");
        Writer.WriteString(FCaption);
    }
    if (FCaptionStyle != oxsNone)
        ident("CaptionStyle", CaptionStyleNames[FCaptionStyle]);
    if (FCaptionOrientation != ToxsCaptionOrientation::oxsHorz)
        ident("CaptionOrientation", CaptionOrientationNames[static_cast<int>(FCaptionOrientation)]);
    if (!FCloseBox)
        boolean("CloseBox", false);
}

}  // namespace tavo::split
