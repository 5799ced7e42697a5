#include "split/SplitPainting.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <mutex>
#include <utility>

#include "tools/Colors.h"

namespace tavo::split {

void LineTo(QPainter& Painter, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, const QColor& Color)
{
    if (Y1 == Y2) {
        if (X2 > X1)
            Painter.fillRect(QRect(X1, Y1, X2 - X1, 1), Color);
        else if (X2 < X1)
            Painter.fillRect(QRect(X2 + 1, Y1, X1 - X2, 1), Color);
    } else if (X1 == X2) {
        if (Y2 > Y1)
            Painter.fillRect(QRect(X1, Y1, 1, Y2 - Y1), Color);
        else
            Painter.fillRect(QRect(X1, Y2 + 1, 1, Y1 - Y2), Color);
    }
}

namespace {

// What a style draws around each pane: the pane's bounds moved by Shift and enlarged by
// Enlarge, then one-pixel frames from the outside in, each top-left / bottom-right.
using TFrameColours = std::vector<std::pair<tools::TColor, tools::TColor>>;
struct TPaneFrames {
    int32_t Shift = 0;
    int32_t Enlarge = 0;
    TFrameColours Frames;
};

TPaneFrames PaneFramesOf(ToxsStyle Style, int32_t BarWidth, bool Hot)
{
    using namespace tools;
    const std::pair<TColor, TColor> sunken{clBtnShadow, clBtnHighlight};
    const std::pair<TColor, TColor> inner{clWindowFrame, clBtnFace};
    switch (Style) {
    case oxsWin31:
    case oxsInset:
        return {0, 1, {sunken}};
    case oxsWin95:
        return {0, 2, {sunken, inner}};
    case oxsGroove:
        return {1, BarWidth / 2, {{clBtnHighlight, clWindowFrame}, {clBtnFace, clBtnShadow}}};
    case oxsWin97:
        return {0, 2,
                Hot ? TFrameColours{sunken, inner} : TFrameColours{{clBtnFace, clBtnFace}, sunken}};
    case oxsRaised:
        return {0, 3, {sunken, inner}};
    default:
        return {};
    }
}

}  // namespace

void PaintPaneFrames(QPainter& Painter, ToxsStyle Style, const std::vector<QRect>& Panes,
                     int32_t BarWidth, bool Hot, const QRect& Client)
{
    const TPaneFrames look = PaneFramesOf(Style, BarWidth, Hot);
    for (const QRect& pane : Panes) {
        TRect b = TRect::FromQRect(pane.translated(look.Shift, look.Shift));
        b = {b.Left - look.Enlarge, b.Top - look.Enlarge, b.Right + look.Enlarge,
             b.Bottom + look.Enlarge};
        for (const auto& [topLeft, bottomRight] : look.Frames)
            Frame3D(Painter, b, tools::ToQColor(topLeft), tools::ToQColor(bottomRight));
    }
    if (Style == oxsWin31 && !Panes.empty()) {
        TRect whole = TRect::FromQRect(Client);
        const QColor frame = tools::ToQColor(tools::clWindowFrame);
        Frame3D(Painter, whole, frame, frame);
    }
}

namespace {

// Every other pixel of R's outline, as the platform draws a focus rectangle.
void DottedFrame(QPainter& Painter, const TRect& R)
{
    if (R.IsEmpty())
        return;
    auto dot = [&Painter](int32_t X, int32_t Y) {
        if (((X + Y) & 1) == 0)
            Painter.fillRect(QRect(X, Y, 1, 1), Qt::black);
    };
    for (int32_t x = R.Left; x < R.Right; ++x) {
        dot(x, R.Top);
        if (R.Bottom - 1 > R.Top)
            dot(x, R.Bottom - 1);
    }
    for (int32_t y = R.Top + 1; y < R.Bottom - 1; ++y) {
        dot(R.Left, y);
        if (R.Right - 1 > R.Left)
            dot(R.Right - 1, y);
    }
}

}  // namespace

void PaintBarFocus(QPainter& Painter, const TLayoutInput& Split)
{
    // Inverted, so that it shows on any colour; the pane beyond a bar begins an inset before
    // the bar's area ends.
    const TBarAreas bars = BarAreas(Split);
    Painter.save();
    Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    if (HasVerticalBar(Split)) {
        TRect r = bars.Vertical;
        r.Right -= Split.Inset;
        DottedFrame(Painter, r);
    }
    if (HasHorizontalBar(Split)) {
        TRect r = bars.Horizontal;
        r.Bottom -= Split.Inset;
        DottedFrame(Painter, r);
    }
    Painter.restore();
}

void DrawCloseButton(QPainter& Painter, const QRect& R)
{
    if (R.width() <= 0 || R.height() <= 0)
        return;
    Painter.save();
    using namespace tools;
    Painter.fillRect(R, ToQColor(clBtnFace));
    TRect b = TRect::FromQRect(R);
    Frame3D(Painter, b, ToQColor(cl3DLight), ToQColor(cl3DDkShadow));
    Frame3D(Painter, b, ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
    // The cross keeps a quarter of the smaller side free around it.
    const int32_t side = std::min(R.width(), R.height());
    const int32_t margin = std::max(2, side / 4);
    const int32_t extent = std::max(1, side - 2 * margin);
    // Two pixels thick, so the cross is one pixel wider than its extent.
    const int32_t left = R.left() + (R.width() - extent - 1) / 2;
    const int32_t top = R.top() + (R.height() - extent) / 2;
    const QColor ink = ToQColor(clBtnText);
    for (int32_t i = 0; i < extent; ++i) {
        Painter.fillRect(QRect(left + i, top + i, 2, 1), ink);
        Painter.fillRect(QRect(left + extent - 1 - i, top + i, 2, 1), ink);
    }
    Painter.restore();
}

namespace {

QPixmap DrawSplitCursor()
{
    const int32_t s = SplitCursorSize;
    const int32_t c = s / 2;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    // Each shape is drawn white one pixel larger first, so the cursor shows on any background.
    auto arrows = [&](const QColor& color, int32_t grow) {
        auto box = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
            p.fillRect(QRect(x - grow, y - grow, w + 2 * grow, h + 2 * grow), color);
        };
        // Two bars of each direction with a gap between them, as the single split cursors.
        box(c - 3, c - 9, 2, 18);
        box(c + 1, c - 9, 2, 18);
        box(c - 9, c - 3, 18, 2);
        box(c - 9, c + 1, 18, 2);
        for (int32_t i = 0; i < 5; ++i) {
            box(c - i, c - 14 + i, 2 * i, 1);  // up
            box(c - i, c + 13 - i, 2 * i, 1);  // down
            box(c - 14 + i, c - i, 1, 2 * i);  // left
            box(c + 13 - i, c - i, 1, 2 * i);  // right
        }
    };
    arrows(Qt::white, 1);
    arrows(Qt::black, 0);
    return pixmap;
}

std::mutex CursorMutex;
std::weak_ptr<const QCursor> SharedCursor;

}  // namespace

std::shared_ptr<const QCursor> AcquireSplitCursor()
{
    std::lock_guard<std::mutex> lock(CursorMutex);
    std::shared_ptr<const QCursor> cursor = SharedCursor.lock();
    if (!cursor) {
        cursor = std::make_shared<const QCursor>(DrawSplitCursor(), SplitCursorSize / 2,
                                                 SplitCursorSize / 2);
        SharedCursor = cursor;
    }
    return cursor;
}

}  // namespace tavo::split
