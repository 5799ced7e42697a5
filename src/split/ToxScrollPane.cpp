#include "split/ToxScrollPane.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/AnsiText.h"
#include "split/DockDrag.h"
#include "split/SplitPainting.h"
#include "split/ToxCustomSplit.h"

namespace tavo::split {

// The end of the caption bar that a scroll bar would otherwise cover: it sits in the
// scroll bar's container beside the bar and paints and clicks as that part of the caption.
class TCaptionFiller : public QWidget {
public:
    explicit TCaptionFiller(ToxScrollPane* Pane) : FPane(Pane)
    {
        setObjectName(QStringLiteral("CaptionFiller"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.translate(-mapTo(FPane, QPoint(0, 0)));
        FPane->PaintCaption(painter);
    }
    bool event(QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(Event);
            const QPoint pos = mapTo(FPane, mouse->position().toPoint());
            FPane->PointerEvent(Event->type(), pos, mouse->globalPosition().toPoint(),
                                mouse->button(), mouse->buttons());
            Event->accept();
            return true;
        }
        default:
            return QWidget::event(Event);
        }
    }

private:
    ToxScrollPane* FPane;
};

namespace {

// While one pane hands its position to the others, their own changes are not handed on.
bool SyncingScroll = false;

}  // namespace

ToxScrollPane::ToxScrollPane(QWidget* Parent)
    : QScrollArea(Parent), FDockDrag(std::make_unique<TDockDrag>(this))
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int Value) { SyncScrollBars(Qt::Horizontal, Value); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int Value) { SyncScrollBars(Qt::Vertical, Value); });
    if (auto* split = qobject_cast<ToxCustomSplit*>(Parent))
        split->InsertPane(this);
    UpdateColor();
    UpdateFrame();
}

ToxScrollPane::~ToxScrollPane()
{
    FDockDrag->Cancel();
    if (FOwnerSplit)
        FOwnerSplit->RemovePane(this);
}

int32_t ToxScrollPane::PaneIndex() const
{
    if (!FOwnerSplit)
        return -1;
    const auto& panes = FOwnerSplit->Panes();
    for (size_t i = 0; i < panes.size(); ++i) {
        if (panes[i] == this)
            return static_cast<int32_t>(i);
    }
    return -1;
}

void ToxScrollPane::SetPaneIndex(int32_t Value)
{
    if (FOwnerSplit && Value != PaneIndex())
        FOwnerSplit->MovePane(this, Value);
}

void ToxScrollPane::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (Value == bsSingle)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        setFrameShape(QFrame::NoFrame);
    UpdateFrame();
}

tools::TColor ToxScrollPane::Color() const
{
    if (FParentColor && !isWindow()) {
        if (FOwnerSplit)
            return FOwnerSplit->Color();
        // Other parents are forms, whose colour is the button face.
        if (parentWidget() != nullptr)
            return tools::clBtnFace;
    }
    return FColor;
}

void ToxScrollPane::SetColor(tools::TColor Value)
{
    FColor = Value;
    FParentColor = false;
    UpdateColor();
}

void ToxScrollPane::SetParentColor(bool Value)
{
    FParentColor = Value;
    UpdateColor();
}

void ToxScrollPane::UpdateColor()
{
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, tools::ToQColor(Color()));
    viewport()->setPalette(pal);
    update();
}

void ToxScrollPane::SetAutoDock(bool Value)
{
    if (Value) {
        FDragMode = dmAutomatic;
        FDragKind = dkDock;
    } else {
        FDragMode = dmManual;
    }
}

void ToxScrollPane::SetCaption(const std::string& Value)
{
    FCaption = Value;
    const QString text = platform::FromAnsi(Value);
    setWindowTitle(text);
    setAccessibleName(text);
    update();
    if (FFiller)
        FFiller->update();
}

void ToxScrollPane::SetCaptionStyle(ToxsCaptionStyle Value)
{
    if (Value == FCaptionStyle)
        return;
    FCaptionStyle = Value;
    UpdateFrame();
}

void ToxScrollPane::SetCaptionOrientation(ToxsCaptionOrientation Value)
{
    if (Value == FCaptionOrientation)
        return;
    FCaptionOrientation = Value;
    UpdateFrame();
}

void ToxScrollPane::SetCloseBox(bool Value)
{
    if (Value == FCloseBox)
        return;
    FCloseBox = Value;
    UpdateFrame();
}

QFont ToxScrollPane::SmallCaptionFont()
{
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
}

int32_t ToxScrollPane::SmallCaptionHeight()
{
    return QFontMetrics(SmallCaptionFont()).height() + 4;
}

int32_t ToxScrollPane::CaptionSize() const
{
    if (Floating() || FCaptionStyle == oxsNone ||
        qobject_cast<ToxCustomSplit*>(parentWidget()) == nullptr)
        return 0;
    return FCaptionStyle == oxsTitlebar ? SmallCaptionHeight() : GrabBarSize;
}

QRect ToxScrollPane::ClientRect() const
{
    return viewport()->geometry();
}

ToxScrollPane::TCaptionLayout ToxScrollPane::CaptionLayout() const
{
    TCaptionLayout layout;
    const int32_t size = CaptionSize();
    if (size <= 0)
        return layout;
    const bool vertical = FCaptionOrientation == ToxsCaptionOrientation::oxsVert;
    // The bar lies inside the pane's border, so a bordered pane keeps its whole bar.
    const int32_t fw = frameWidth();
    const TRect whole{fw, fw, width() - fw, height() - fw};
    TRect& c = layout.Bar;
    c = whole;
    if (vertical)
        c.Right = c.Left + size;
    else
        c.Bottom = c.Top + size;
    const int32_t s = size - 2;
    auto box = [&layout](int32_t X, int32_t Y, int32_t Side) {
        layout.CloseBox = QRect(X, Y, Side, Side - 1);
    };
    if (FCaptionStyle == oxsTitlebar) {
        if (FCloseBox) {
            if (vertical)
                box(c.Left + 2, c.Top + 2, s - 1);
            else
                box(c.Right - s - 1, c.Top + 2, s);
        }
        return layout;
    }
    TRect& g = layout.Grip;
    if (vertical)
        g = {c.Left + 2, c.Top + 2, c.Left + 4, c.Bottom - 3};
    else
        g = {c.Left + 2, c.Top + 2, c.Right - 3, c.Top + 4};
    if (FCloseBox) {
        if (vertical) {
            box(g.Left - 1, g.Top - 1, s);
            g.Top += s;
        } else {
            box(g.Right - s, g.Top - 1, s);
            g.Right -= s;
        }
    }
    return layout;
}

QRect ToxScrollPane::CloseBoxRect() const
{
    return CaptionLayout().CloseBox;
}

void ToxScrollPane::PaintCaption(QPainter& Painter) const
{
    if (CaptionSize() <= 0)
        return;
    const TCaptionLayout layout = CaptionLayout();
    const TRect& c = layout.Bar;
    const bool vertical = FCaptionOrientation == ToxsCaptionOrientation::oxsVert;
    Painter.save();
    if (FCaptionStyle == oxsTitlebar) {
        Painter.fillRect(ToRect(c), tools::ToQColor(tools::clActiveCaption));
        const QFont font = SmallCaptionFont();
        const QFontMetrics metrics(font);
        Painter.setFont(font);
        Painter.setPen(tools::ToQColor(tools::clCaptionText));
        // The text stops short of the close box rather than running under it.
        QRect textArea = ToRect(c);
        if (!layout.CloseBox.isEmpty()) {
            if (vertical)
                textArea.setTop(layout.CloseBox.bottom() + 2);
            else
                textArea.setRight(layout.CloseBox.left() - 2);
        }
        Painter.setClipRect(textArea);
        const QString text = platform::FromAnsi(FCaption);
        if (vertical) {
            // Written upwards from near the bottom, centred across the bar.
            const int32_t x = c.Left + (c.Width() - metrics.height()) / 2;
            Painter.save();
            Painter.translate(x, c.Bottom - 5);
            Painter.rotate(-90);
            Painter.drawText(QPoint(0, metrics.ascent()), text);
            Painter.restore();
        } else {
            Painter.drawText(QPoint(c.Left + 2, c.Top + 1 + metrics.ascent()), text);
        }
        Painter.setClipping(false);
    } else {
        Painter.fillRect(ToRect(c), tools::ToQColor(Color()));
        const QColor highlight = tools::ToQColor(tools::clBtnHighlight);
        const QColor shadow = tools::ToQColor(tools::clBtnShadow);
        TRect g = layout.Grip;
        for (int32_t line = 0; line < 2; ++line) {
            if (vertical) {
                LineTo(Painter, g.Left + 2, g.Top, g.Left, g.Top, highlight);
                LineTo(Painter, g.Left, g.Top, g.Left, g.Bottom + 1, highlight);
                LineTo(Painter, g.Right, g.Top, g.Right, g.Bottom, shadow);
                LineTo(Painter, g.Right, g.Bottom, g.Left, g.Bottom, shadow);
                g = {g.Left + 3, g.Top, g.Right + 3, g.Bottom};
            } else {
                LineTo(Painter, g.Left, g.Top + 2, g.Left, g.Top, highlight);
                LineTo(Painter, g.Left, g.Top, g.Right + 1, g.Top, highlight);
                LineTo(Painter, g.Left, g.Bottom, g.Right, g.Bottom, shadow);
                LineTo(Painter, g.Right, g.Bottom, g.Right, g.Top, shadow);
                g = {g.Left, g.Top + 3, g.Right, g.Bottom + 3};
            }
        }
    }
    // Drawn last so that no grip line crosses its edge.
    if (!layout.CloseBox.isEmpty())
        DrawCloseButton(Painter, layout.CloseBox);
    Painter.restore();
}

void ToxScrollPane::UpdateFrame()
{
    const int32_t size = CaptionSize();
    const bool vertical = FCaptionOrientation == ToxsCaptionOrientation::oxsVert;
    if (size != FAppliedCaptionSize ||
        vertical != (FAppliedOrientation == ToxsCaptionOrientation::oxsVert)) {
        FAppliedCaptionSize = size;
        FAppliedOrientation = FCaptionOrientation;
        setViewportMargins(vertical ? size : 0, vertical ? 0 : size, 0, 0);
        delete FFiller.data();
        if (size > 0) {
            // The caption runs on past the client area, beside the scroll bar that would
            // otherwise start level with it.
            auto* filler = new TCaptionFiller(this);
            if (vertical) {
                filler->setFixedWidth(size);
                addScrollBarWidget(filler, Qt::AlignLeft);
            } else {
                filler->setFixedHeight(size);
                addScrollBarWidget(filler, Qt::AlignTop);
            }
            FFiller = filler;
        }
    }
    update();
    if (FFiller)
        FFiller->update();
}

bool ToxScrollPane::PointerEvent(QEvent::Type Type, const QPoint& Pos, const QPoint& Global,
                                 Qt::MouseButton Button, Qt::MouseButtons Buttons)
{
    switch (Type) {
    case QEvent::MouseButtonPress:
        if (Button != Qt::LeftButton)
            return false;
        if (CloseBoxRect().contains(Pos)) {
            hide();
            return true;
        }
        if (AutoDock())
            FDockDrag->Press(Global);
        return true;
    case QEvent::MouseMove:
        if (Buttons & Qt::LeftButton)
            FDockDrag->Move(Global);
        return true;
    case QEvent::MouseButtonRelease:
        if (Button == Qt::LeftButton)
            FDockDrag->Release(Global);
        return true;
    default:
        return false;
    }
}

bool ToxScrollPane::DockDragging() const
{
    return FDockDrag->Active();
}

bool ToxScrollPane::ManualDock(ToxCustomSplit* Split, ToxScrollPane* Target)
{
    return Split != nullptr && Split->DockPane(this, Target);
}

void ToxScrollPane::ManualFloat(const QRect& ScreenRect)
{
    if (!isWindow()) {
        QWidget* host = window();
        setParent(host, Qt::Tool);
    }
    setGeometry(ScreenRect);
    show();
}

void ToxScrollPane::SyncScrollBars(Qt::Orientation Orientation, int Value)
{
    if (SyncingScroll || !FOwnerSplit || !FOwnerSplit->SyncScroll())
        return;
    SyncingScroll = true;
    for (ToxScrollPane* pane : FOwnerSplit->Panes()) {
        if (pane == this)
            continue;
        if (Orientation == Qt::Horizontal)
            pane->horizontalScrollBar()->setValue(Value);
        else
            pane->verticalScrollBar()->setValue(Value);
    }
    SyncingScroll = false;
}

void ToxScrollPane::mousePressEvent(QMouseEvent* Event)
{
    // A press that a control in the pane let pass is that control's: only the pane's own
    // free client area starts a drag.
    const QPoint pos = Event->position().toPoint();
    Event->accept();
    if (viewport()->childAt(pos) != nullptr)
        return;
    PointerEvent(Event->type(), viewport()->mapTo(this, pos), Event->globalPosition().toPoint(),
                 Event->button(), Event->buttons());
}

void ToxScrollPane::mouseMoveEvent(QMouseEvent* Event)
{
    PointerEvent(Event->type(), viewport()->mapTo(this, Event->position().toPoint()),
                 Event->globalPosition().toPoint(), Event->button(), Event->buttons());
    Event->accept();
}

void ToxScrollPane::mouseReleaseEvent(QMouseEvent* Event)
{
    PointerEvent(Event->type(), viewport()->mapTo(this, Event->position().toPoint()),
                 Event->globalPosition().toPoint(), Event->button(), Event->buttons());
    Event->accept();
}

bool ToxScrollPane::event(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::Paint: {
        const bool done = QScrollArea::event(Event);
        if (CaptionSize() > 0) {
            QPainter painter(this);
            PaintCaption(painter);
        }
        return done;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        // The caption bar and the border: the split below must not see these.
        auto* mouse = static_cast<QMouseEvent*>(Event);
        PointerEvent(Event->type(), mouse->position().toPoint(), mouse->globalPosition().toPoint(),
                     mouse->button(), mouse->buttons());
        Event->accept();
        return true;
    }
    case QEvent::ParentAboutToChange:
        FDockDrag->Cancel();
        if (FOwnerSplit)
            FOwnerSplit->RemovePane(this);
        break;
    case QEvent::ParentChange:
        if (auto* split = qobject_cast<ToxCustomSplit*>(parentWidget()); split && !isWindow())
            split->InsertPane(this);
        UpdateColor();
        UpdateFrame();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (FOwnerSplit)
            FOwnerSplit->PaneVisibilityChanged();
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        FAppliedCaptionSize = -1;
        UpdateFrame();
        break;
    default:
        break;
    }
    return QScrollArea::event(Event);
}

}  // namespace tavo::split
