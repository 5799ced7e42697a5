#include "TransparentPanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QWheelEvent>

namespace tavo::docviewer {

TTransparentPanel::TTransparentPanel(QWidget* Parent) : QWidget(Parent)
{
    // No background is ever erased and nothing is painted: the window stays see-through.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void TTransparentPanel::SetDesignMode(bool Value)
{
    FDesignMode = Value;
    setAutoFillBackground(Value);
    update();
}

void TTransparentPanel::paintEvent(QPaintEvent*)
{
    if (!FDesignMode)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = 1;
    option.state |= QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
}

void TTransparentPanel::mousePressEvent(QMouseEvent* Event)
{
    FPressed = Event->button() == Qt::LeftButton;
    Event->accept();
}

void TTransparentPanel::mouseReleaseEvent(QMouseEvent* Event)
{
    bool click = FPressed && Event->button() == Qt::LeftButton &&
                 rect().contains(Event->position().toPoint());
    FPressed = false;
    Event->accept();
    if (click)
        emit clicked();
}

void TTransparentPanel::mouseDoubleClickEvent(QMouseEvent* Event)
{
    Event->accept();
    emit doubleClicked();
}

void TTransparentPanel::wheelEvent(QWheelEvent* Event)
{
    // Passed to the window beneath, as if the panel were not there.
    QPoint global = Event->globalPosition().toPoint();
    bool wasVisible = isVisible();
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget* top = window();
    QWidget* beneath = top->childAt(top->mapFromGlobal(global));
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (!wasVisible || !beneath || beneath == this || !top->isAncestorOf(beneath)) {
        Event->ignore();
        return;
    }
    QWheelEvent copy(beneath->mapFromGlobal(Event->globalPosition()), Event->globalPosition(),
                     Event->pixelDelta(), Event->angleDelta(), Event->buttons(), Event->modifiers(),
                     Event->phase(), Event->inverted());
    QApplication::sendEvent(beneath, &copy);
    Event->accept();
}

}  // namespace tavo::docviewer
