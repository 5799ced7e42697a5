// The lookup list box: entries from the rows, their drawing and measuring, columns, and the
// entries' hints under the mouse.
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <optional>

#include "lookup/LookUpBoxDrawing.h"
#include "lookup/LookUpBoxes.h"
#include "platform/AnsiText.h"
#include "tools/TextRoutines.h"
#include "vxcontrols/OwnerDrawDelegate.h"

namespace tavo::lookup {

namespace {

// In columns every entry is as wide as a column and as high as ItemHeight; otherwise each
// entry is measured.
class TListBoxDelegate
    : public vxcontrols::detail::TOwnerDrawDelegate<vxcontrols::TVXCustomListBox> {
public:
    explicit TListBoxDelegate(TCustomLookUpListBox* Box) : TOwnerDrawDelegate(Box), FBox(Box) {}

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        if (FBox->Columns() <= 0)
            return TOwnerDrawDelegate::sizeHint(Option, Index);
        return {std::max(1, FBox->viewport()->width() / FBox->Columns()), FBox->ItemHeight()};
    }

private:
    TCustomLookUpListBox* FBox;
};

}  // namespace

// ---- TCustomLookUpListBox -------------------------------------------------------------------

TCustomLookUpListBox::TCustomLookUpListBox(QWidget* Parent) : TVXCustomListBox(Parent)
{
    setItemDelegate(new TListBoxDelegate(this));
    ApplyColumns();
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void TCustomLookUpListBox::SetDisplayStyle(TDisplayStyle Value)
{
    if (Value == FDisplayStyle)
        return;
    FDisplayStyle = Value;
    doItemsLayout();
    viewport()->update();
}

void TCustomLookUpListBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    viewport()->update();
}

void TCustomLookUpListBox::SetColumns(int32_t Value)
{
    Value = std::max(0, Value);
    if (Value == FColumns)
        return;
    FColumns = Value;
    ApplyColumns();
}

void TCustomLookUpListBox::ApplyColumns()
{
    // Columns run down and then across, as the window system's multi-column list boxes do.
    // Entries as wide as the list box: only columns scroll sideways.
    setFlow(QListView::TopToBottom);
    setWrapping(FColumns > 0);
    setUniformItemSizes(FColumns > 0);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(FColumns > 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    doItemsLayout();
}

void TCustomLookUpListBox::resizeEvent(QResizeEvent* Event)
{
    TVXCustomListBox::resizeEvent(Event);
    if (FColumns > 0)
        doItemsLayout();
}

bool TCustomLookUpListBox::MultiSelect() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void TCustomLookUpListBox::SetMultiSelect(bool Value)
{
    setSelectionMode(Value ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

int32_t TCustomLookUpListBox::GetItemCount() const
{
    return 0;
}

std::string TCustomLookUpListBox::GetItemCaption(int32_t) const
{
    return {};
}

std::string TCustomLookUpListBox::GetItemHint(int32_t) const
{
    return {};
}

const QImage* TCustomLookUpListBox::GetItemGlyph(int32_t) const
{
    return nullptr;
}

std::string TCustomLookUpListBox::GetItemIdStr(int32_t) const
{
    return {};
}

int32_t TCustomLookUpListBox::GetItemId(int32_t) const
{
    return NullInt;
}

bool TCustomLookUpListBox::IsItemEnabled(int32_t) const
{
    return true;
}

void TCustomLookUpListBox::RebuildItems()
{
    std::optional<QString> remembered;
    if (const QListWidgetItem* current = currentItem())
        remembered = current->text();
    clear();
    const int32_t n = GetItemCount();
    for (int32_t i = 0; i < n; ++i)
        addItem(platform::FromAnsi(GetItemCaption(i)));
    int row = -1;
    if (remembered) {
        const QList<QListWidgetItem*> same = findItems(*remembered, Qt::MatchFixedString);
        if (!same.isEmpty())
            row = this->row(same.first());
    }
    setCurrentRow(row);
    FItemHints = FOwnHint.isEmpty();
}

void TCustomLookUpListBox::DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                    TOwnerDrawState State)
{
    detail::DrawBoxEntry(*this, RowLookUp(), Canvas, Index, Rect, State, false);
}

void TCustomLookUpListBox::MeasureItem(int32_t Index, int32_t& Height)
{
    if (OnMeasureItem) {
        OnMeasureItem(this, Index, Height);
        return;
    }
    if (TCustomLookUp* lookup = RowLookUp())
        detail::MeasureEntry(this, viewport()->width(), *lookup, FDisplayStyle, Index, Height);
}

bool TCustomLookUpListBox::event(QEvent* Event)
{
    // A hint the application gives is the list box's own; the entries' hints that the list
    // box shows meanwhile are not.
    if (Event->type() == QEvent::ToolTipChange && !FSettingHint) {
        FOwnHint = toolTip();
        FItemHints = FOwnHint.isEmpty();
    }
    return TVXCustomListBox::event(Event);
}

bool TCustomLookUpListBox::viewportEvent(QEvent* Event)
{
    if (Event->type() == QEvent::ToolTip) {
        // The short part of the hint, as every hint of the maker's controls shows.
        const QString hint = toolTip();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(),
                               platform::FromAnsi(tools::HintCaption(platform::ToAnsi(hint))),
                               this);
        return true;
    }
    return TVXCustomListBox::viewportEvent(Event);
}

void TCustomLookUpListBox::mouseMoveEvent(QMouseEvent* Event)
{
    if (FItemHints)
        ShowItemHint(Event->position().toPoint(), Event->globalPosition().toPoint());
    TVXCustomListBox::mouseMoveEvent(Event);
}

void TCustomLookUpListBox::ShowItemHint(const QPoint& At, const QPoint& Global)
{
    const QModelIndex index = indexAt(At);
    const QString hint = index.isValid() ? platform::FromAnsi(GetItemHint(index.row())) : QString();
    if (hint == toolTip())
        return;
    QToolTip::hideText();
    FSettingHint = true;
    setToolTip(hint);
    FSettingHint = false;
    if (!hint.isEmpty())
        QToolTip::showText(Global, platform::FromAnsi(tools::HintCaption(platform::ToAnsi(hint))),
                           this);
}

// ---- TLookUpListBox0 ------------------------------------------------------------------------

TLookUpListBox0::TLookUpListBox0(QWidget* Parent) : TLookUpRowsOf(TLookUpRows::rfPlain, Parent) {}

void TLookUpListBox0::RowsChanged()
{
    RebuildItems();
}

// ---- TLookUpListBox ---------------------------------------------------------------------------

void TLookUpListBox::SetDisplayStyleValue(int Value)
{
    if (Value >= dsCaption && Value <= dsIdGlyph)
        SetDisplayStyle(static_cast<TDisplayStyle>(Value));
}

void TLookUpListBox::SetAlignmentValue(int Value)
{
    if (Value >= tools::taLeftJustify && Value <= tools::taCenter)
        SetAlignment(static_cast<TAlignment>(Value));
}

}  // namespace tavo::lookup
