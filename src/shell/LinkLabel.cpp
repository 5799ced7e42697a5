#include "LinkLabel.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace tavo::shell {

TLinkLabel::TLinkLabel(QWidget* Parent) : QLabel(Parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(Event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(Event);
    }
}

void TLinkLabel::focusInEvent(QFocusEvent* Event)
{
    QLabel::focusInEvent(Event);
    update();
}

void TLinkLabel::focusOutEvent(QFocusEvent* Event)
{
    QLabel::focusOutEvent(Event);
    update();
}

void TLinkLabel::paintEvent(QPaintEvent* Event)
{
    QLabel::paintEvent(Event);
    if (!hasFocus())
        return;
    // Keyboard users must see where they are.
    QPainter p(this);
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
}

}  // namespace tavo::shell
