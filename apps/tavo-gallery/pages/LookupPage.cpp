// Gallery page: the document type table drawn by its lookup in every display style, and one
// row in the owner-draw states the list controls use.
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "GalleryPages.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"
#include "tools/Colors.h"

namespace tavo::gallery {

namespace {

using lookup::TDisplayStyle;
using tools::TRect;

constexpr int RowHeight = 20;
constexpr int Margin = 2;
constexpr int NumberWidth = 22;

const TDisplayStyle Styles[] = {lookup::dsCaption, lookup::dsGlyph,      lookup::dsCaptionGlyph,
                                lookup::dsIdStr,   lookup::dsIdStrGlyph, lookup::dsId,
                                lookup::dsIdGlyph};

// The rows of a lookup, a column per display style, the lookup measuring and drawing each
// cell. Row Selected is drawn as a selected list row.
class TLookUpTable : public QWidget {
public:
    TLookUpTable(lookup::TLookUp* LookUp, int Selected, QWidget* Parent)
        : QWidget(Parent), FLookUp(LookUp), FSelected(Selected)
    {
        setAccessibleName(QStringLiteral("Document types in every display style"));
        setFocusPolicy(Qt::StrongFocus);
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter measure(&scratch);
        measure.setFont(font());
        const QFontMetrics metrics(font());
        for (TDisplayStyle style : Styles) {
            int32_t width = 0, height = 0, glyphs = 0;
            for (int32_t i = 0; i < FLookUp->Count(); ++i) {
                FLookUp->MeasureItem(this, measure, style, i, width, height, glyphs);
                // The lookup measures captions and glyphs only; the keys are measured here.
                lookup::TCustomLookUpItem* item = FLookUp->GetItem(i);
                QString key;
                if (style == lookup::dsIdStr || style == lookup::dsIdStrGlyph)
                    key = platform::FromAnsi(item->GetIdStr());
                else if (style == lookup::dsId || style == lookup::dsIdGlyph)
                    key = QString::number(item->GetId());
                bool glyph = (style == lookup::dsIdStrGlyph || style == lookup::dsIdGlyph) &&
                             item->GetGlyph();
                width = std::max(width, metrics.horizontalAdvance(key) + (glyph ? 20 : 0));
            }
            int header =
                metrics.horizontalAdvance(QString::fromLatin1(lookup::DisplayStyleName(style)));
            FWidths.push_back(std::max(width, header) + 2 * Margin + 2);
        }
        int total = NumberWidth;
        for (int w : FWidths)
            total += w;
        setMinimumSize(total, RowHeight * (FLookUp->Count() + 1) + 1);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), tools::ToQColor(tools::clWindow));
        const QColor grid = tools::ToQColor(tools::clBtnFace);
        // Header.
        p.fillRect(QRect(0, 0, width(), RowHeight), grid);
        p.setPen(tools::ToQColor(tools::clBtnText));
        int x = NumberWidth;
        for (size_t c = 0; c < std::size(Styles); ++c) {
            p.drawText(QRect(x + Margin, 0, FWidths[c] - Margin, RowHeight), Qt::AlignVCenter,
                       QString::fromLatin1(lookup::DisplayStyleName(Styles[c])));
            x += FWidths[c];
        }
        for (int32_t i = 0; i < FLookUp->Count(); ++i) {
            const int y = RowHeight * (i + 1);
            const bool selected = i == FSelected;
            p.setPen(tools::ToQColor(tools::clGrayText));
            p.drawText(QRect(0, y, NumberWidth - 4, RowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(i));
            x = NumberWidth;
            for (size_t c = 0; c < std::size(Styles); ++c) {
                TRect cell{x, y, x + FWidths[c], y + RowHeight};
                p.fillRect(cell.ToQRect(),
                           tools::ToQColor(selected ? tools::clHighlight : tools::clWindow));
                p.setPen(tools::ToQColor(selected ? tools::clHighlightText : tools::clWindowText));
                FLookUp->DrawItem(this, p, Styles[c], i, Margin, cell, tools::taLeftJustify,
                                  selected ? tools::odSelected : 0);
                x += FWidths[c];
            }
            p.setPen(grid);
            p.drawLine(0, y, width(), y);
        }
        x = NumberWidth;
        for (int w : FWidths) {
            p.drawLine(x, 0, x, height());
            x += w;
        }
    }

private:
    QPointer<lookup::TLookUp> FLookUp;
    int FSelected;
    std::vector<int> FWidths;
};

// One row in the states of an owner-drawn list: normal, selected, disabled, the glyph
// scaled to a taller row, and centred and right-aligned.
class TStateStrip : public QWidget {
public:
    TStateStrip(lookup::TLookUp* LookUp, int32_t Row, QWidget* Parent)
        : QWidget(Parent), FLookUp(LookUp), FRow(Row)
    {
        setAccessibleName(QStringLiteral("One row in the owner-draw states"));
        setMinimumSize(6 * CellWidth, 2 * 28);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        struct State {
            const char* Title;
            tools::TOwnerDrawState Flags;
            tools::TAlignment Alignment;
        } states[] = {{"normal", 0, tools::taLeftJustify},
                      {"selected", tools::odSelected, tools::taLeftJustify},
                      {"disabled", tools::odDisabled, tools::taLeftJustify},
                      {"scaled glyph", tools::odScaleGlyph, tools::taLeftJustify},
                      {"centred", 0, tools::taCenter},
                      {"right", 0, tools::taRightJustify}};
        QPainter p(this);
        for (int i = 0; i < 6; ++i) {
            const int x = i * CellWidth;
            p.setPen(tools::ToQColor(tools::clBtnText));
            p.drawText(QRect(x + Margin, 0, CellWidth, 28), Qt::AlignVCenter,
                       QString::fromLatin1(states[i].Title));
            TRect cell{x, 28, x + CellWidth - 6, 56};
            bool selected = states[i].Flags & tools::odSelected;
            p.fillRect(cell.ToQRect(),
                       tools::ToQColor(selected ? tools::clHighlight : tools::clWindow));
            p.setPen(tools::ToQColor(selected ? tools::clHighlightText : tools::clWindowText));
            FLookUp->DrawItem(this, p, lookup::dsCaptionGlyph, FRow, Margin, cell,
                              states[i].Alignment, states[i].Flags);
        }
    }

private:
    static constexpr int CellWidth = 140;
    QPointer<lookup::TLookUp> FLookUp;
    int32_t FRow;
};

// The data module's pictures, at their size and three times enlarged.
class TGlyphStrip : public QWidget {
public:
    TGlyphStrip(tools::TImageList* Glyphs, QWidget* Parent) : QWidget(Parent), FGlyphs(Glyphs)
    {
        setAccessibleName(QStringLiteral("The pictures of the table of contents"));
        setMinimumSize(5 * CellWidth, 16 * 3 + 40);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        static const char* const titles[] = {"0 closed book", "1 open book", "2 page",
                                             "3 the same page", "4 price list"};
        QPainter p(this);
        for (int32_t i = 0; FGlyphs && i < FGlyphs->Count(); ++i) {
            const int x = i * CellWidth;
            p.setPen(tools::ToQColor(tools::clBtnText));
            p.drawText(QRect(x, 0, CellWidth, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(titles[i]));
            FGlyphs->Draw(p, x, 22, i);
            p.drawImage(QRect(x + 24, 22, 48, 48), FGlyphs->Image(i));
        }
    }

private:
    static constexpr int CellWidth = 120;
    QPointer<tools::TImageList> FGlyphs;
};

QWidget* CreateLookupPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("LookupPage"));
    // The shell's data module when it runs, otherwise one of the page's own.
    docviewer::TDM_DocItem* dm = docviewer::DM_DocItem;
    if (!dm)
        dm = new docviewer::TDM_DocItem(page);
    lookup::TLookUp* types = dm->LUp_Types;
    const int32_t cennik = types->IndexOfId(3);

    auto* layout = new QVBoxLayout(page);
    auto* title = new QLabel(
        QStringLiteral("<b>LUp_Types</b> of DM_DocItem: each row drawn by the lookup in the "
                       "seven display styles (row %1 as a selected row)")
            .arg(cennik),
        page);
    layout->addWidget(title);
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("LookupTableScroll"));
    scroll->setWidget(new TLookUpTable(types, cennik, scroll));
    layout->addWidget(scroll, 1);
    layout->addWidget(new QLabel(QStringLiteral("The row \"Cennik\" in owner-draw states"), page));
    layout->addWidget(new TStateStrip(types, cennik, page));
    layout->addWidget(new QLabel(QStringLiteral("Glyphs of DM_DocItem"), page));
    layout->addWidget(new TGlyphStrip(dm->Glyphs, page));
    return page;
}

GalleryPageRegistration reg{10, QStringLiteral("Lookups"), CreateLookupPage};

}  // namespace

}  // namespace tavo::gallery
