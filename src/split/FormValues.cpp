#include "split/FormValues.h"

#include <QWidget>
#include <algorithm>
#include <utility>

#include "split/SplitTypes.h"

namespace tavo::split::form {

const char* const StyleNames[8] = {"oxsAuto",   "oxsWin31", "oxsWin95",  "oxsInset",
                                   "oxsGroove", "oxsWin97", "oxsRaised", "oxsPlain"};
const char* const OrientationNames[6] = {"oxsVert", "oxsHorz",  "oxsLeft",
                                         "oxsTop",  "oxsRight", "oxsBottom"};
const char* const OptionNames[3] = {"oxsHideInvisible", "oxsSaveAsPercent", "oxsVer1Compat"};
const char* const BorderStyleNames[2] = {"bsNone", "bsSingle"};
const char* const DragModeNames[2] = {"dmManual", "dmAutomatic"};
const char* const DragKindNames[2] = {"dkDrag", "dkDock"};
const char* const CaptionStyleNames[3] = {"oxsNone", "oxsTitlebar", "oxsGrabBar"};
const char* const CaptionOrientationNames[2] = {"oxsVert", "oxsHorz"};

namespace {

using namespace tools;

constexpr std::pair<const char*, TColor> ColorNames[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
};

}  // namespace

size_t IndexOfName(std::string_view Ident, const char* const* Names, size_t Count)
{
    for (size_t i = 0; i < Count; ++i) {
        if (Ident == Names[i])
            return i;
    }
    TReader::InvalidValue();
}

TColor ReadColor(TReader& Reader)
{
    switch (Reader.NextValue()) {
    case TValueType::vaIdent: {
        const std::string name = Reader.ReadIdent();
        for (const auto& [known, color] : ColorNames) {
            if (name == known)
                return color;
        }
        TReader::InvalidValue();
    }
    default:
        return Reader.ReadInteger();
    }
}

void WriteColor(TWriter& Writer, TColor Color)
{
    for (const auto& [name, color] : ColorNames) {
        if (color == Color) {
            Writer.WriteIdent(name);
            return;
        }
    }
    Writer.WriteInteger(Color);
}

bool ReadControlProperty(QWidget& Control, std::string_view Name, TReader& Reader)
{
    // Within what a control can be, whatever the form holds.
    auto place = [&Reader] { return std::clamp(Reader.ReadInteger(), -MaxExtent, MaxExtent); };
    auto extent = [&Reader] { return std::clamp(Reader.ReadInteger(), 0, MaxExtent); };
    if (Name == "Left") {
        Control.move(place(), Control.y());
    } else if (Name == "Top") {
        Control.move(Control.x(), place());
    } else if (Name == "Width") {
        Control.resize(extent(), Control.height());
    } else if (Name == "Height") {
        Control.resize(Control.width(), extent());
    } else {
        return false;
    }
    return true;
}

void WriteControlProperties(const QWidget& Control, TWriter& Writer)
{
    Writer.WritePropName("Left");
    Writer.WriteInteger(Control.x());
    Writer.WritePropName("Top");
    Writer.WriteInteger(Control.y());
    Writer.WritePropName("Width");
    Writer.WriteInteger(Control.width());
    Writer.WritePropName("Height");
    Writer.WriteInteger(Control.height());
}

}  // namespace tavo::split::form
