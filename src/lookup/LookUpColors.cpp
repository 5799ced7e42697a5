// The scratch row of the computed lookups and the colour lookup.
#include <QPainter>

#include "lookup/LookUpCtrls.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/NumberToText.h"

namespace tavo::lookup {

namespace {

// The standard colours' names in the order of StandardColors; the caption past them is
// "Non-standard", so that the custom colour's hint reads "Colour Non-standard".
constexpr int32_t ColourNames[] = {
    SColourBlack,     SColourBlue,       SColourTurquoise, SColourGreen,      SColourPurple,
    SColourRed,       SColourYellow,     SColourWhite,     SColourNavyBlue,   SColourDarkBlue,
    SColourDarkGreen, SColourDarkPurple, SColourDarkRed,   SColourDarkYellow, SColourDarkGrey,
    SColourGrey,      SNonStandard};
constexpr int32_t ByLayerGlyph = 94;
constexpr TColor ByLayerColor = -1;

QPointer<TImageList> Stock;

}  // namespace

TImageList* StockGlyphs()
{
    return Stock;
}

void SetStockGlyphs(TImageList* List)
{
    Stock = List;
}

// ---- TScratchLookUpItem ---------------------------------------------------------------

void TScratchLookUpItem::SetGlyph(const QImage* Source)
{
    TLookUpItem::SetGlyph(nullptr);
    FLent = nullptr;
    if (Source) {
        SetImageIndex(-1);
        FLent = Source;
    }
}

const QImage* TScratchLookUpItem::GetGlyph() const
{
    return FLent ? FLent : TLookUpItem::GetGlyph();
}

// ---- TCustomLookUp2, TCustomGDILookUp -------------------------------------------------

TCustomLookUp2::TCustomLookUp2(QObject* Owner)
    : TCustomLookUp(Owner), FScratchItem(std::make_unique<TScratchLookUpItem>())
{
}

// The lent glyph is not the scratch row's to free.
TCustomLookUp2::~TCustomLookUp2() = default;

TCustomGDILookUp::TCustomGDILookUp(QObject* Owner) : TCustomLookUp2(Owner)
{
    SetDisplayStyle(dsCaptionGlyph);
}

void TCustomGDILookUp::SetAddByLayer(bool Value)
{
    if (Value != FAddByLayer) {
        FAddByLayer = Value;
        NotifyLinks();
    }
}

// ---- TColorLookUp ---------------------------------------------------------------------

const std::array<TColor, 16> StandardColors = {
    0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFFFF,
    0x800000, 0x808000, 0x008000, 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0};

TColorLookUp::TColorLookUp(QObject* Owner) : TCustomGDILookUp(Owner) {}

void TColorLookUp::SetGlyphShape(TColorLookGlyphShape Value)
{
    if (Value != FGlyphShape) {
        FGlyphShape = Value;
        NotifyLinks();
    }
}

int32_t TColorLookUp::Count() const
{
    return 16 + (AddByLayer() ? 1 : 0) + (FRGBColors ? 1 : 0);
}

QImage* TColorLookUp::DrawSwatch(TColor Color, TColorLookGlyphShape Shape)
{
    QImage& bitmap = tools::GlyphBitmap();
    if (bitmap.width() != 16 || bitmap.height() != 16 || bitmap.format() != QImage::Format_RGB32)
        bitmap = QImage(16, 16, QImage::Format_RGB32);
    // The background is the transparent colour: fuchsia, or white behind a fuchsia swatch.
    bitmap.fill(tools::ToQColor(Color == tools::clFuchsia ? tools::clWhite : tools::clFuchsia));
    QPainter painter(&bitmap);
    const QRect shape = Shape == lgs_Line ? QRect(0, 5, 15, 5) : QRect(0, 0, 15, 15);
    painter.fillRect(shape, Qt::black);
    painter.fillRect(shape.adjusted(1, 1, -1, -1), tools::ToQColor(Color));
    return &bitmap;
}

TCustomLookUpItem* TColorLookUp::GetItem(int32_t Index)
{
    if (Index < 0 || Index >= Count())
        throw platform::EListError(
            platform::Format(platform::LoadStr(SListIndexError), {int64_t{Index}}));
    const int32_t byLayer = AddByLayer() ? 1 : 0;
    TScratchLookUpItem& item = ScratchItem();
    const std::string caption = byLayer == 1 && Index == 0
                                    ? platform::LoadStr(SByLayer)
                                    : platform::LoadStr(ColourNames[Index - byLayer]);
    item.SetCaption(caption);
    item.SetHint(platform::LoadStr(SColourHint) + caption);
    item.SetEnabled(true);
    item.SetIdStr({});
    item.SetImageIndex(-1);
    if (byLayer == 1 && Index == 0) {
        item.SetGlyph(tools::ImageListBitmap(StockGlyphs(), ByLayerGlyph));
        item.SetId(ByLayerColor);
    } else if (FRGBColors && Index == Count() - 1) {
        item.SetId(FCustomColor);
        if (ListMode()) {
            item.SetCaption(platform::LoadStr(SNonStandard));
        } else {
            // The hint keeps reading "Colour Non-standard".
            item.SetCaption(tools::IntToTextOrBlank(FCustomColor, 0));
            item.SetGlyph(DrawSwatch(FCustomColor, FGlyphShape));
        }
    } else {
        const TColor color = StandardColors.at(static_cast<size_t>(Index - byLayer));
        item.SetId(color);
        item.SetGlyph(DrawSwatch(color, FGlyphShape));
    }
    return &item;
}

int32_t TColorLookUp::IndexOfId(int32_t Id)
{
    const int32_t byLayer = AddByLayer() ? 1 : 0;
    if (byLayer == 1 && Id == ByLayerColor)
        return 0;
    for (size_t i = 0; i < StandardColors.size(); ++i)
        if (StandardColors[i] == Id)
            return static_cast<int32_t>(i) + byLayer;
    FCustomColor = Id;
    return Count() - 1;
}

}  // namespace tavo::lookup
