#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "LookUpCtrls.h"
#include "platform/AnsiText.h"
#include "tools/NumberToText.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

constexpr const char* DisplayStyleNames[] = {"dsCaption",    "dsGlyph", "dsCaptionGlyph", "dsIdStr",
                                             "dsIdStrGlyph", "dsId",    "dsIdGlyph"};
constexpr const char* DrawStyleNames[] = {"ldsStandard", "ldsLookUpDraw"};

template <typename E, size_t N>
E EnumFromName(const std::string& Name, const char* const (&Names)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (Name == Names[i])
            return static_cast<E>(i);
    tools::TReader::InvalidValue();
}

bool SameTextAnsi(const std::string& A, const std::string& B)
{
    return A.size() == B.size() && tools::IsAnsiPrefixOf(A, B);
}

}  // namespace

const char* DisplayStyleName(TDisplayStyle Value)
{
    return Value >= dsCaption && Value <= dsIdGlyph ? DisplayStyleNames[Value] : "";
}

const char* DrawStyleName(TLookUpDrawStyle Value)
{
    return Value >= ldsStandard && Value <= ldsLookUpDraw ? DrawStyleNames[Value] : "";
}

// ---- TCustomLookUp --------------------------------------------------------------------

TCustomLookUp::TCustomLookUp(QObject* Owner) : QObject(Owner) {}

TCustomLookUp::~TCustomLookUp()
{
    // Every control still linked lets go of the lookup, each once.
    std::vector<QObject*> links = Links();
    for (QObject* component : links) {
        if (auto* link = dynamic_cast<TLookUpLink*>(component))
            link->LookUpDestroying(*this);
        RemoveLink(component);
    }
    FLinks.clear();
}

std::string TCustomLookUp::FormName() const
{
    return platform::ToAnsi(objectName());
}

void TCustomLookUp::SetSlimRows(bool Value)
{
    if (Value != FSlimRows) {
        FSlimRows = Value;
        NotifyLinks();
    }
}

void TCustomLookUp::SetDisplayStyle(TDisplayStyle Value)
{
    if (Value != FDisplayStyle) {
        FDisplayStyle = Value;
        NotifyLinks();
    }
}

void TCustomLookUp::SetDrawStyle(TLookUpDrawStyle Value)
{
    if (Value != FDrawStyle) {
        FDrawStyle = Value;
        NotifyLinks();
    }
}

void TCustomLookUp::SetAddEditItem(bool Value)
{
    if (Value != FAddEditItem) {
        FAddEditItem = Value;
        NotifyLinks();
    }
}

TImageList* TCustomLookUp::GetImages() const
{
    return nullptr;
}

int32_t TCustomLookUp::Count() const
{
    return 0;
}

TCustomLookUpItem* TCustomLookUp::GetItem(int32_t)
{
    return nullptr;
}

void TCustomLookUp::SetImages(TImageList*) {}

void TCustomLookUp::Clear() {}

void TCustomLookUp::MeasureItem(QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle,
                                int32_t Index, int32_t& Width, int32_t& Height,
                                int32_t& GlyphsWidth)
{
    if (OnMeasureItem) {
        OnMeasureItem(Control, Canvas, DisplayStyle, Index, Width, Height, GlyphsWidth);
        return;
    }
    if (Index < 0 || Index >= Count())
        return;
    TCustomLookUpItem* item = GetItem(Index);
    if (!item)
        return;
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    int32_t glyphWidth = 0;
    int32_t glyphHeight = 0;
    if (DisplayStyle == dsCaption || DisplayStyle == dsCaptionGlyph) {
        QFontMetrics metrics(Canvas.font());
        textWidth = metrics.horizontalAdvance(platform::FromAnsi(item->GetCaption()));
        textHeight = metrics.height();
    }
    if (DisplayStyle == dsGlyph || DisplayStyle == dsCaptionGlyph) {
        if (const QImage* glyph = item->GetGlyph(); glyph && !glyph->isNull()) {
            glyphWidth = glyph->width();
            glyphHeight = glyph->height();
        }
    }
    GlyphsWidth = std::max(GlyphsWidth, glyphWidth);
    Width = std::max(Width, GlyphsWidth + textWidth + (glyphWidth > 0 ? 4 : 0));
    Height = std::max({Height, textHeight, glyphHeight});
}

void TCustomLookUp::DrawItem(QWidget* Control, QPainter& Canvas, TDisplayStyle DisplayStyle,
                             int32_t Index, int32_t Margin, const TRect& Rect, TAlignment Alignment,
                             TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(Control, Canvas, DisplayStyle, Index, Margin, Rect, Alignment, State);
        return;
    }
    if (Index < 0 || Index >= Count())
        return;
    TCustomLookUpItem* item = GetItem(Index);
    if (!item)
        return;
    std::string text;
    bool withGlyph = false;
    switch (DisplayStyle) {
    case dsCaption:
        text = item->GetCaption();
        break;
    case dsGlyph:
        withGlyph = true;
        break;
    case dsCaptionGlyph:
        text = item->GetCaption();
        withGlyph = true;
        break;
    case dsIdStr:
        text = item->GetIdStr();
        break;
    case dsIdStrGlyph:
        text = item->GetIdStr();
        withGlyph = true;
        break;
    case dsId:
        text = tools::IntToTextOrBlank(item->GetId(), 0);
        break;
    case dsIdGlyph:
        text = tools::IntToTextOrBlank(item->GetId(), 0);
        withGlyph = true;
        break;
    }
    tools::DrawCaptionGlyph(Canvas, Margin, Rect, State, Alignment, text,
                            withGlyph ? item->GetGlyph() : nullptr);
}

void TCustomLookUp::UpdateItems()
{
    NotifyLinks();
    if (OnUpdateItems)
        OnUpdateItems(this);
}

int32_t TCustomLookUp::IndexOfId(int32_t Id)
{
    for (int32_t i = 0, n = Count(); i < n; ++i)
        if (TCustomLookUpItem* item = GetItem(i); item && item->GetId() == Id)
            return i;
    return -1;
}

void TCustomLookUp::EditItems(QObject* Sender, const std::string&, const TSetTextEvent& OnSetText)
{
    if (OnEditItems)
        OnEditItems(Sender, OnSetText);
}

void TCustomLookUp::AddLink(QObject* Component)
{
    if (!Component)
        return;
    for (const auto& link : FLinks)
        if (link == Component)
            return;
    // Entries of destroyed components go when the list changes anyway.
    std::erase_if(FLinks, [](const QPointer<QObject>& link) { return link.isNull(); });
    FLinks.emplace_back(Component);
}

void TCustomLookUp::RemoveLink(QObject* Component)
{
    std::erase_if(FLinks, [Component](const QPointer<QObject>& link) {
        return link.isNull() || link == Component;
    });
}

bool Relink(QObject* Component, QPointer<TCustomLookUp>& Current, TCustomLookUp* Value)
{
    if (Value == Current)
        return false;
    if (Current)
        Current->RemoveLink(Component);
    Current = Value;
    if (Value)
        Value->AddLink(Component);
    return true;
}

std::vector<QObject*> TCustomLookUp::Links() const
{
    std::vector<QObject*> live;
    for (const auto& link : FLinks)
        if (link)
            live.push_back(link.data());
    return live;
}

void TCustomLookUp::NotifyLinks()
{
    // A control may leave the links while it rebuilds; work on a snapshot and skip those
    // destroyed meanwhile.
    std::vector<QPointer<QObject>> snapshot = FLinks;
    for (const auto& component : snapshot)
        if (auto* link = component ? dynamic_cast<TLookUpLink*>(component.data()) : nullptr)
            link->LookUpChanged(*this);
}

TCustomLookUpItem* TCustomLookUp::FindById(int32_t Id)
{
    int32_t index = IndexOfId(Id);
    return index >= 0 ? GetItem(index) : nullptr;
}

int32_t TCustomLookUp::IndexOfCaption(const std::string& Text)
{
    const int32_t n = Count();
    for (int32_t i = 0; i < n; ++i)
        if (TCustomLookUpItem* item = GetItem(i); item && SameTextAnsi(Text, item->GetCaption()))
            return i;
    if (Text.size() != 1)
        return -1;
    const char wanted = tools::AnsiUpperChar(Text[0]);
    for (int32_t i = 0; i < n; ++i) {
        TCustomLookUpItem* item = GetItem(i);
        if (!item)
            continue;
        std::string caption = item->GetCaption();
        if (caption.empty())
            continue;
        std::string shortPart = tools::HintCaption(caption);
        if (!shortPart.empty() && tools::AnsiUpperChar(shortPart[0]) == wanted)
            return i;
    }
    return -1;
}

// ---- TLookUp0, TLookUp ----------------------------------------------------------------

TLookUp0::TLookUp0(QObject* Owner)
    : TCustomLookUp(Owner), FItems(std::make_unique<TLookUpItems>(this))
{
}

TLookUp0::~TLookUp0()
{
    // The rows go first; the links are let go by the base afterwards.
    FItems.reset();
}

void TLookUp::Clear()
{
    Items().Clear();
    NotifyLinks();
}

tools::TPersistent* TLookUp::PropertyObject(std::string_view Name)
{
    return Name == "Items" ? &Items() : nullptr;
}

bool TLookUp::ReadProperty(std::string_view Name, tools::TReader& Reader)
{
    if (ReadLookUpProperty(Name, Reader))
        return true;
    if (Name != "Images")
        return false;
    std::string name = Reader.ReadIdent();
    if (name == "nil") {
        SetImages(nullptr);
    } else {
        auto* images = dynamic_cast<TImageList*>(&Reader.FindComponent(name));
        if (!images)
            tools::TReader::InvalidValue();
        SetImages(images);
    }
    return true;
}

void TLookUp::WriteProperties(tools::TWriter& Writer)
{
    WriteLookUpProperties(Writer);
    if (Images()) {
        Writer.WritePropName("Images");
        Writer.WriteIdent(Images()->FormName());
    }
    Writer.WriteObjectProperty("Items", Items());
    WriteDisplayStyle(Writer);
}

// ---- Stored properties shared by the lookups -------------------------------------------

bool TCustomLookUp::ReadLookUpProperty(std::string_view Name, tools::TReader& Reader)
{
    if (Name == "Tag") {
        SetTag(Reader.ReadInteger());
    } else if (Name == "Caption") {
        SetCaption(Reader.ReadString());
    } else if (Name == "DrawStyle") {
        SetDrawStyle(EnumFromName<TLookUpDrawStyle>(Reader.ReadIdent(), DrawStyleNames));
    } else if (Name == "Columns") {
        SetColumns(Reader.ReadInteger());
    } else if (Name == "SlimRows") {
        SetSlimRows(Reader.ReadBoolean());
    } else if (Name == "AddEditItem") {
        SetAddEditItem(Reader.ReadBoolean());
    } else if (Name == "DisplayStyle") {
        SetDisplayStyle(EnumFromName<TDisplayStyle>(Reader.ReadIdent(), DisplayStyleNames));
    } else {
        return false;
    }
    return true;
}

void TCustomLookUp::WriteLookUpProperties(tools::TWriter& Writer)
{
    if (Tag() != 0) {
        Writer.WritePropName("Tag");
        Writer.WriteInteger(Tag());
    }
    if (!Caption().empty()) {
        Writer.WritePropName("Caption");
        Writer.WriteString(Caption());
    }
    Writer.WritePropName("DrawStyle");
    Writer.WriteIdent(DrawStyleName(DrawStyle()));
    Writer.WritePropName("Columns");
    Writer.WriteInteger(Columns());
    if (SlimRows()) {
        Writer.WritePropName("SlimRows");
        Writer.WriteBoolean(true);
    }
    Writer.WritePropName("AddEditItem");
    Writer.WriteBoolean(AddEditItem());
}

void TCustomLookUp::WriteDisplayStyle(tools::TWriter& Writer)
{
    Writer.WritePropName("DisplayStyle");
    Writer.WriteIdent(DisplayStyleName(DisplayStyle()));
}

}  // namespace tavo::lookup
