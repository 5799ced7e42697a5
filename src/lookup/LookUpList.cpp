// The lookup list: layout, cells, keys and mouse, and choosing a row.
#include "lookup/LookUpList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "lookup/LookUpListAccessible.h"
#include "lookup/LookUpPopupWatch.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/NumberToText.h"
#include "tools/TextRoutines.h"
#include "vxcontrols/VXControls.h"

namespace tavo::lookup {

namespace {

constexpr int32_t EditGlyph = 96;

int32_t CeilDiv(int32_t A, int32_t B)
{
    return A / B + (A % B != 0 ? 1 : 0);
}

// The first "|" goes; the parts before and after it are joined.
std::string WithoutFirstBar(std::string Text)
{
    if (size_t bar = Text.find('|'); bar != std::string::npos)
        Text.erase(bar, 1);
    return Text;
}

void Fill(QPainter& Canvas, const TRect& R, const QColor& Color)
{
    if (!R.IsEmpty())
        Canvas.fillRect(R.ToQRect(), Color);
}

}  // namespace

// ---- Construction and properties --------------------------------------------------------

TCustomLookUpList::TCustomLookUpList(QWidget* Parent) : QWidget(Parent)
{
    Init();
    setFocusPolicy(Qt::StrongFocus);
}

TCustomLookUpList::TCustomLookUpList(QWidget* Owner, TPopupMode)
    : QWidget(Owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus),
      FEmbedded(false), FOwnerControl(Owner)
{
    Init();
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    PopupListCreated();
}

void TCustomLookUpList::Init()
{
    InstallLookUpListAccessibility();
    setFont(QApplication::font("QMenu"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

TCustomLookUpList::~TCustomLookUpList()
{
    if (!FEmbedded)
        PopupListDestroyed(this);
}

void TCustomLookUpList::SetSlimRows(bool Value)
{
    if (Value != FSlimRows) {
        FSlimRows = Value;
        RecreateWnd();
    }
}

void TCustomLookUpList::SetColumns(uint16_t Value)
{
    if (Value != FColumns) {
        FColumns = Value;
        RecreateWnd();
    }
}

void TCustomLookUpList::SetDisplayStyle(TDisplayStyle Value)
{
    if (Value != FDisplayStyle) {
        FDisplayStyle = Value;
        RecreateWnd();
    }
}

void TCustomLookUpList::SetAutoSize(bool Value)
{
    if (Value != FAutoSize) {
        FAutoSize = Value;
        setSizePolicy(Value ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                      Value ? QSizePolicy::Fixed : QSizePolicy::Preferred);
        RecreateWnd();
    }
}

void TCustomLookUpList::SetStyle(TLookUpListStyle Value)
{
    if (Value != FStyle) {
        FStyle = Value;
        RecreateWnd();
    }
}

void TCustomLookUpList::SetBorderStyle(TLookUpListBorderStyle Value)
{
    if (Value != FBorderStyle) {
        FBorderStyle = Value;
        RecreateWnd();
    }
}

bool TCustomLookUpList::IsFlat() const
{
    return FStyle == lsFlat || (FStyle == lsDefault && tools::FlatLook());
}

int32_t TCustomLookUpList::CellCount() const
{
    return GetItemCount() + (GetAddEditItem() ? 1 : 0);
}

QWidget* TCustomLookUpList::OwnerControl() const
{
    return FEmbedded ? parentWidget() : FOwnerControl.data();
}

QSize TCustomLookUpList::sizeHint() const
{
    return FAutoSize && FAutoSizeHint.isValid() ? FAutoSizeHint : QWidget::sizeHint();
}

// ---- Rows: the base answers for the "Edit" cell -------------------------------------------

void TCustomLookUpList::SetAddEditItem(bool) {}

bool TCustomLookUpList::GetAddEditItem() const
{
    return false;
}

int32_t TCustomLookUpList::GetItemCount() const
{
    return 0;
}

std::string TCustomLookUpList::GetItemCaption(int32_t) const
{
    return GetAddEditItem() ? platform::LoadStr(SEdit) : std::string();
}

std::string TCustomLookUpList::GetItemHint(int32_t) const
{
    return GetAddEditItem() ? platform::LoadStr(SEditHint) : std::string();
}

std::string TCustomLookUpList::GetItemIdStr(int32_t) const
{
    return {};
}

int32_t TCustomLookUpList::GetItemId(int32_t) const
{
    return NullInt;
}

const QImage* TCustomLookUpList::GetItemGlyph(int32_t) const
{
    return tools::ImageListBitmap(StockGlyphs(), EditGlyph);
}

bool TCustomLookUpList::IsItemEnabled(int32_t) const
{
    return isEnabled();
}

void TCustomLookUpList::EditItems() {}

TLookUpMeasureItemEvent TCustomLookUpList::MeasureHandler() const
{
    return OnMeasureItem;
}

TLookUpDrawItemEvent TCustomLookUpList::DrawHandler() const
{
    return OnDrawItem;
}

// ---- Layout ---------------------------------------------------------------------------

QRect TCustomLookUpList::ClientRect() const
{
    QMargins margins;
    if (FBorderStyle != bsNone) {
        if (FEmbedded)
            margins = {1, 1, 1, 1};
        else if (IsFlat())
            margins = {1, 1, 3, 3};
        else
            margins = {2, 2, 2, 2};
    }
    return rect().marginsRemoved(margins);
}

QRect TCustomLookUpList::AnchorScreenRect() const
{
    if (FOwnerControl && !FEmbedded)
        return QRect(FOwnerControl->mapToGlobal(QPoint(0, 0)), FOwnerControl->size());
    return FAnchorRect.ToQRect();
}

int32_t TCustomLookUpList::NeededWidth() const
{
    const bool overlap = IsFlat() && !ShowsCaption();
    const int32_t cells = FColCount * (overlap ? FItemWidth - 1 : FItemWidth);
    if (FEmbedded)
        return cells + (overlap ? 4 : 3);
    return cells + 5;
}

int32_t TCustomLookUpList::NeededHeight() const
{
    return FRowCount * FItemHeight + (FEmbedded ? 4 : 6);
}

void TCustomLookUpList::UpdateLayout()
{
    FItemWidth = FItemHeight = FGlyphWidth = FRowCount = 0;
    const int32_t n = CellCount();
    if (n <= 0)
        return;
    const int32_t s = FSlimRows ? 0 : 1;
    const bool flat = IsFlat();

    if (ShowsGlyph()) {
        for (int32_t i = 0; i < n; ++i) {
            const QImage* glyph = GetItemGlyph(i);
            if (!glyph || glyph->isNull())
                continue;
            FGlyphWidth = std::max(FGlyphWidth, glyph->width());
            if (glyph->height() + 3 > FItemHeight)
                FItemHeight = glyph->height() + 3 * s;
        }
        if (FGlyphWidth == 0) {
            FGlyphWidth = 19;
            FItemHeight = 16 + 3 * s;
        } else {
            FGlyphWidth += 3;
        }
        FItemWidth = FGlyphWidth;
    }
    if (ShowsCaption()) {
        const QFontMetrics metrics(font());
        for (int32_t i = 0; i < n; ++i) {
            const int32_t text = metrics.horizontalAdvance(platform::FromAnsi(GetItemCaption(i)));
            FItemWidth = std::max(FItemWidth, text + FGlyphWidth + 6);
            FItemHeight = std::max(FItemHeight, metrics.height() + 4 * s);
        }
    }
    if (const TLookUpMeasureItemEvent measure = MeasureHandler()) {
        int32_t w = FItemWidth;
        int32_t h = FItemHeight;
        int32_t g = FGlyphWidth;
        FItemWidth = FItemHeight = FGlyphWidth = 0;
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter canvas(&scratch);
        canvas.setFont(font());
        for (int32_t i = 0; i < n; ++i) {
            measure(this, canvas, FDisplayStyle, i, w, h, g);
            FItemWidth = std::max(FItemWidth, w);
            FItemHeight = std::max(FItemHeight, h);
            FGlyphWidth = std::max(FGlyphWidth, g);
            w = FItemWidth;
            h = FItemHeight;
            g = FGlyphWidth;
        }
    }
    if (flat) {
        if (ShowsGlyph())
            FGlyphWidth += 3;
        FItemHeight += 4;
        if (ShowsCaption()) {
            FItemWidth += 3;
        } else {
            FGlyphWidth += 4;
            FItemWidth += 4;
        }
    }
    if (FBorderStyle == bsEveryItem) {
        FItemHeight += 3;
        FItemWidth += 3;
    }

    // Columns. A style that measures nothing and no handler leave the rows 0 high; the
    // room is then counted in pixels rather than divided by nothing.
    const int32_t rowHeight = std::max(FItemHeight, 1);
    if (FColumns != 0) {
        FColCount = FColumns;
    } else if (FEmbedded) {
        FColCount = 1;
    } else {
        const QRect anchor = AnchorScreenRect();
        if (anchor.width() <= 0) {
            FColCount = 1;
        } else {
            const QRect area = WorkArea(anchor.center());
            const int32_t screenHeight = area.height();
            const int32_t less = flat ? 2 : 0;
            const int32_t below = area.top() + screenHeight - (anchor.bottom() + 1) - 4 - less;
            const int32_t above = anchor.top() - area.top() - 4 - less;
            auto fit = [&](int32_t Room) {
                FRowCount = std::max(1, Room / rowHeight);
                FColCount = CeilDiv(n, FRowCount);
            };
            fit(below);
            if (NeededWidth() > NeededHeight() && below < above)
                fit(above);
            if (NeededWidth() > area.width())
                fit(screenHeight - (flat ? 6 : 4));
        }
    }
    FRowCount = CeilDiv(n, FColCount);

    // Size.
    const int32_t m = FBorderStyle == bsEveryItem ? -3 : 0;
    const int32_t glyphCells = flat && !ShowsCaption() ? 1 : 0;
    if (FAutoSize) {
        if (!FEmbedded) {
            const QRect anchor = AnchorScreenRect();
            if (anchor.width() > NeededWidth())
                FItemWidth = (anchor.width() - 5) / FColCount + glyphCells;
        }
        FAutoSizeHint = QSize(NeededWidth() + m, FRowCount * FItemHeight + (FEmbedded ? 4 : 6) + m);
        FLayingOut = true;
        resize(FAutoSizeHint);
        FLayingOut = false;
        updateGeometry();
    } else {
        const int32_t room = !FEmbedded && flat ? width() - 5 : width() - 3;
        FItemWidth = room / FColCount + glyphCells + (FBorderStyle == bsEveryItem ? 3 : 0);
    }
}

void TCustomLookUpList::RecreateWnd()
{
    WindowCreating();
    UpdateLayout();
    if (FHotIndex >= CellCount())
        FHotIndex = -1;
    if (!FEmbedded && isVisible())
        PlacePopup();
    LookUpListLayoutChanged(this);
    update();
}

void TCustomLookUpList::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    // Without AutoSize the cells fill the width the control is given.
    if (!FAutoSize && !FLayingOut)
        UpdateLayout();
}

void TCustomLookUpList::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        RecreateWnd();
    else if (Event->type() == QEvent::EnabledChange)
        update();
}

TRect TCustomLookUpList::ItemRect(int32_t Index) const
{
    if (FRowCount <= 0)
        return {};
    const int32_t c = Index / FRowCount;
    const int32_t r = Index - c * FRowCount;
    const int32_t left =
        IsFlat() && !ShowsCaption() ? c * (FItemWidth - 1) + 1 : c * FItemWidth + 1;
    const int32_t top = r * FItemHeight + 1;
    return {left, top, left + FItemWidth, top + FItemHeight};
}

int32_t TCustomLookUpList::ItemAtPos(int32_t X, int32_t Y)
{
    if (FItemWidth == 0 || FItemHeight == 0)
        return -1;
    const int32_t column = std::min(X / FItemWidth, FColCount - 1);
    const int32_t row = std::min(Y / FItemHeight, FRowCount - 1);
    const int32_t index = std::min(row + column * FRowCount, CellCount() - 1);
    SetHotIndex(index);
    return index;
}

void TCustomLookUpList::SetHotIndex(int32_t Index)
{
    if (Index == FHotIndex)
        return;
    const int32_t old = FHotIndex;
    FHotIndex = Index;
    UpdateCell(old);
    UpdateCell(Index);
    LookUpListHotChanged(this);
}

void TCustomLookUpList::UpdateCell(int32_t Index)
{
    if (Index < 0 || Index >= CellCount())
        return;
    const QRect client = ClientRect();
    update(ItemRect(Index).ToQRect().translated(client.topLeft()).intersected(client));
}

// ---- Painting -------------------------------------------------------------------------

void TCustomLookUpList::PaintBorder(QPainter& Canvas)
{
    if (FBorderStyle == bsNone)
        return;
    TRect R = TRect::FromQRect(rect());
    if (IsFlat()) {
        if (!FEmbedded) {
            const QColor grey(0x80, 0x80, 0x80);
            Canvas.fillRect(QRect(R.Right - 2, R.Top + 2, 2, R.Height() - 2), grey);
            Canvas.fillRect(QRect(R.Left + 2, R.Bottom - 2, R.Width() - 2, 2), grey);
            R.Right -= 2;
            R.Bottom -= 2;
        }
        tools::Frame3D(Canvas, R, tools::clBtnText, tools::clBtnText);
        return;
    }
    if (!FEmbedded) {
        // The outer edge is raised at the right and bottom only.
        tools::Frame3D(Canvas, R, tools::clBtnFace, tools::cl3DDkShadow);
    }
    tools::Frame3D(Canvas, R, tools::clBtnHighlight, tools::clBtnShadow);
}

void TCustomLookUpList::paintEvent(QPaintEvent* Event)
{
    QPainter canvas(this);
    // The corners a flat popup's shadow leaves out.
    canvas.fillRect(rect(), tools::ToQColor(tools::clWindow));
    PaintBorder(canvas);
    const QRect client = ClientRect();
    canvas.setClipRect(client);
    canvas.translate(client.topLeft());
    const QColor window = tools::ToQColor(vxcontrols::ItemBackColor(false, IsFlat()));
    canvas.fillRect(QRect(QPoint(0, 0), client.size()), window);
    canvas.setFont(font());
    canvas.setBrush(window);
    canvas.setPen(tools::ToQColor(tools::clBtnText));

    const TRect clip = TRect::FromQRect(Event->rect().translated(-client.topLeft()));
    const int32_t n = CellCount();
    const bool everyItem = FBorderStyle == bsEveryItem;
    const QColor lines = tools::ToQColor(tools::clBtnText);
    for (int32_t c = 0; c < FColCount; ++c) {
        for (int32_t r = 0; r < FRowCount; ++r) {
            const int32_t index = c * FRowCount + r;
            if (index >= n)
                break;
            TRect cell = ItemRect(index);
            if (everyItem) {
                cell.Right -= 3;
                cell.Bottom -= 3;
            }
            tools::TOwnerDrawState state = 0;
            if (index == FHotIndex)
                state |= tools::odSelected;
            if (!IsItemEnabled(index))
                state |= tools::odDisabled;
            if (tools::RectsOverlap(cell, clip)) {
                canvas.save();
                DrawCell(canvas, index, cell, GetItemCaption(index), GetItemGlyph(index), state);
                canvas.restore();
            }
            if (everyItem) {
                canvas.fillRect(
                    QRect(cell.Left - 2, cell.Bottom + 1, cell.Right - cell.Left + 3, 1), lines);
                canvas.fillRect(QRect(cell.Right, cell.Top - 1, 1, cell.Bottom - cell.Top + 2),
                                lines);
            }
        }
    }
}

void TCustomLookUpList::DrawCell(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                 const std::string& Text, const QImage* Glyph,
                                 TOwnerDrawState State)
{
    const TLookUpDrawItemEvent draw = DrawHandler();
    if (!ShowsGlyph() || (Glyph && Glyph->isNull()))
        Glyph = nullptr;
    const bool flat = IsFlat();
    const bool selected = (State & tools::odSelected) != 0;
    const bool enabled = (State & tools::odDisabled) == 0;
    const QString text = platform::FromAnsi(WithoutFirstBar(Text));
    const QFontMetrics metrics(Canvas.font());
    const int32_t textHeight = text.isEmpty() ? FItemHeight : metrics.height();
    // Halves go to the even neighbour.
    int32_t dy = static_cast<int32_t>(std::nearbyint((FItemHeight - textHeight) / 2.0));
    if (FBorderStyle == bsEveryItem)
        dy -= 2;

    QColor brush = tools::ToQColor(vxcontrols::ItemBackColor(false, flat));
    QColor textColor = tools::ToQColor(tools::clBtnText);
    if (Glyph) {
        TRect glyphRect{Rect.Left, Rect.Top, Rect.Left + FGlyphWidth - 1, Rect.Top + FItemHeight};
        if (selected && enabled)
            tools::Frame3D(Canvas, glyphRect, tools::clBtnHighlight, tools::clBtnShadow);
        else
            tools::Frame3D(Canvas, glyphRect, vxcontrols::ItemBackColor(false, flat),
                           vxcontrols::ItemBackColor(false, flat));
        tools::DrawGlyph(Canvas, glyphRect, Glyph, enabled);
    }
    if (enabled) {
        textColor = tools::ToQColor(vxcontrols::ItemTextColor(selected, flat));
        brush = tools::ToQColor(vxcontrols::ItemBackColor(selected, flat));
    }
    TRect T{Rect.Left, Rect.Top, Rect.Left + FItemWidth - 1, Rect.Top + FItemHeight};
    if (Glyph)
        T.Left += FGlyphWidth;

    if (draw) {
        Canvas.setPen(QPen(textColor, 0));
        Canvas.setBrush(brush);
        Fill(Canvas, T, brush);
        draw(this, Canvas, FDisplayStyle, Index, 2, T, tools::taLeftJustify, State);
    } else if (ShowsCaption()) {
        const int32_t x = T.Left + 1 + (Glyph ? 0 : FGlyphWidth);
        const int32_t y = T.Top + dy + metrics.ascent();
        Canvas.save();
        if (enabled)
            Fill(Canvas, T, brush);
        Canvas.setClipRect(T.ToQRect(), Qt::IntersectClip);
        if (!enabled) {
            Canvas.setPen(tools::ToQColor(tools::clBtnHighlight));
            Canvas.drawText(QPoint(x + 1, y + 1), text);
            textColor = tools::ToQColor(tools::clGrayText);
        }
        Canvas.setPen(textColor);
        Canvas.drawText(QPoint(x, y), text);
        Canvas.restore();
    } else if (enabled) {
        Fill(Canvas, T, brush);
    }
}

// ---- Mouse and keys -------------------------------------------------------------------

void TCustomLookUpList::ShowCellHint(const QPoint& Global)
{
    QToolTip::hideText();
    const std::string hint = FHotIndex >= 0 ? GetItemHint(FHotIndex) : std::string();
    setToolTip(platform::FromAnsi(hint));
    if (FShowHint && !hint.empty())
        QToolTip::showText(Global, platform::FromAnsi(tools::HintCaption(hint)), this);
}

void TCustomLookUpList::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint() - ClientRect().topLeft();
    const int32_t old = FHotIndex;
    ItemAtPos(at.x(), at.y());
    if (FHotIndex != old)
        ShowCellHint(Event->globalPosition().toPoint());
    QWidget::mouseMoveEvent(Event);
}

void TCustomLookUpList::leaveEvent(QEvent* Event)
{
    SetHotIndex(-1);
    QWidget::leaveEvent(Event);
}

void TCustomLookUpList::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton) {
        const QPoint at = Event->position().toPoint() - ClientRect().topLeft();
        ItemAtPos(at.x(), at.y());
        if (FHotIndex >= 0 && IsItemEnabled(FHotIndex)) {
            ChooseItem(FHotIndex);
            return;
        }
    }
    QWidget::mouseReleaseEvent(Event);
}

void TCustomLookUpList::keyPressEvent(QKeyEvent* Event)
{
    if (HandleKey(Event->key(), Event->modifiers()))
        Event->accept();
    else
        QWidget::keyPressEvent(Event);
}

void TCustomLookUpList::focusInEvent(QFocusEvent* Event)
{
    // A list reached by the keyboard shows where the keys start.
    if (FHotIndex < 0 && CellCount() > 0)
        SetHotIndex(0);
    QWidget::focusInEvent(Event);
}

bool TCustomLookUpList::HandleKey(int Key, Qt::KeyboardModifiers)
{
    const int32_t n = CellCount();
    int32_t hot = FHotIndex;
    switch (Key) {
    case Qt::Key_Up:
        --hot;
        break;
    case Qt::Key_Down:
        ++hot;
        break;
    case Qt::Key_Left:
        hot -= FRowCount;
        break;
    case Qt::Key_Right:
        hot += FRowCount;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // An embedded list lets Tab move the focus on, as every control does.
        if (FEmbedded)
            return false;
        if (Key == Qt::Key_Tab)
            hot = hot + 1 > n - 1 ? 0 : hot + 1;
        else
            hot = hot - 1 < 0 ? n - 1 : hot - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FHotIndex >= 0 && FHotIndex < n && IsItemEnabled(FHotIndex))
            ChooseItem(FHotIndex);
        return true;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        // A modifier alone is half of a key yet to come.
        return false;
    default:
        if ((Key >= Qt::Key_0 && Key <= Qt::Key_9) || (Key >= Qt::Key_A && Key <= Qt::Key_Z) ||
            (Key >= Qt::Key_F1 && Key <= Qt::Key_F12))
            return false;
        if (FEmbedded)
            return false;
        ClosePopup();
        return true;
    }
    if (n > 0) {
        hot = std::clamp(hot, 0, n - 1);
        if (hot != FHotIndex) {
            SetHotIndex(hot);
            QToolTip::hideText();
        }
    }
    return true;
}

// ---- Choosing -------------------------------------------------------------------------

std::string TCustomLookUpList::ReturnText(int32_t Index) const
{
    switch (FLookUpReturnStr) {
    case rsHint:
        return tools::HintText(GetItemHint(Index));
    case rsId:
        return tools::IntToTextOrBlank(GetItemId(Index), 0);
    case rsIdStr:
        return GetItemIdStr(Index);
    case rsCaption:
    default:
        return tools::HintCaption(GetItemCaption(Index));
    }
}

void TCustomLookUpList::ChooseItem(int32_t Index)
{
    const QPointer<TCustomLookUpList> self(this);
    const TPopupSuspension suspension(this);
    auto* colours = dynamic_cast<TColorLookUp*>(RowLookUp());
    if (Index == GetItemCount() - 1 && colours && colours->RGBColors()) {
        // The entry for another colour: the application picks one.
        if (!FEmbedded)
            hide();
        EditItems();
    } else if (OnSetText && Index >= 0 && Index < GetItemCount()) {
        const TSetTextEvent onSetText = OnSetText;
        onSetText(this, ReturnText(Index));
    } else if (GetAddEditItem() && Index == GetItemCount()) {
        EditItems();
    }
    if (self)
        ClosePopup();
}

}  // namespace tavo::lookup
