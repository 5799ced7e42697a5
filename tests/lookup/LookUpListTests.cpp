// The lookup list embedded in a window: layout, cells and their pixels, keys, choosing, the
// action refresh and what screen readers see.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "LookUpTestSupport.h"
#include "QtTestHelpers.h"
#include "lookup/LookUpCtrls.h"

namespace tavo::lookup {
namespace {

using tools::TRect;

QRgb Rgb(tools::TColor Color)
{
    return tools::ToQColor(Color).rgb();
}

void Fill(TLookUp& LookUp, int Count)
{
    for (int i = 0; i < Count; ++i)
        LookUp.Items().Add("Item " + std::to_string(i), "ID" + std::to_string(i), i);
}

// A font whose text has solid pixels, so that cells can be read by colour.
QFont SolidFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int CountColour(const QImage& Image, const QRect& Area, QRgb Colour)
{
    int count = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            count += Image.pixel(x, y) == Colour ? 1 : 0;
    return count;
}

// A cell of the list in widget coordinates.
QRect Cell(const TCustomLookUpList& List, int32_t Index)
{
    return List.ItemRect(Index).ToQRect().translated(List.ClientRect().topLeft());
}

TEST(LookUpListLayout, FixedColumnsRunItemsDownTheColumns)
{
    TLookUp lookup;
    Fill(lookup, 5);
    TLookUpList list;
    list.SetColumns(2);
    list.SetLookUp(&lookup);
    EXPECT_EQ(list.ColCount(), 2);
    EXPECT_EQ(list.RowCount(), 3);
    const TRect item3 = list.ItemRect(3);
    EXPECT_EQ(item3.Left, list.ItemWidth() + 1);
    EXPECT_EQ(item3.Top, 1);
    // The empty cell below item 4 answers item 4.
    const TRect item4 = list.ItemRect(4);
    EXPECT_EQ(list.ItemAtPos(item4.Left + 2, item4.Bottom + 3), 4);
    EXPECT_EQ(list.HotIndex(), 4);
    // Embedded and sized to its cells: one border pixel on each side and the cell offset.
    EXPECT_EQ(list.width(), 2 * list.ItemWidth() + 3);
    EXPECT_EQ(list.height(), 3 * list.ItemHeight() + 4);
    EXPECT_EQ(list.sizeHint(), list.size());
}

TEST(LookUpListLayout, GlyphPartWithoutGlyphs)
{
    TLookUp lookup;
    Fill(lookup, 3);
    TLookUpList list;
    list.setFont(SolidFont());
    list.SetLookUp(&lookup);
    const int textHeight = QFontMetrics(SolidFont()).height();
    ASSERT_LE(textHeight + 4, 19) << "the test wants a font lower than the glyph row";
    EXPECT_EQ(list.GlyphWidth(), 19);
    EXPECT_EQ(list.ItemHeight(), 19);
    const int32_t width = list.ItemWidth();
    EXPECT_EQ(width, QFontMetrics(SolidFont()).horizontalAdvance("Item 0") + 19 + 6);

    lookup.SetSlimRows(true);  // copied by the list
    EXPECT_TRUE(list.SlimRows());
    EXPECT_EQ(list.ItemHeight(), std::max(16, textHeight));

    lookup.SetSlimRows(false);
    list.SetStyle(lsFlat);
    EXPECT_EQ(list.GlyphWidth(), 22);
    EXPECT_EQ(list.ItemHeight(), 19 + 4);
    EXPECT_EQ(list.ItemWidth(), width + 3);

    // Every item bordered: 3 pixels more each way, drawn 3 smaller.
    list.SetStyle(lsStandsrd);
    list.SetBorderStyle(bsEveryItem);
    EXPECT_EQ(list.ItemHeight(), 19 + 3);
    EXPECT_EQ(list.ItemWidth(), width + 3);
}

TEST(LookUpListLayout, GlyphsAndMeasureHandlers)
{
    TLookUp lookup;
    Fill(lookup, 2);
    QImage big(24, 20, QImage::Format_RGB32);
    big.fill(Qt::green);
    lookup.Items()[1].SetGlyph(&big);
    TLookUpList list;
    list.setFont(SolidFont());
    list.SetLookUp(&lookup);
    EXPECT_EQ(list.GlyphWidth(), 24 + 3);
    EXPECT_EQ(list.ItemHeight(), 20 + 3);

    // A handler of the lookup's, under ldsLookUpDraw, has the last word on the sizes.
    std::vector<int32_t> asked;
    lookup.OnMeasureItem = [&](QWidget*, QPainter&, TDisplayStyle, int32_t Index, int32_t& W,
                               int32_t& H, int32_t&) {
        asked.push_back(Index);
        W = std::max(W, 70);
        H = 30;
    };
    lookup.SetDrawStyle(ldsLookUpDraw);
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(list.ItemHeight(), 30);
    EXPECT_GE(list.ItemWidth(), 70);

    // Id styles measure nothing by themselves; without a handler the rows are 0 high and
    // nothing divides by them.
    TLookUp plain;
    Fill(plain, 40);
    TLookUpList ids;
    ids.SetDisplayStyle(dsId);
    ids.SetLookUp(&plain);
    EXPECT_EQ(ids.ItemHeight(), 0);
    EXPECT_EQ(ids.RowCount(), 40);
    EXPECT_EQ(ids.ItemAtPos(5, 5), -1);
}

TEST(LookUpListLayout, WithoutAutoSizeCellsFillTheWidth)
{
    TLookUp lookup;
    Fill(lookup, 6);
    TLookUpList list;
    list.SetAutoSize(false);
    list.SetColumns(3);
    list.resize(303, 80);
    list.SetLookUp(&lookup);
    EXPECT_EQ(list.ItemWidth(), 100);
    list.show();
    list.resize(183, 80);
    EXPECT_EQ(list.ItemWidth(), 60);
    EXPECT_EQ(list.width(), 183);
}

// An embedded list in a shown window, with the window and text colours the cells use.
struct TShownList {
    TShownList()
    {
        Fill(LookUp, 4);
        LookUp.Items()[2].SetEnabled(false);
        LookUp.Items()[3].SetCaption("Sum|Total");
        List = new TLookUpList(&Window);
        List->setFont(SolidFont());
        List->SetDisplayStyle(dsCaption);
        List->SetLookUp(&LookUp);
        List->OnSetText = [this](QObject*, const std::string& Text) { Sent.push_back(Text); };
        Window.resize(300, 200);
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
        List->SetHotIndex(-1);  // the focus made the first cell hot
    }
    QImage Shot() { return List->grab().toImage(); }

    TLookUp LookUp;
    QWidget Window;
    TLookUpList* List;
    std::vector<std::string> Sent;
};

TEST(LookUpListCells, HotDisabledAndPlainCellsByPixel)
{
    TShownList shown;
    TLookUpList& list = *shown.List;
    list.SetHotIndex(1);
    const QImage shot = shown.Shot();
    // The border: a raised inner edge.
    EXPECT_EQ(shot.pixel(0, 0), Rgb(tools::clBtnHighlight));
    EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() - 1), Rgb(tools::clBtnShadow));
    // The hot cell on the highlight with its text in highlight text.
    // The text part of a cell stops one pixel short of the next.
    const QRect hot = Cell(list, 1).adjusted(0, 0, -1, 0);
    EXPECT_EQ(shot.pixel(hot.right() - 1, hot.center().y()), Rgb(tools::clHighlight));
    EXPECT_GT(CountColour(shot, hot, Rgb(tools::clHighlightText)), 0);
    // A plain cell: button text on the window colour.
    const QRect plain = Cell(list, 0);
    EXPECT_EQ(shot.pixel(plain.right() - 2, plain.center().y()), Rgb(tools::clWindow));
    EXPECT_GT(CountColour(shot, plain, Rgb(tools::clBtnText)), 0);
    EXPECT_EQ(CountColour(shot, plain, Rgb(tools::clHighlight)), 0);
    // A disabled row: grey text over a highlight copy, never highlighted.
    const QRect disabled = Cell(list, 2);
    EXPECT_GT(CountColour(shot, disabled, Rgb(tools::clGrayText)), 0);
    EXPECT_EQ(CountColour(shot, disabled, Rgb(tools::clBtnText)), 0);
    list.SetHotIndex(2);
    EXPECT_EQ(CountColour(shown.Shot(), disabled, Rgb(tools::clHighlight)), 0);
}

TEST(LookUpListCells, EveryItemBorderDrawsLinesBetweenTheCells)
{
    TShownList shown;
    TLookUpList& list = *shown.List;
    list.SetBorderStyle(bsEveryItem);
    list.SetColumns(2);
    const QImage shot = shown.Shot();
    const QRect cell = Cell(list, 0);
    // The cell is drawn 3 smaller; its lines run one pixel below and at its right edge.
    const int bottom = cell.top() + list.ItemHeight() - 3;
    const int right = cell.left() + list.ItemWidth() - 3;
    EXPECT_EQ(shot.pixel(cell.left() + 5, bottom + 1), Rgb(tools::clBtnText));
    EXPECT_EQ(shot.pixel(right, cell.top() + 3), Rgb(tools::clBtnText));
    EXPECT_EQ(shot.pixel(right - 1, cell.top() + 3), Rgb(tools::clWindow));
    // The window ends 3 pixels short, where the last column's line would be.
    EXPECT_EQ(list.width(), 2 * list.ItemWidth() + 3 - 3);
}

TEST(LookUpListChoose, TextsByReturnKind)
{
    TLookUp lookup;
    lookup.Items().Add("&Sum|Total", "SUM", NullInt);
    lookup.Items()[0].SetHint("Sum|  Total of all rows  ");
    lookup.Items().Add("Plain", "PLAIN", 7);
    lookup.Items()[1].SetHint(" No bar ");
    TLookUpList list;
    list.SetLookUp(&lookup);
    EXPECT_EQ(list.GetItemCaption(0), "Sum|Total") << "accelerators go";
    EXPECT_EQ(list.ReturnText(0), "Sum");
    list.SetLookUpReturnStr(rsHint);
    EXPECT_EQ(list.ReturnText(0), "Total of all rows");
    EXPECT_EQ(list.ReturnText(1), "No bar");
    list.SetLookUpReturnStr(rsId);
    EXPECT_EQ(list.ReturnText(0), "");
    EXPECT_EQ(list.ReturnText(1), "7");
    list.SetLookUpReturnStr(rsIdStr);
    EXPECT_EQ(list.ReturnText(1), "PLAIN");
}

TEST(LookUpListChoose, ListModeOnlyWhileTheListFetchesWhatItShows)
{
    TColorLookUp colours;
    colours.SetRGBColors(true);
    colours.IndexOfId(0x123456);
    TLookUpList list;
    list.SetLookUp(&colours);
    EXPECT_EQ(list.GetItemCaption(16), "Non-standard");
    EXPECT_EQ(list.GetItemGlyph(16), nullptr);
    EXPECT_FALSE(colours.ListMode());
    EXPECT_EQ(list.GetItemId(16), 0x123456);
    EXPECT_EQ(colours.GetItem(16)->GetCaption(), "1193046");
}

TEST(LookUpListKeys, EmbeddedListByKeyboard)
{
    TShownList shown;
    auto* layout = new QVBoxLayout(&shown.Window);
    auto* before = new QLineEdit(&shown.Window);
    auto* after = new QLineEdit(&shown.Window);
    layout->addWidget(before);
    layout->addWidget(shown.List);
    layout->addWidget(after);
    QWidget::setTabOrder(before, shown.List);
    QWidget::setTabOrder(shown.List, after);
    before->show();
    after->show();
    shown.Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.Window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), shown.List);
    EXPECT_EQ(shown.List->HotIndex(), 0) << "the keys start on the first cell";
    QTest::keyClick(shown.List, Qt::Key_Down);
    QTest::keyClick(shown.List, Qt::Key_Return);
    EXPECT_EQ(shown.Sent, std::vector<std::string>{"Item 1"});
    // The disabled row is not chosen.
    QTest::keyClick(shown.List, Qt::Key_Down);
    QTest::keyClick(shown.List, Qt::Key_Enter);
    EXPECT_EQ(shown.Sent.size(), 1u);
    // Escape is no business of an embedded list, and Tab moves on.
    QTest::keyClick(shown.List, Qt::Key_Escape);
    EXPECT_TRUE(shown.List->isVisible());
    QTest::keyClick(shown.List, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST(LookUpListKeys, MouseChoosesEnabledCellsOnly)
{
    TShownList shown;
    TLookUpList& list = *shown.List;
    QTest::mouseMove(&list, Cell(list, 3).center());
    // Under a window system the pointer's move arrives as an event of its own.
    EXPECT_TRUE(tavo::test::WaitFor([&list] { return list.HotIndex() == 3; }));
    QTest::mouseClick(&list, Qt::LeftButton, {}, Cell(list, 3).center());
    EXPECT_EQ(shown.Sent, std::vector<std::string>{"Sum"}) << "the part before the bar";
    QTest::mouseClick(&list, Qt::LeftButton, {}, Cell(list, 2).center());
    EXPECT_EQ(shown.Sent.size(), 1u);
    QTest::mouseClick(&list, Qt::RightButton, {}, Cell(list, 0).center());
    EXPECT_EQ(shown.Sent.size(), 1u);
}

TEST(LookUpListActions, EnablingIsFollowedThroughTheRefresh)
{
    QWidget window;
    TActionsLookUp lookup(&window);
    auto* action = new QAction(QStringLiteral("Print"), &window);
    auto* container = new TActionContainer(&window);
    container->SetAction(action);
    container->SetActionsLookUp(&lookup);
    auto* list = new TLookUpList(&window);
    list->setFont(SolidFont());
    list->SetLookUp(&lookup);
    ASSERT_NE(list->ActionTimer(), nullptr);
    EXPECT_EQ(list->ActionTimer()->interval(), 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    list->SetHotIndex(-1);  // the focus made the first cell hot
    const QRect cell = Cell(*list, 0);
    EXPECT_GT(CountColour(list->grab().toImage(), cell, Rgb(tools::clBtnText)), 0);
    EXPECT_TRUE(container->CachedEnabled());

    // The state changes behind the list's back; the refresh notices and repaints the cell.
    bool allowed = false;
    SetActionUpdate(action, [&allowed](QAction& a) { a.setEnabled(allowed); });
    ASSERT_TRUE(tavo::test::WaitFor([&] { return !container->CachedEnabled(); }));
    const QImage disabled = list->grab().toImage();
    EXPECT_GT(CountColour(disabled, cell, Rgb(tools::clGrayText)), 0);
    EXPECT_EQ(CountColour(disabled, cell, Rgb(tools::clBtnText)), 0);
    allowed = true;
    ASSERT_TRUE(tavo::test::WaitFor([&] { return container->CachedEnabled(); }));

    // Choosing the row executes its action after the text went out.
    std::vector<std::string> order;
    list->OnSetText = [&order](QObject*, const std::string& Text) { order.push_back(Text); };
    QObject::connect(action, &QAction::triggered, [&order] { order.push_back("triggered"); });
    list->ChooseItem(0);
    EXPECT_EQ(order, (std::vector<std::string>{"Print", "triggered"}));

    // Only an embedded list of actions has the timer.
    TLookUp plain;
    list->SetLookUp(&plain);
    EXPECT_EQ(list->ActionTimer(), nullptr);
}

TEST(LookUpListAccessibility, CellsAreListItems)
{
    TShownList shown;
    shown.List->setAccessibleName(QStringLiteral("Items"));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(shown.List);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Items"));
    ASSERT_EQ(list->childCount(), 4);
    QAccessibleInterface* cell = list->child(3);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::ListItem);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("SumTotal"));
    EXPECT_EQ(list->indexOfChild(cell), 3);
    EXPECT_EQ(cell->parent(), list);
    EXPECT_TRUE(list->child(2)->state().disabled);
    shown.List->SetHotIndex(1);
    EXPECT_TRUE(list->child(1)->state().selected);
    EXPECT_EQ(list->focusChild(), list->child(1));
    EXPECT_EQ(list->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);

    // Pressing a cell chooses it.
    QAccessibleActionInterface* actions = cell->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(shown.Sent, std::vector<std::string>{"Sum"});
    list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(shown.Sent.size(), 1u) << "a disabled row cannot be pressed";
}

}  // namespace
}  // namespace tavo::lookup
