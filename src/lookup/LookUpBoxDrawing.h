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

}  // namespace tavo::lookup::detail
