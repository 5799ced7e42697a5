#pragma once
// Inside the lookup library: what the lookup combo box and list box share when they draw
// and measure an entry.
#include <QPainter>
#include <string>

#include "lookup/LookUpCtrls.h"

namespace tavo::lookup::detail {

// Row Index is drawn by the lookup itself (ldsLookUpDraw). Entries past the lookup's rows
// (the "Edit" entry) are not: the lookup would leave them blank.
inline bool LookUpDrawsEntry(const TCustomLookUp* LookUp, int32_t Index)
{
    return LookUp && LookUp->DrawStyle() == ldsLookUpDraw && Index >= 0 && Index < LookUp->Count();
}

// The default look of an entry: caption and glyph as Style shows them, the glyph 2 pixels
// in and captions without a glyph 20 pixels in, so that they line up beside the glyphs.
void DrawEntry(QPainter& Canvas, const TRect& Rect, TOwnerDrawState State, TDisplayStyle Style,
               TAlignment Alignment, const std::string& Caption, const QImage* Glyph);

// The lookup measures row Index for a control ClientWidth wide; Height in and out.
void MeasureEntry(QWidget* Control, int32_t ClientWidth, TCustomLookUp& LookUp, TDisplayStyle Style,
                  int32_t Index, int32_t& Height);

inline bool ShowsGlyph(TDisplayStyle Style)
{
    return Style == dsGlyph || Style == dsCaptionGlyph;
}

// Entry Index of a lookup box (combo box or list box) on the canvas's brush: drawn by the
// lookup under ldsLookUpDraw, else by the box's OnDrawItem, else as the box's DisplayStyle
// shows it, greyed for a disabled row unless NeverGrey.
template <class Box>
void DrawBoxEntry(Box& Control, TCustomLookUp* LookUp, QPainter& Canvas, int32_t Index,
                  const TRect& Rect, TOwnerDrawState State, bool NeverGrey)
{
    if (!Rect.IsEmpty())
        Canvas.fillRect(Rect.ToQRect(), Canvas.brush());
    const TDisplayStyle style = Control.DisplayStyle();
    if (LookUpDrawsEntry(LookUp, Index)) {
        LookUp->DrawItem(&Control, Canvas, style, Index, 2, Rect, Control.Alignment(), State);
        return;
    }
    if (Control.OnDrawItem) {
        Control.OnDrawItem(&Control, Canvas, Index, Rect, State);
        return;
    }
    if (Index < 0 || Index >= Control.count())
        return;
    if (!Control.IsItemEnabled(Index))
        State |= tools::odDisabled;
    if (NeverGrey)
        State &= ~tools::odDisabled;
    const bool caption = style == dsCaption || style == dsCaptionGlyph;
    const QImage* glyph = ShowsGlyph(style) ? Control.GetItemGlyph(Index) : nullptr;
    DrawEntry(Canvas, Rect, State, style, Control.Alignment(),
              caption ? Control.GetItemCaption(Index) : std::string(), glyph);
}

}  // namespace tavo::lookup::detail
