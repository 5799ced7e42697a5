// The split in the form stream.
#include <QMetaObject>
#include <QString>

#include "platform/AnsiText.h"
#include "split/FormValues.h"
#include "split/ToxCustomSplit.h"
#include "split/ToxScrollPane.h"

namespace tavo::split {

using tools::TReader;
using tools::TWriter;

namespace {

// "BarPosition.X" and "BarPosition.Y" of the first version: the positions of the bars.
class TBarPosition : public tools::TPersistent {
public:
    explicit TBarPosition(ToxCustomSplit& Split) : FSplit(Split) {}
    std::string ClassName() const override { return "TBarPosition"; }
    bool ReadProperty(std::string_view Name, TReader& Reader) override
    {
        if (Name == "X")
            FSplit.SetPositionX(Reader.ReadInteger());
        else if (Name == "Y")
            FSplit.SetPositionY(Reader.ReadInteger());
        else
            return false;
        return true;
    }

private:
    ToxCustomSplit& FSplit;
};

}  // namespace

std::string ToxCustomSplit::FormName() const
{
    return platform::ToAnsi(objectName());
}

std::vector<tools::TFormComponent*> ToxCustomSplit::FormChildren() const
{
    return {FPanes.begin(), FPanes.end()};
}

void ToxCustomSplit::DefineProperties(tools::TFiler& Filer)
{
    // Every property read from a form passes here first: the form is being loaded. A read
    // that fails never reaches Loaded; the split then comes back to life after the event.
    if (dynamic_cast<TReader*>(&Filer) != nullptr && !Loading()) {
        BeginLoading();
        QMetaObject::invokeMethod(
            this, [this] { EndLoading(); }, Qt::QueuedConnection);
    }
    Filer.DefineProperty(
        "BarPosition",
        [this](TReader& Reader) {
            const int32_t position = Reader.ReadInteger();
            SetPositions(position, position);
        },
        nullptr, false);
    const auto skip = [](TReader& Reader) { Reader.SkipValue(); };
    Filer.DefineProperty("PaneTabOrder", skip, nullptr, false);
    Filer.DefineProperty("AutoScroll", skip, nullptr, false);
    Filer.DefineProperty("BarColor", skip, nullptr, false);
}

tools::TPersistent* ToxCustomSplit::PropertyObject(std::string_view Name)
{
    if (Name != "BarPosition")
        return nullptr;
    if (!FBarPosition)
        FBarPosition = std::make_unique<TBarPosition>(*this);
    return FBarPosition.get();
}

bool ToxCustomSplit::ReadProperty(std::string_view Name, TReader& Reader)
{
    using namespace form;
    if (ReadControlProperty(*this, Name, Reader))
        return true;
    if (Name == "Color") {
        SetColor(ReadColor(Reader));
    } else if (Name == "AutoUpdate") {
        SetAutoUpdate(Reader.ReadBoolean());
    } else if (Name == "BarWidth") {
        SetBarWidth(Reader.ReadInteger());
    } else if (Name == "BorderStyle") {
        SetBorderStyle(ReadEnum<TBorderStyle>(Reader, BorderStyleNames));
    } else if (Name == "SyncScroll") {
        SetSyncScroll(Reader.ReadBoolean());
    } else if (Name == "Style") {
        SetStyle(ReadEnum<ToxsStyle>(Reader, StyleNames));
    } else if (Name == "Locked") {
        SetLocked(Reader.ReadBoolean());
    } else if (Name == "PositionX") {
        SetPositionX(Reader.ReadInteger());
    } else if (Name == "PositionY") {
        SetPositionY(Reader.ReadInteger());
    } else if (Name == "PercentX") {
        SetPercentX(Reader.ReadInteger());
    } else if (Name == "PercentY") {
        SetPercentY(Reader.ReadInteger());
    } else if (Name == "Orientation") {
        SetOrientation(ReadEnum<ToxsOrientation>(Reader, OrientationNames));
    } else if (Name == "Options") {
        ToxsOptions options;
        for (const std::string& name : Reader.ReadSet())
            options = options.With(static_cast<ToxsOption>(IndexOfName(name, OptionNames, 3)));
        SetOptions(options);
    } else if (Name == "DockSite") {
        SetDockSite(Reader.ReadBoolean());
    } else {
        return false;
    }
    return true;
}

void ToxCustomSplit::WriteProperties(TWriter& Writer)
{
    using namespace form;
    WriteControlProperties(*this, Writer);
    if (FColor != tools::clBtnFace) {
        Writer.WritePropName("Color");
        WriteColor(Writer, FColor);
    }
    auto boolean = [&Writer](const char* Name, bool Value) {
        Writer.WritePropName(Name);
        Writer.WriteBoolean(Value);
    };
    auto integer = [&Writer](const char* Name, int32_t Value) {
        Writer.WritePropName(Name);
        Writer.WriteInteger(Value);
    };
    auto ident = [&Writer](const char* Name, const char* Value) {
        Writer.WritePropName(Name);
        Writer.WriteIdent(Value);
    };
    if (FAutoUpdate)
        boolean("AutoUpdate", true);
    if (FBarWidth != 6)
        integer("BarWidth", FBarWidth);
    if (FBorderStyle != bsSingle)
        ident("BorderStyle", BorderStyleNames[FBorderStyle]);
    if (FSyncScroll)
        boolean("SyncScroll", true);
    if (FStyle != oxsAuto)
        ident("Style", StyleNames[FStyle]);
    if (FLocked)
        boolean("Locked", true);
    // Either the pixels or the percentages, whichever the control keeps on resizing.
    const bool percent = FOptions.Contains(oxsSaveAsPercent);
    if (!percent && FPositionX != 50)
        integer("PositionX", FPositionX);
    if (!percent && FPositionY != 50)
        integer("PositionY", FPositionY);
    if (percent && FPercentX != 50)
        integer("PercentX", FPercentX);
    if (percent && FPercentY != 50)
        integer("PercentY", FPercentY);
    if (FOrientation != oxsVert)
        ident("Orientation", OrientationNames[FOrientation]);
    if (FOptions != ToxsOptions{oxsHideInvisible}) {
        std::vector<std::string> names;
        for (int option = oxsHideInvisible; option <= oxsVer1Compat; ++option) {
            if (FOptions.Contains(static_cast<ToxsOption>(option)))
                names.emplace_back(OptionNames[option]);
        }
        Writer.WritePropName("Options");
        Writer.WriteSet(names);
    }
    if (!FDockSite)
        boolean("DockSite", false);
}

void ToxCustomSplit::Loaded()
{
    EndLoading();
}

}  // namespace tavo::split
