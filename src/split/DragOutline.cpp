#include "split/DragOutline.h"

#include <QPainter>
#include <algorithm>

namespace tavo::split {

TDragOutline::TDragOutline(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("DragOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TDragOutline::Invert(const QRect& Strip)
{
    if (Strip.isEmpty())
        return;
    // Inverting the same pixels twice is the identity: the pair cancels out.
    auto same = std::find(FStrips.begin(), FStrips.end(), Strip);
    if (same != FStrips.end())
        FStrips.erase(same);
    else
        FStrips.push_back(Strip);
    update(Strip);
    if (FStrips.empty())
        hide();
    else if (isHidden()) {
        setGeometry(parentWidget()->rect());
        raise();
        show();
    }
}

void TDragOutline::Clear()
{
    FStrips.clear();
    hide();
}

void TDragOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QRect& strip : FStrips)
        painter.fillRect(strip, Qt::black);
}

}  // namespace tavo::split
