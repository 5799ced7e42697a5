// The lookup combo box: entries from the rows, their drawing and measuring, and the "Edit"
// entry that hands the rows to the application's editor.
#include <QAbstractItemView>
#include <QImage>

#include "lookup/LookUpBoxDrawing.h"
#include "lookup/LookUpBoxes.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/ControlHelp.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

constexpr int32_t EditGlyph = 96;

// Sets a flag for a scope; the owner may be gone when the scope ends.
class TFlagScope {
public:
    TFlagScope(QObject* Owner, bool& Flag) : FOwner(Owner), FFlag(Flag) { FFlag = true; }
    ~TFlagScope()
    {
        if (FOwner)
            FFlag = false;
    }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    QPointer<QObject> FOwner;
    bool& FFlag;
};

}  // namespace

// ---- Shared by the combo box and the list box ---------------------------------------------

namespace detail {

void DrawEntry(QPainter& Canvas, const TRect& Rect, TOwnerDrawState State, TDisplayStyle Style,
               TAlignment Alignment, const std::string& Caption, const QImage* Glyph)
{
    if (Glyph && Glyph->isNull())
        Glyph = nullptr;
    const int32_t glyphMargin = Glyph ? 2 : 20;
    switch (Style) {
    case dsCaption:
        tools::DrawCaptionGlyph(Canvas, 2, Rect, State, Alignment, Caption, nullptr);
        break;
    case dsGlyph:
        tools::DrawCaptionGlyph(Canvas, glyphMargin, Rect, State, Alignment, {}, Glyph);
        break;
    case dsCaptionGlyph:
        tools::DrawCaptionGlyph(Canvas, glyphMargin, Rect, State, Alignment, Caption, Glyph);
        break;
    default:
        break;
    }
}

void MeasureEntry(QWidget* Control, int32_t ClientWidth, TCustomLookUp& LookUp, TDisplayStyle Style,
                  int32_t Index, int32_t& Height)
{
    // A canvas with the control's font, released on every way out.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter canvas(&scratch);
    canvas.setFont(Control->font());
    int32_t width = ClientWidth;
    int32_t glyphsWidth = -1;
    LookUp.MeasureItem(Control, canvas, Style, Index, width, Height, glyphsWidth);
}

}  // namespace detail

// ---- TCustomLookUpComboBox ----------------------------------------------------------------

TCustomLookUpComboBox::TCustomLookUpComboBox(QWidget* Parent) : TVXCustomComboBox(Parent)
{
    setMaxVisibleItems(8);
    connect(this, &QComboBox::activated, this, tools::Guarded([this] { Change(); }));
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int Index) { IndexChanged(Index); });
}

void TCustomLookUpComboBox::SetDisplayStyle(TDisplayStyle Value)
{
    if (Value == FDisplayStyle)
        return;
    FDisplayStyle = Value;
    // Rows are measured by what they show.
    view()->doItemsLayout();
    view()->viewport()->update();
    update();
}

void TCustomLookUpComboBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    view()->viewport()->update();
    update();
}

std::string TCustomLookUpComboBox::Text() const
{
    return platform::ToAnsi(currentText());
}

void TCustomLookUpComboBox::SetText(const std::string& Value)
{
    setCurrentIndex(findText(platform::FromAnsi(Value), Qt::MatchFixedString));
}

void TCustomLookUpComboBox::SetAddEditItem(bool) {}

bool TCustomLookUpComboBox::GetAddEditItem() const
{
    return false;
}

int32_t TCustomLookUpComboBox::GetItemCount() const
{
    return 0;
}

std::string TCustomLookUpComboBox::GetItemCaption(int32_t) const
{
    return GetAddEditItem() ? tools::StripAccelerators(platform::LoadStr(SEdit)) : std::string();
}

std::string TCustomLookUpComboBox::GetItemHint(int32_t) const
{
    return GetAddEditItem() ? platform::LoadStr(SEditHint) : std::string();
}

const QImage* TCustomLookUpComboBox::GetItemGlyph(int32_t) const
{
    return tools::ImageListBitmap(StockGlyphs(), EditGlyph);
}

std::string TCustomLookUpComboBox::GetItemIdStr(int32_t) const
{
    return {};
}

int32_t TCustomLookUpComboBox::GetItemId(int32_t) const
{
    return NullInt;
}

bool TCustomLookUpComboBox::IsItemEnabled(int32_t) const
{
    return true;
}

void TCustomLookUpComboBox::EditItems() {}

bool TCustomLookUpComboBox::IsEditEntry(int32_t Index) const
{
    return Index >= 0 && Index == count() - 1 && GetAddEditItem();
}

void TCustomLookUpComboBox::RebuildItems()
{
    const std::string remembered = Text();
    const TFlagScope rebuilding(this, FRebuilding);
    clear();
    const int32_t n = GetItemCount();
    for (int32_t i = 0; i < n; ++i)
        addItem(platform::FromAnsi(GetItemCaption(i)));
    if (GetAddEditItem())
        addItem(platform::FromAnsi(tools::StripAccelerators(platform::LoadStr(SEdit))));
    SetText(remembered);
}

void TCustomLookUpComboBox::IndexChanged(int Index)
{
    // However the shown entry changed (the user, the application), "Edit" gets back to it.
    if (!FRebuilding && !FChanging && !FEditing && !IsEditEntry(Index))
        FSavedText = Text();
}

void TCustomLookUpComboBox::showPopup()
{
    if (GetAddEditItem())
        FSavedText = Text();
    if (OnDropDown)
        OnDropDown(this);
    TVXCustomComboBox::showPopup();
}

void TCustomLookUpComboBox::Change()
{
    const QPointer<TCustomLookUpComboBox> self(this);
    const TFlagScope changing(this, FChanging);
    if (OnChange)
        OnChange(this);
    if (!self)
        return;
    if (IsEditEntry(currentIndex())) {
        SetText(FSavedText);
        EditItems();
        if (!self)
            return;
        // A list-only box cannot show a text that is no entry: when the editor left
        // "Edit" or nothing selected, the last real entry is shown.
        const int edit = count() - 1;
        if (GetAddEditItem() && edit > 0 && (currentIndex() == edit || currentIndex() < 0))
            setCurrentIndex(edit - 1);
    }
    FSavedText = Text();
}

void TCustomLookUpComboBox::TextHandedBack(const std::string& Value)
{
    if (FEditing) {
        FSavedText = Value;
        return;
    }
    // An editor that answers later (a dialog left open) still gets its text shown.
    SetText(Value);
    FSavedText = Text();
}

void TCustomLookUpComboBox::DrawItem(QPainter& Canvas, int32_t Index, const TRect& Rect,
                                     TOwnerDrawState State)
{
    // A read-only box shows its entry as it is, never greyed.
    detail::DrawBoxEntry(*this, RowLookUp(), Canvas, Index, Rect, State, ReadOnly());
}

void TCustomLookUpComboBox::MeasureItem(int32_t Index, int32_t& Height)
{
    if (OnMeasureItem) {
        OnMeasureItem(this, Index, Height);
        return;
    }
    if (TCustomLookUp* lookup = RowLookUp())
        detail::MeasureEntry(this, width(), *lookup, FDisplayStyle, Index, Height);
}

// ---- TLookUpComboBox0 ---------------------------------------------------------------------

TLookUpComboBox0::TLookUpComboBox0(QWidget* Parent) : TLookUpRowsOf(TLookUpRows::rfPlain, Parent) {}

void TLookUpComboBox0::RowsChanged()
{
    RebuildItems();
}

bool TLookUpComboBox0::GetAddEditItem() const
{
    return Rows().AddEditItem();
}

void TLookUpComboBox0::EditItems()
{
    if (TCustomLookUp* lookup = LookUp()) {
        const std::string remembered = Text();
        FSavedText.clear();
        const QPointer<TLookUpComboBox0> self(this);
        {
            const TFlagScope editing(this, FEditing);
            lookup->EditItems(this, tools::ControlHint(this),
                              [self](QObject*, const std::string& NewText) {
                                  if (self)
                                      self->TextHandedBack(NewText);
                              });
        }
        if (!self)
            return;
        if (FSavedText.empty())
            FSavedText = remembered;
        SetText(FSavedText);
    }
    FSavedText = Text();
}

// ---- TLookUpComboBox ------------------------------------------------------------------------

void TLookUpComboBox::SetDisplayStyleValue(int Value)
{
    if (Value >= dsCaption && Value <= dsIdGlyph)
        SetDisplayStyle(static_cast<TDisplayStyle>(Value));
}

void TLookUpComboBox::SetAlignmentValue(int Value)
{
    if (Value >= tools::taLeftJustify && Value <= tools::taCenter)
        SetAlignment(static_cast<TAlignment>(Value));
}

void TLookUpComboBox::SetBorderStyleValue(int Value)
{
    if (Value >= vxcontrols::bsNone && Value <= vxcontrols::bsFlat)
        SetBorderStyle(static_cast<vxcontrols::TVXBorderStyle>(Value));
}

}  // namespace tavo::lookup
