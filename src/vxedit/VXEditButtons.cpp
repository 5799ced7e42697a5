// The validating field's button area and painting: geometry, spin buttons with their
// auto-repeat, the push button, and the field's look while it has no focus.
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <cmath>

#include "platform/AnsiText.h"
#include "tools/DrawingHelpers.h"
#include "tools/MessageBoxes.h"
#include "vxedit/VXEdit.h"

namespace tavo::vxedit {

// ---- Geometry ---------------------------------------------------------------------------------

QRect TCustomVXEdit::ClientRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
}

TRect TCustomVXEdit::ButtonRect() const
{
    if (GetButtonKind() == bkNone || isReadOnly())
        return {};
    const QRect client = ClientRect();
    return {client.width() - ButtonAreaWidth, 0, client.width(), client.height()};
}

void TCustomVXEdit::UpdateEditRect()
{
    const TRect buttons = ButtonRect();
    // The text stops 2 pixels before the buttons; the line edit keeps 2 of its own.
    setTextMargins(0, 0, buttons.IsEmpty() ? 0 : ButtonAreaWidth, 0);
    if (buttons.IsEmpty()) {
        FButtonArea->hide();
    } else {
        FButtonArea->setGeometry(buttons.ToQRect().translated(ClientRect().topLeft()));
        FButtonArea->show();
    }
    if (GetButtonKind() != bkSpin)
        FreeRepeatTimer();
}

void TCustomVXEdit::resizeEvent(QResizeEvent* Event)
{
    QLineEdit::resizeEvent(Event);
    UpdateEditRect();
}

bool TCustomVXEdit::InButtonArea(const QPointF& At) const
{
    const QPoint client = At.toPoint() - ClientRect().topLeft();
    return ButtonRect().Contains(client.x(), client.y());
}

// ---- Mouse ------------------------------------------------------------------------------------

void TCustomVXEdit::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton || !InButtonArea(Event->position())) {
        QLineEdit::mousePressEvent(Event);
        return;
    }
    FHeld = true;
    FHeldAt = Event->position().toPoint();
    try {
        ButtonPress(FHeldAt);
    } catch (...) {
        // A failing step must not be repeated every 100 ms.
        FreeRepeatTimer();
        tools::HandleCurrentException();
    }
    Event->accept();
}

void TCustomVXEdit::mouseDoubleClickEvent(QMouseEvent* Event)
{
    // Quick clicks on a button are presses, each of them.
    if (Event->button() == Qt::LeftButton && InButtonArea(Event->position()))
        mousePressEvent(Event);
    else
        QLineEdit::mouseDoubleClickEvent(Event);
}

void TCustomVXEdit::mouseMoveEvent(QMouseEvent* Event)
{
    if (FHeld) {
        // The repeat presses where the pointer is now; no text gets selected meanwhile.
        FHeldAt = Event->position().toPoint();
        Event->accept();
        return;
    }
    setCursor(InButtonArea(Event->position()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    QLineEdit::mouseMoveEvent(Event);
}

void TCustomVXEdit::mouseReleaseEvent(QMouseEvent* Event)
{
    const bool held = FHeld;
    if (Event->button() == Qt::LeftButton)
        FHeld = false;
    if (!isReadOnly()) {
        if (Event->button() == Qt::LeftButton)
            FButtonState = 0;
        FreeRepeatTimer();
        update();
    }
    if (held && Event->button() == Qt::LeftButton)
        Event->accept();
    else
        QLineEdit::mouseReleaseEvent(Event);
}

void TCustomVXEdit::ButtonPress(const QPoint& At)
{
    if (GetButtonKind() == bkSpin) {
        if (!FRepeatTimer) {
            FRepeatTimer = new QTimer(this);
            FRepeatTimer->setInterval(FirstRepeatMs);
            connect(FRepeatTimer, &QTimer::timeout, this, [this] { RepeatTick(); });
            FRepeatTimer->start();
        }
        // The field's outer height decides, in client coordinates: the line between the
        // buttons as drawn lies lower than this one.
        const int32_t y = At.y() - ClientRect().top();
        if (y < height() / 2.0 - 2) {
            FButtonState = 1;
            update();
            SpinUp();
        } else {
            FButtonState = 2;
            update();
            SpinDown();
        }
        return;
    }
    FButtonState = 1;
    update();
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    ButtonClick(corner.x(), corner.y(), width(), height());
}

void TCustomVXEdit::RepeatTick()
{
    if (!FRepeatTimer)
        return;
    FRepeatTimer->setInterval(RepeatMs);
    if (FButtonState == 0 || !FHeld)
        return;
    try {
        ButtonPress(FHeldAt);
    } catch (...) {
        FreeRepeatTimer();
        tools::HandleCurrentException();
    }
}

void TCustomVXEdit::FreeRepeatTimer()
{
    if (!FRepeatTimer)
        return;
    FRepeatTimer->stop();
    // It may be its own timeout that gets here.
    FRepeatTimer->deleteLater();
    FRepeatTimer = nullptr;
}

// ---- Painting ---------------------------------------------------------------------------------

void TCustomVXEdit::paintEvent(QPaintEvent* Event)
{
    if (hasFocus()) {
        QLineEdit::paintEvent(Event);
        QPainter canvas(this);
        PaintButtons(canvas);
        return;
    }
    QPainter canvas(this);
    PaintUnfocused(canvas);
    PaintButtons(canvas);
}

void TCustomVXEdit::PaintUnfocused(QPainter& Canvas)
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &Canvas, this);
    const QRect client = ClientRect();
    Canvas.fillRect(client, tools::ToQColor(FColor));
    const TRect buttons = ButtonRect();
    TRect R = TRect::FromQRect(client);
    R.Left += 1;
    if (!buttons.IsEmpty())
        R.Right -= 15;
    const tools::TOwnerDrawState state = isEnabled() ? 0 : tools::odDisabled;
    Canvas.save();
    Canvas.setClipRect(client);
    Canvas.setFont(font());
    Canvas.setPen(palette().color(QPalette::Text));
    TCustomLookUp* lookup = GetLookUp();
    const int32_t row = lookup && FValid && lookup->DrawStyle() == lookup::ldsLookUpDraw
                            ? lookup->IndexOfCaption(platform::ToAnsi(text()))
                            : -1;
    if (row >= 0) {
        lookup->DrawItem(this, Canvas, FDisplayStyle, row, 0, R, FAlignment, state);
    } else {
        // A text that is no row is shown as it is, not left blank.
        switch (FDisplayStyle) {
        case lookup::dsCaption:
            tools::DrawCaptionGlyph(Canvas, 0, R, state, FAlignment, GetDisplayText(), nullptr);
            break;
        case lookup::dsGlyph:
            tools::DrawCaptionGlyph(Canvas, 0, R, state, FAlignment, {}, GetGlyph());
            break;
        case lookup::dsCaptionGlyph: {
            const QImage* glyph = GetGlyph();
            tools::DrawCaptionGlyph(Canvas, 0, R, state, FAlignment, GetDisplayText(), glyph);
            break;
        }
        default:
            break;
        }
    }
    Canvas.restore();
}

void TCustomVXEdit::PaintButtons(QPainter& Canvas)
{
    TRect area = ButtonRect();
    if (area.IsEmpty())
        return;
    const QPoint origin = ClientRect().topLeft();
    area = TRect::FromQRect(area.ToQRect().translated(origin));
    const bool enabled = isEnabled();
    const uint8_t kind = GetButtonKind();
    if (kind != bkSpin) {
        tools::DrawButtonFace(Canvas, area, kind, FButtonState != 0, enabled);
        return;
    }
    tools::Frame3D(Canvas, area, tools::clBtnFace, tools::cl3DDkShadow);
    area.Top -= 1;
    const int32_t mid = area.Top + static_cast<int32_t>(std::nearbyint(area.Height() / 2.0));
    tools::DrawSpinArrow(Canvas, {area.Left, area.Top, area.Right, mid}, tools::bkArrowUp,
                         FButtonState == 1, enabled);
    tools::DrawSpinArrow(Canvas, {area.Left, mid, area.Right, area.Bottom}, tools::bkArrowDown,
                         FButtonState == 2, enabled);
}

}  // namespace tavo::vxedit
