#pragma once
// Drawing helpers shared by the maker's controls: caption and glyph of an owner-drawn row,
// glyphs in a normal or greyed state, the faces of the edit control's small buttons, the
// shared glyph bitmap and a rectangle test. Glyphs are bitmaps whose bottom-left pixel
// gives the colour that is transparent.
#include <QImage>
#include <cstdint>
#include <string>

#include "tools/Colors.h"

class QPainter;
class QRect;

namespace tavo::tools {

class TImageList;

// Rectangles as the drawing code computes them: Right and Bottom lie just outside.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // The exclusive edges hold: a point on Right or Bottom lies outside.
    bool Contains(int32_t X, int32_t Y) const
    {
        return X >= Left && X < Right && Y >= Top && Y < Bottom;
    }
    QRect ToQRect() const;
    static TRect FromQRect(const QRect& R);
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

// Owner-draw state bits, as the list controls pass them.
using TOwnerDrawState = uint32_t;
constexpr TOwnerDrawState odSelected = 0x1;
constexpr TOwnerDrawState odGrayed = 0x2;
constexpr TOwnerDrawState odDisabled = 0x4;
constexpr TOwnerDrawState odChecked = 0x8;
constexpr TOwnerDrawState odFocused = 0x10;
// Scale the glyph to 70 % of the row height (set by the maker's list controls).
constexpr TOwnerDrawState odScaleGlyph = 0x400;

enum TAlignment : int32_t { taLeftJustify, taRightJustify, taCenter };

// Edit control button kinds that have a face.
constexpr int32_t bkEllipsis = 2;
constexpr int32_t bkArrowDown = 3;
constexpr int32_t bkArrowUp = 4;
constexpr int32_t bkArrowRight = 5;
constexpr int32_t bkArrowLeft = 6;

// The text (Windows-1250) in the painter's pen colour, grey text when State holds
// odGrayed or odDisabled, with the glyph beside it at Margin from the aligned edge.
// Nothing is clipped and no background is filled.
void DrawCaptionGlyph(QPainter& Canvas, int32_t Margin, const TRect& R, TOwnerDrawState State,
                      TAlignment Alignment, const std::string& Text, const QImage* Glyph);

// Glyph is a strip of faces (normal, disabled, ...) as wide as high each; draws the face at
// R.Left, centred vertically. A disabled glyph without a disabled face is embossed.
void DrawGlyph(QPainter& Canvas, const TRect& R, const QImage* Glyph, bool Enabled);

// The embossed look: the glyph's black shape in button shadow over a white copy one pixel
// down and right; the rest of the glyph leaves the canvas as it is.
void DrawDisabledGlyph(QPainter& Canvas, TPoint P, const QImage& Bitmap);

// One-pixel frame: TopLeft on the top and left edges, BottomRight on the bottom and right
// ones; R shrinks by one pixel on every side.
void Frame3D(QPainter& Canvas, TRect& R, TColor TopLeft, TColor BottomRight);
void Frame3D(QPainter& Canvas, TRect& R, const QColor& TopLeft, const QColor& BottomRight);

// The shared scratch bitmap of the drawing helpers (and the colour lookups' swatches).
QImage& GlyphBitmap();
void FreeGlyphBitmap();

// Image Index (taken as an unsigned 16-bit number) of List on fuchsia in GlyphBitmap, or
// none when the index is not below the image count. Valid until the next call.
QImage* ImageListBitmap(const TImageList* List, uint32_t Index);

// A button face of the validating edit: kinds 2 (ellipsis) to 6 (arrows).
void DrawButtonFace(QPainter& Canvas, const TRect& R, int32_t Kind, bool Pressed, bool Enabled);
// One half of a spin button: kind 3 (down) or 4 (up).
void DrawSpinArrow(QPainter& Canvas, const TRect& R, int32_t Kind, bool Pressed, bool Enabled);

// True unless B lies entirely beside A; touching edges count as overlapping.
bool RectsOverlap(const TRect& A, const TRect& B);

// The maker's controls do not use their flat look in this system.
bool FlatLook();

// The Windows platform family (0 Win32s, 1 Windows 9x, 2 NT); -1 here, where there is no
// Windows to ask.
int32_t PlatformId();

}  // namespace tavo::tools
