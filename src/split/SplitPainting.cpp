#include "split/SplitPainting.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <mutex>

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
