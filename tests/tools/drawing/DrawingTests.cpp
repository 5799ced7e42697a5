// Pixel tests: each helper draws into an image; chosen points are checked against the
// colours they must have.
#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "tools/Colors.h"
#include "tools/DrawingHelpers.h"
#include "tools/ImageList.h"

using namespace tavo::tools;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Fuchsia = qRgb(255, 0, 255);
const QRgb Green = qRgb(0, 255, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

QRgb Sys(TColor Color)
{
    return ToQColor(Color).rgb();
}

// A canvas filled with green, so that anything drawn (or left transparent) shows.
QImage Canvas(int W, int H)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Green);
    return image;
}

// A 16 x 16 red glyph whose bottom-left pixel (the transparent colour) is fuchsia.
QImage RedGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Red);
    glyph.setPixel(0, 15, Fuchsia);
    return glyph;
}

// On fuchsia, a black square from (4, 4) to (11, 11) and a red one beside it.
QImage BlackSquareGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Fuchsia);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            glyph.setPixel(x, y, Black);
    glyph.setPixel(13, 2, Red);
    return glyph;
}

QRgb At(const QImage& Image, int X, int Y)
{
    return Image.pixel(X, Y) | 0xFF000000;
}

}  // namespace

TEST(DrawCaptionGlyph, PlacesTheGlyphByAlignment)
{
    QImage glyph = RedGlyph();
    const TRect row{0, 0, 100, 20};
    struct Case {
        TAlignment Alignment;
        int FirstX;  // first glyph column
    } cases[] = {{taLeftJustify, 2}, {taRightJustify, 100 - 16 - 2}, {taCenter, 41}};
    for (const Case& c : cases) {
        QImage image = Canvas(100, 20);
        {
            QPainter p(&image);
            DrawCaptionGlyph(p, 2, row, 0, c.Alignment, "", &glyph);
        }
        SCOPED_TRACE(c.Alignment);
        // Rows 2 to 17 (centred in 20), columns FirstX to FirstX + 15.
        EXPECT_EQ(At(image, c.FirstX, 2), Red);
        EXPECT_EQ(At(image, c.FirstX + 15, 10), Red);
        EXPECT_EQ(At(image, c.FirstX + 15, 17), Red);
        EXPECT_EQ(At(image, c.FirstX - 1, 10), Green);
        EXPECT_EQ(At(image, c.FirstX + 16, 10), Green);
        EXPECT_EQ(At(image, c.FirstX + 5, 1), Green);
        EXPECT_EQ(At(image, c.FirstX + 5, 18), Green);
        // The bottom-left pixel's colour is transparent.
        EXPECT_EQ(At(image, c.FirstX, 17), Green);
    }
}

TEST(DrawCaptionGlyph, ScalesTheGlyphToSeventyPercentOfTheRow)
{
    QImage glyph = RedGlyph();
    QImage image = Canvas(60, 20);
    {
        QPainter p(&image);
        DrawCaptionGlyph(p, 2, {0, 0, 60, 20}, odScaleGlyph, taLeftJustify, "", &glyph);
    }
    // 14 x 14 at x 2..15, y 3..16.
    EXPECT_EQ(At(image, 2, 3), Red);
    EXPECT_EQ(At(image, 15, 3), Red);
    EXPECT_EQ(At(image, 15, 16), Red);
    EXPECT_EQ(At(image, 16, 10), Green);
    EXPECT_EQ(At(image, 10, 2), Green);
    EXPECT_EQ(At(image, 10, 17), Green);
    EXPECT_EQ(At(image, 1, 10), Green);
}

TEST(DrawCaptionGlyph, TextGoesBesideTheGlyphAndGreysWhenDisabled)
{
    QImage glyph = RedGlyph();
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    auto draw = [&](TOwnerDrawState State) {
        QImage image = Canvas(120, 20);
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        DrawCaptionGlyph(p, 2, {0, 0, 120, 20}, State, taLeftJustify, "WWW", &glyph);
        return image;
    };
    auto count = [](const QImage& Image, QRgb Color, int FromX) {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = FromX; x < Image.width(); ++x)
                n += At(Image, x, y) == Color;
        return n;
    };
    QImage normal = draw(0);
    // Text starts at 16 + 2 + margin 2: nothing of it left of x 20.
    EXPECT_GT(count(normal, Black, 20), 10);
    EXPECT_EQ(count(normal, Black, 0) - count(normal, Black, 20), 0);

    QImage disabled = draw(odDisabled);
    EXPECT_EQ(count(disabled, Black, 20), 0);
    EXPECT_GT(count(disabled, Sys(clGrayText), 20), 10);
    // A greyed glyph is embossed, not copied: a red glyph has no black shape at all.
    EXPECT_EQ(count(disabled, Red, 0), 0);
    EXPECT_EQ(count(draw(odGrayed), Red, 0), 0);
}

TEST(DrawCaptionGlyph, GreyedGlyphIsDrawnUnscaledEvenInAScaledRow)
{
    QImage glyph = BlackSquareGlyph();
    QImage image = Canvas(60, 30);
    {
        QPainter p(&image);
        DrawCaptionGlyph(p, 0, {0, 0, 60, 30}, odScaleGlyph | odGrayed, taLeftJustify, "", &glyph);
    }
    // Target top-left: x 0, y Round((30 - 21) / 2) = 4; the square covers 4..11 of the
    // unscaled bitmap, i.e. x 4..11, y 8..15.
    EXPECT_EQ(At(image, 4, 8), Sys(clBtnShadow));
    EXPECT_EQ(At(image, 11, 15), Sys(clBtnShadow));
    EXPECT_EQ(At(image, 12, 16), White);
}

TEST(DrawGlyph, DisabledStripCopiesTheRightHalf)
{
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Red);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.setPixel(x, y, Blue);
    strip.setPixel(0, 15, Fuchsia);
    strip.setPixel(20, 15, Fuchsia);  // transparent in the disabled face too

    for (bool enabled : {true, false}) {
        QImage image = Canvas(40, 24);
        {
            QPainter p(&image);
            DrawGlyph(p, {3, 0, 40, 24}, &strip, enabled);
        }
        // 16 x 16 at x 3..18, y 4..19.
        EXPECT_EQ(At(image, 10, 10), enabled ? Red : Blue);
        EXPECT_EQ(At(image, 18, 19), enabled ? Red : Blue);
        EXPECT_EQ(At(image, 19, 10), Green) << "only one face is drawn";
        EXPECT_EQ(At(image, 10, 3), Green);
        EXPECT_EQ(At(image, enabled ? 3 : 7, 19), Green);
    }
}

TEST(DrawGlyph, DisabledSingleFaceIsEmbossed)
{
    QImage glyph = BlackSquareGlyph();
    QImage image = Canvas(20, 16);
    {
        QPainter p(&image);
        DrawGlyph(p, {2, 0, 20, 16}, &glyph, false);
    }
    // The black square (x 6..13, y 4..11 on the canvas) in button shadow, a white copy one
    // pixel down and right, and neither the fuchsia background nor the red dot drawn.
    EXPECT_EQ(At(image, 6, 4), Sys(clBtnShadow));
    EXPECT_EQ(At(image, 13, 11), Sys(clBtnShadow));
    EXPECT_EQ(At(image, 14, 12), White);
    EXPECT_EQ(At(image, 14, 5), White);
    EXPECT_EQ(At(image, 7, 12), White);
    EXPECT_EQ(At(image, 5, 4), Green);
    EXPECT_EQ(At(image, 2, 0), Green);
    EXPECT_EQ(At(image, 15, 2), Green);

    QImage enabled = Canvas(20, 16);
    {
        QPainter p(&enabled);
        DrawGlyph(p, {2, 0, 20, 16}, &glyph, true);
    }
    EXPECT_EQ(At(enabled, 6, 4), Black);
    EXPECT_EQ(At(enabled, 15, 2), Red);
    EXPECT_EQ(At(enabled, 14, 12), Green);
}

TEST(DrawDisabledGlyph, LeavesTheCanvasPlainCopyingAfterwards)
{
    QImage glyph = BlackSquareGlyph();
    QImage image = Canvas(20, 20);
    QPainter p(&image);
    DrawDisabledGlyph(p, {0, 0}, glyph);
    EXPECT_EQ(p.compositionMode(), QPainter::CompositionMode_SourceOver);
    p.fillRect(0, 0, 1, 1, Qt::red);
    p.end();
    EXPECT_EQ(At(image, 0, 0), Red);
}

TEST(DrawButtonFace, RaisedAndPressedFrames)
{
    for (int kind = bkEllipsis; kind <= bkArrowLeft; ++kind) {
        for (bool pressed : {false, true}) {
            QImage image = Canvas(24, 20);
            {
                QPainter p(&image);
                DrawButtonFace(p, {0, 0, 24, 20}, kind, pressed, true);
            }
            SCOPED_TRACE(testing::Message() << "kind " << kind << (pressed ? " pressed" : ""));
            if (pressed) {
                EXPECT_EQ(At(image, 0, 0), Sys(clBtnShadow));
                EXPECT_EQ(At(image, 23, 19), Sys(clBtnShadow));
                EXPECT_EQ(At(image, 1, 1), Sys(clBtnFace));
                EXPECT_EQ(At(image, 22, 18), Sys(clBtnFace));
            } else {
                EXPECT_EQ(At(image, 0, 0), Sys(cl3DLight));
                EXPECT_EQ(At(image, 23, 19), Sys(cl3DDkShadow));
                EXPECT_EQ(At(image, 1, 1), Sys(clBtnHighlight));
                EXPECT_EQ(At(image, 22, 18), Sys(clBtnShadow));
            }
            EXPECT_EQ(At(image, 2, 2), Sys(clBtnFace));
        }
    }
    QImage none = Canvas(24, 20);
    {
        QPainter p(&none);
        DrawButtonFace(p, {0, 0, 24, 20}, 1, false, true);
    }
    EXPECT_EQ(At(none, 0, 0), Green) << "kinds below 2 have no face";
}

TEST(DrawButtonFace, EllipsisDots)
{
    // W 24, H 20: dots at y 18 - 5 = 13, x 2 + 5 = 7, 12 and 17; size 2 gives radius 1.
    for (bool enabled : {true, false}) {
        QImage image = Canvas(24, 20);
        {
            QPainter p(&image);
            DrawButtonFace(p, {0, 0, 24, 20}, bkEllipsis, false, enabled);
        }
        QRgb dot = enabled ? Black : Sys(clBtnShadow);
        EXPECT_EQ(At(image, 7, 13), dot);
        EXPECT_EQ(At(image, 12, 13), dot);
        EXPECT_EQ(At(image, 17, 13), dot);
        EXPECT_EQ(At(image, 10, 13), Sys(clBtnFace));
        EXPECT_EQ(At(image, 12, 9), Sys(clBtnFace));
        // The highlight copy shows below the disabled dots.
        EXPECT_EQ(At(image, 13, 15), enabled ? Sys(clBtnFace) : Sys(clBtnHighlight));
    }
}

TEST(DrawButtonFace, Arrows)
{
    // W 24, H 40; inner rectangle (2, 2, 22, 38).
    struct Case {
        int Kind;
        QPoint Inside;
        QPoint Outside;
        QPoint Highlight;  // on the highlight edge of a disabled button
    } cases[] = {
        // down: dx 6, dy 15: (8, 17) (16, 17) (12, 23)
        {bkArrowDown, {12, 19}, {12, 26}, {13, 24}},
        // up: (8, 23) (16, 23) (12, 17)
        {bkArrowUp, {12, 21}, {12, 14}, {12, 24}},
        // right: dx 7, dy 11: (9, 13) (15, 20) (9, 27)
        {bkArrowRight, {11, 20}, {17, 20}, {10, 28}},
        // left: (9, 20) (15, 13) (15, 27)
        {bkArrowLeft, {13, 20}, {7, 20}, {16, 28}},
    };
    for (const Case& c : cases) {
        for (bool enabled : {true, false}) {
            QImage image = Canvas(24, 40);
            {
                QPainter p(&image);
                DrawButtonFace(p, {0, 0, 24, 40}, c.Kind, false, enabled);
            }
            SCOPED_TRACE(testing::Message() << "kind " << c.Kind << (enabled ? "" : " disabled"));
            EXPECT_EQ(At(image, c.Inside.x(), c.Inside.y()), enabled ? Black : Sys(clBtnShadow));
            EXPECT_EQ(At(image, c.Outside.x(), c.Outside.y()), Sys(clBtnFace));
            EXPECT_EQ(At(image, c.Highlight.x(), c.Highlight.y()),
                      enabled ? Sys(clBtnFace) : Sys(clBtnHighlight));
        }
    }
}

TEST(DrawSpinArrow, HalfOfASpinButton)
{
    // 16 x 12, raised: highlight at top-left, shadow at bottom-right; the inner rectangle
    // (1, 0, 15, 11) after moving its top up; dx 4, dy 3.
    QImage image = Canvas(16, 12);
    {
        QPainter p(&image);
        DrawSpinArrow(p, {0, 0, 16, 12}, bkArrowUp, false, true);
    }
    EXPECT_EQ(At(image, 0, 0), Sys(clBtnHighlight));
    EXPECT_EQ(At(image, 15, 11), Sys(clBtnShadow));
    EXPECT_EQ(At(image, 1, 1), Sys(clBtnFace));
    // up: (5, 8) (11, 8) (8, 3)
    EXPECT_EQ(At(image, 8, 6), Black);
    EXPECT_EQ(At(image, 8, 9), Sys(clBtnFace));

    QImage pressed = Canvas(16, 12);
    {
        QPainter p(&pressed);
        DrawSpinArrow(p, {0, 0, 16, 12}, bkArrowDown, true, false);
    }
    EXPECT_EQ(At(pressed, 0, 0), Sys(clBtnShadow));
    EXPECT_EQ(At(pressed, 15, 11), Sys(clBtnShadow));
    // down: (5, 3) (11, 3) (8, 8), in shadow when disabled
    EXPECT_EQ(At(pressed, 8, 5), Sys(clBtnShadow));
    EXPECT_EQ(At(pressed, 8, 1), Sys(clBtnFace));

    QImage other = Canvas(16, 12);
    {
        QPainter p(&other);
        DrawSpinArrow(p, {0, 0, 16, 12}, bkArrowRight, false, true);
    }
    EXPECT_EQ(At(other, 0, 0), Green) << "only kinds 3 and 4";
}

TEST(ImageListBitmap, ImageOnFuchsiaInTheSharedBitmap)
{
    TImageList list(nullptr, 16, 16);
    QImage first(16, 16, QImage::Format_ARGB32);
    first.fill(Qt::transparent);
    first.setPixel(3, 3, qRgba(0, 0, 255, 255));
    QImage second(16, 16, QImage::Format_ARGB32);
    second.fill(Qt::transparent);
    second.setPixel(5, 5, qRgba(255, 0, 0, 255));
    list.Add(first);
    list.Add(second);

    QImage* bitmap = ImageListBitmap(&list, 1);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap, &GlyphBitmap());
    EXPECT_EQ(bitmap->size(), QSize(16, 16));
    EXPECT_EQ(At(*bitmap, 5, 5), Red);
    EXPECT_EQ(At(*bitmap, 3, 3), Fuchsia);
    EXPECT_EQ(At(*bitmap, 0, 15), Fuchsia);

    EXPECT_EQ(ImageListBitmap(&list, 2), nullptr);
    EXPECT_EQ(ImageListBitmap(nullptr, 0), nullptr);
    // The index is a 16-bit number: 65537 is 1, 65536 is 0.
    ASSERT_NE(ImageListBitmap(&list, 65537), nullptr);
    EXPECT_EQ(At(GlyphBitmap(), 5, 5), Red);
    ASSERT_NE(ImageListBitmap(&list, 65536), nullptr);
    EXPECT_EQ(At(GlyphBitmap(), 3, 3), Blue);
    EXPECT_EQ(At(GlyphBitmap(), 5, 5), Fuchsia);
}

TEST(ImageList, StripsAndMasks)
{
    TImageList list(nullptr, 8, 8);
    QImage strip(24, 8, QImage::Format_RGB32);
    strip.fill(Fuchsia);
    strip.setPixel(17, 1, Red);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(qAlpha(list.Image(2).pixel(0, 0)), 0);
    EXPECT_EQ(list.Image(2).pixel(1, 1), Red);
    EXPECT_THROW(list.Add(QImage(10, 8, QImage::Format_RGB32)), EInvalidOperation);
    EXPECT_THROW(list.Image(3), tavo::platform::EListError);
    list.SetWidth(16);
    EXPECT_EQ(list.Count(), 0) << "a new size drops images that no longer fit";
    EXPECT_THROW(list.SetHeight(0), EInvalidOperation);
}

TEST(RectsOverlap, TouchingEdgesOverlap)
{
    EXPECT_TRUE(RectsOverlap({0, 0, 10, 10}, {10, 10, 20, 20}));
    EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {11, 0, 20, 10}));
    EXPECT_FALSE(RectsOverlap({0, 0, 10, 10}, {0, 11, 10, 20}));
    EXPECT_FALSE(RectsOverlap({11, 0, 20, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(RectsOverlap({0, 11, 10, 20}, {0, 0, 10, 10}));
    EXPECT_TRUE(RectsOverlap({0, 0, 10, 10}, {2, 2, 3, 3}));
}

TEST(TRect, RightAndBottomEdgesLieOutside)
{
    const TRect r{2, 3, 12, 8};
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(11, 7));
    EXPECT_FALSE(r.Contains(12, 7));
    EXPECT_FALSE(r.Contains(11, 8));
    EXPECT_FALSE(r.Contains(1, 3));
    EXPECT_FALSE(r.IsEmpty());
    // No extent or a negative one holds no point.
    for (const TRect& empty : {TRect{5, 5, 5, 9}, TRect{5, 5, 9, 5}, TRect{9, 5, 4, 9}}) {
        EXPECT_TRUE(empty.IsEmpty());
        EXPECT_FALSE(empty.Contains(5, 6));
    }
    EXPECT_EQ(TRect::FromQRect(QRect(2, 3, 10, 5)), r);
    EXPECT_EQ(TRect::FromQRect(r.ToQRect()), r);
}

TEST(Colors, SystemColoursFollowThePaletteAndPureColoursStay)
{
    EXPECT_EQ(ColorToRGB(clFuchsia), 0xFF00FFu);
    EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
    QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0x030201u);
    QGuiApplication::setPalette(saved);
    EXPECT_EQ(FlatLook(), false);
    EXPECT_EQ(PlatformId(), -1);
}
