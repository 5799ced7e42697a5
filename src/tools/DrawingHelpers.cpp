#include "DrawingHelpers.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/AnsiText.h"
#include "tools/Colors.h"
#include "tools/ImageList.h"
#include "tools/TextRoutines.h"

namespace tavo::tools {

QRect TRect::ToQRect() const
{
    return QRect(Left, Top, Right - Left, Bottom - Top);
}

TRect TRect::FromQRect(const QRect& R)
{
    return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

namespace {

// Halves go to the even neighbour, as the drawing formulas expect.
int32_t Round(double Value)
{
    return static_cast<int32_t>(std::nearbyint(Value));
}

std::unique_ptr<QImage> SharedGlyph;

// A copy in which every pixel of the bottom-left pixel's colour is transparent.
QImage TransparentCopy(const QImage& Bitmap, const QRect& Source)
{
    QImage argb = Bitmap.convertToFormat(QImage::Format_ARGB32);
    QRgb key = argb.pixel(0, argb.height() - 1);
    QImage part = argb.copy(Source);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    return part;
}

void FillRect(QPainter& Canvas, const TRect& R, TColor Color)
{
    if (R.Right > R.Left && R.Bottom > R.Top)
        Canvas.fillRect(R.ToQRect(), ToQColor(Color));
}

void UseColor(QPainter& Canvas, TColor Color)
{
    QColor c = ToQColor(Color);
    Canvas.setPen(QPen(c, 0));
    Canvas.setBrush(c);
}

void Triangle(QPainter& Canvas, QPoint A, QPoint B, QPoint C)
{
    Canvas.drawPolygon(QPolygon({A, B, C}));
}

void Line(QPainter& Canvas, TColor Color, QPoint From, QPoint To)
{
    Canvas.setPen(QPen(ToQColor(Color), 0));
    Canvas.drawLine(From, To);
}

// The arrow of kinds 3 to 6 inside R, with the highlight edge of a disabled button.
void DrawArrow(QPainter& Canvas, const TRect& R, int32_t Kind, int32_t dx, int32_t dy, int32_t mx,
               int32_t my, bool Enabled)
{
    UseColor(Canvas, Enabled ? clBlack : clBtnShadow);
    switch (Kind) {
    case bkArrowDown:
        Triangle(Canvas, {R.Left + dx, R.Top + dy}, {R.Right - dx, R.Top + dy},
                 {mx, R.Bottom - dy});
        if (!Enabled)
            Line(Canvas, clBtnHighlight, {mx + 1, R.Bottom - dy + 1},
                 {R.Right - dx + 1, R.Top + dy});
        break;
    case bkArrowUp:
        Triangle(Canvas, {R.Left + dx, R.Bottom - dy}, {R.Right - dx, R.Bottom - dy},
                 {mx, R.Top + dy});
        if (!Enabled)
            Line(Canvas, clBtnHighlight, {R.Left + dx + 1, R.Bottom - dy + 1},
                 {R.Right - dx + 1, R.Bottom - dy + 1});
        break;
    case bkArrowRight:
        Triangle(Canvas, {R.Left + dx, R.Top + dy}, {R.Right - dx, my},
                 {R.Left + dx, R.Bottom - dy});
        if (!Enabled)
            Line(Canvas, clBtnHighlight, {R.Left + dx + 1, R.Bottom - dy + 1},
                 {R.Right - dx + 1, my + 1});
        break;
    case bkArrowLeft:
        Triangle(Canvas, {R.Left + dx, my}, {R.Right - dx, R.Top + dy},
                 {R.Right - dx, R.Bottom - dy});
        if (!Enabled)
            Line(Canvas, clBtnHighlight, {R.Left + dx + 1, my + 1},
                 {R.Right - dx + 1, R.Bottom - dy + 1});
        break;
    default:
        break;
    }
}

}  // namespace

void Frame3D(QPainter& Canvas, TRect& R, const QColor& TopLeft, const QColor& BottomRight)
{
    if (R.Width() > 0 && R.Height() > 0) {
        Canvas.fillRect(QRect(R.Left, R.Top, R.Width() - 1, 1), TopLeft);
        Canvas.fillRect(QRect(R.Left, R.Top, 1, R.Height() - 1), TopLeft);
        Canvas.fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), BottomRight);
        Canvas.fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), BottomRight);
    }
    // Shrinks also when there was nothing to draw, so nested frames stay nested.
    ++R.Left;
    ++R.Top;
    --R.Right;
    --R.Bottom;
}

void Frame3D(QPainter& Canvas, TRect& R, TColor TopLeft, TColor BottomRight)
{
    Frame3D(Canvas, R, ToQColor(TopLeft), ToQColor(BottomRight));
}

void DrawCaptionGlyph(QPainter& Canvas, int32_t Margin, const TRect& R, TOwnerDrawState State,
                      TAlignment Alignment, const std::string& Text, const QImage* Glyph)
{
    const int32_t H = R.Height();
    const bool hasGlyph = Glyph && !Glyph->isNull();
    int32_t gw = 0;
    int32_t gh = 0;
    if (hasGlyph) {
        if (State & odScaleGlyph) {
            // 70 % in whole numbers, so that no binary rounding of 0.7 costs a pixel.
            gw = gh = H * 7 / 10;
        } else {
            gw = Glyph->width();
            gh = Glyph->height();
        }
    }
    const bool greyed = (State & (odGrayed | odDisabled)) != 0;

    Canvas.save();
    if (greyed)
        Canvas.setPen(ToQColor(clGrayText));
    Canvas.setBackgroundMode(Qt::TransparentMode);
    QFontMetrics metrics(Canvas.font());
    QString text = platform::FromAnsi(Alignment == taCenter ? Trimmed(Text) : Text);
    const int32_t tw = metrics.horizontalAdvance(text);

    int32_t tx = 0;
    int32_t gx = 0;
    switch (Alignment) {
    case taRightJustify:
        tx = (hasGlyph ? R.Right - gw - 2 : R.Right) - Margin - tw;
        gx = R.Right - gw - Margin;
        break;
    case taCenter:
        if (hasGlyph)
            tx = R.Left + Margin + Round((R.Right - R.Left - 2 * Margin - tw - gw - 2) / 2.0) + gw +
                 2;
        else
            tx = R.Left + Round((R.Right - R.Left - Margin - tw) / 2.0);
        gx = tx - gw - 2;
        break;
    default:
        tx = (hasGlyph ? R.Left + gw + 2 : R.Left) + Margin;
        gx = R.Left + Margin;
        break;
    }
    const int32_t ty = R.Top + static_cast<int32_t>((H - metrics.height()) / 2.0);
    Canvas.drawText(QPoint(tx, ty + metrics.ascent()), text);

    if (hasGlyph && gw > 0 && gh > 0) {
        const int32_t gy = R.Top + Round((H - gh) / 2.0);
        if (greyed)
            DrawDisabledGlyph(Canvas, {gx, gy}, *Glyph);
        else
            Canvas.drawImage(QRect(gx, gy, gw, gh), TransparentCopy(*Glyph, Glyph->rect()));
    }
    Canvas.restore();
}

void DrawGlyph(QPainter& Canvas, const TRect& R, const QImage* Glyph, bool Enabled)
{
    if (!Glyph || Glyph->isNull())
        return;
    const int32_t w = Glyph->width();
    const int32_t h = Glyph->height();
    const int32_t n = std::max(1, Round(static_cast<double>(w) / h));
    const int32_t faceWidth = Round(static_cast<double>(w) / n);
    const int32_t top = R.Top + Round((R.Bottom - R.Top - h) / 2.0);
    if (Enabled)
        Canvas.drawImage(QPoint(R.Left, top), TransparentCopy(*Glyph, QRect(0, 0, faceWidth, h)));
    else if (n >= 2)
        Canvas.drawImage(QPoint(R.Left, top),
                         TransparentCopy(*Glyph, QRect(faceWidth, 0, faceWidth, h)));
    else
        DrawDisabledGlyph(Canvas, {R.Left, top}, *Glyph);
}

void DrawDisabledGlyph(QPainter& Canvas, TPoint P, const QImage& Bitmap)
{
    if (Bitmap.isNull())
        return;
    // The monochrome copy: the glyph's black pixels are the shape. A monochrome bitmap
    // converts through its own two colours, so its black pixels count as well; transparent
    // pixels never do.
    QImage argb = Bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    QImage shapeBlack(argb.size(), QImage::Format_RGB32);   // black shape on white
    QImage shapeShadow(argb.size(), QImage::Format_RGB32);  // shadow shape on black
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* black = reinterpret_cast<QRgb*>(shapeBlack.scanLine(y));
        auto* shade = reinterpret_cast<QRgb*>(shapeShadow.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            bool shape = qAlpha(in[x]) >= 128 && (in[x] & 0xFFFFFF) == 0;
            black[x] = shape ? 0xFF000000 : 0xFFFFFFFF;
            shade[x] = shape ? shadow : 0xFF000000;
        }
    }
    Canvas.save();
    // Destination or not source: a white shape one pixel down and right.
    Canvas.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    Canvas.drawImage(QPoint(P.X + 1, P.Y + 1), shapeBlack);
    // Destination and source: the shape black.
    Canvas.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    Canvas.drawImage(QPoint(P.X, P.Y), shapeBlack);
    // Destination or source: the black shape becomes the shadow colour.
    Canvas.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    Canvas.drawImage(QPoint(P.X, P.Y), shapeShadow);
    Canvas.restore();
}

QImage& GlyphBitmap()
{
    if (!SharedGlyph)
        SharedGlyph = std::make_unique<QImage>();
    return *SharedGlyph;
}

void FreeGlyphBitmap()
{
    SharedGlyph.reset();
}

QImage* ImageListBitmap(const TImageList* List, uint32_t Index)
{
    const auto index = static_cast<uint16_t>(Index);
    if (!List || index >= List->Count())
        return nullptr;
    QImage& bitmap = GlyphBitmap();
    if (bitmap.width() != List->Width() || bitmap.height() != List->Height() ||
        bitmap.format() != QImage::Format_RGB32)
        bitmap = QImage(List->Width(), List->Height(), QImage::Format_RGB32);
    bitmap.fill(ToQColor(clFuchsia));
    QPainter painter(&bitmap);
    List->Draw(painter, 0, 0, index);
    return &bitmap;
}

void DrawButtonFace(QPainter& Canvas, const TRect& Rect, int32_t Kind, bool Pressed, bool Enabled)
{
    if (Kind < bkEllipsis)
        return;
    TRect R = Rect;
    const int32_t W = R.Width();
    const int32_t H = R.Height();
    const int32_t mx = Round((R.Left + R.Right) / 2.0);
    const int32_t my = Round((R.Top + R.Bottom) / 2.0);
    Canvas.save();
    FillRect(Canvas, R, clBtnFace);
    if (Pressed) {
        Frame3D(Canvas, R, clBtnShadow, clBtnShadow);
        Frame3D(Canvas, R, clBtnFace, clBtnFace);
    } else {
        Frame3D(Canvas, R, cl3DLight, cl3DDkShadow);
        Frame3D(Canvas, R, clBtnHighlight, clBtnShadow);
    }
    if (Kind == bkEllipsis) {
        const int32_t dx = Round(W / 5.0);
        const int32_t dy = Round(H / 4.0);
        const int32_t s = static_cast<int32_t>((W - 2) / 8.0);
        const int32_t r = std::max(1, Round(s / 1.5));
        const QPoint dots[3] = {{R.Left + dx, R.Bottom - dy},
                                {mx, R.Bottom - dy},
                                {2 * mx - R.Left - dx, R.Bottom - dy}};
        auto drawDots = [&](int Offset) {
            for (const QPoint& d : dots) {
                QPoint at = d + QPoint(Offset, Offset);
                if (s <= 0)
                    Canvas.fillRect(QRect(at, QSize(1, 1)), Canvas.brush().color());
                else
                    Canvas.drawEllipse(at, r, r);
            }
        };
        if (!Enabled) {
            UseColor(Canvas, clBtnHighlight);
            drawDots(1);
        }
        UseColor(Canvas, Enabled ? clBlack : clBtnShadow);
        drawDots(0);
    } else if (Kind == bkArrowDown || Kind == bkArrowUp) {
        DrawArrow(Canvas, R, Kind, Round(W / 4.0), Round(H / 2.6), mx, my, Enabled);
    } else if (Kind == bkArrowRight || Kind == bkArrowLeft) {
        DrawArrow(Canvas, R, Kind, Round(W / 3.6), Round(H / 3.6), mx, my, Enabled);
    }
    Canvas.restore();
}

void DrawSpinArrow(QPainter& Canvas, const TRect& Rect, int32_t Kind, bool Pressed, bool Enabled)
{
    if (Kind != bkArrowDown && Kind != bkArrowUp)
        return;
    TRect R = Rect;
    const int32_t W = R.Width();
    const int32_t mx = Round((R.Left + R.Right) / 2.0);
    const int32_t my = Round((R.Top + R.Bottom) / 2.0);
    Canvas.save();
    FillRect(Canvas, R, clBtnFace);
    if (Pressed)
        Frame3D(Canvas, R, clBtnShadow, clBtnShadow);
    else
        Frame3D(Canvas, R, clBtnHighlight, clBtnShadow);
    --R.Top;
    DrawArrow(Canvas, R, Kind, Round(W / 4.0), Round(R.Height() / 4.0), mx, my, Enabled);
    Canvas.restore();
}

bool RectsOverlap(const TRect& A, const TRect& B)
{
    return !(B.Right < A.Left || B.Bottom < A.Top || A.Right < B.Left || A.Bottom < B.Top);
}

bool FlatLook()
{
    return false;
}

int32_t PlatformId()
{
    return -1;
}

}  // namespace tavo::tools
