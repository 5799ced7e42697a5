// The lookup combo box and list box: entries rebuilt from the rows, the "Edit" entry chosen
// with the keys, entries by their pixels, and the list box's hints under the mouse.
#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <optional>

#include "LookUpTestSupport.h"
#include "QtTestHelpers.h"
#include "lookup/LookUpCtrls.h"

namespace tavo::lookup {
namespace {

using test::SolidGlyph;
using tools::TRect;

QFont SolidFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Fill(TLookUp& LookUp, std::initializer_list<const char*> Captions)
{
    int32_t id = 1;
    for (const char* caption : Captions)
        LookUp.Items().Add(caption, {}, id++);
}

// An entry drawn by the control on white, 160 x 20 pixels.
QImage Entry(vxcontrols::TVXCustomComboBox& Combo, int32_t Index, TOwnerDrawState State = 0)
{
    QImage image(160, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    Combo.PaintItem(canvas, Index, {0, 0, 160, 20}, State);
    return image;
}

// The first column holding a pixel of Colour, or of any colour but the background.
int FirstColumn(const QImage& Image, std::optional<QRgb> Colour, QRgb Background)
{
    for (int x = 0; x < Image.width(); ++x)
        for (int y = 0; y < Image.height(); ++y) {
            const QRgb p = Image.pixel(x, y);
            if (Colour ? p == *Colour : p != Background)
                return x;
        }
    return -1;
}

// ---- The "Edit" entry -----------------------------------------------------------------------

class EditEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fill(LookUp, {"Radiators", "Floor", "Wall"});
        LookUp.SetAddEditItem(true);
        LookUp.OnEditItems = [this](QObject* Sender, const TSetTextEvent& SetText) {
            ++Edits;
            ShownWhileEditing = Combo->Text();
            if (Edit)
                Edit(Sender, SetText);
        };
        Combo = new TLookUpComboBox0(&Window);
        Combo->SetLookUp(&LookUp);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    // Opens the drop-down with the keys and chooses its last entry.
    void ChooseEditFromDropDown()
    {
        QTest::keyClick(Combo, Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(tavo::test::WaitFor([this] { return Combo->view()->isVisible(); }));
        QTest::keyClick(Combo->view(), Qt::Key_End);
        QTest::keyClick(Combo->view(), Qt::Key_Return);
    }

    QWidget Window;
    TLookUp LookUp;
    TLookUpComboBox0* Combo = nullptr;
    int Edits = 0;
    std::string ShownWhileEditing;
    TEditItemsEvent Edit;
};

TEST_F(EditEntry, ThreeRowsGiveFourEntriesTheLastOneEdit)
{
    ASSERT_EQ(Combo->count(), 4);
    EXPECT_EQ(Combo->itemText(2), QStringLiteral("Wall"));
    EXPECT_EQ(Combo->itemText(3), QStringLiteral("Edit"));
    EXPECT_TRUE(Combo->IsEditEntry(3));
    EXPECT_FALSE(Combo->IsEditEntry(2));
    LookUp.SetAddEditItem(false);
    EXPECT_EQ(Combo->count(), 3);
}

TEST_F(EditEntry, CancelledEditorLeavesThePreviousText)
{
    Combo->SetText("floor");  // letter case ignored
    ASSERT_EQ(Combo->Text(), "Floor");
    ChooseEditFromDropDown();
    EXPECT_EQ(Edits, 1);
    EXPECT_EQ(ShownWhileEditing, "Floor") << "the previous text is back before the editor runs";
    EXPECT_EQ(Combo->Text(), "Floor");
    EXPECT_EQ(Combo->SavedText(), "Floor");
}

TEST_F(EditEntry, TextHandedBackIsShownAlsoForARowTheEditorAdded)
{
    Combo->SetText("Radiators");
    Edit = [this](QObject* Sender, const TSetTextEvent& SetText) {
        LookUp.Items().Add("Convectors", {}, 4);  // the box rebuilds meanwhile
        SetText(Sender, "Convectors");
    };
    ChooseEditFromDropDown();
    EXPECT_EQ(Edits, 1);
    EXPECT_EQ(Combo->count(), 5);
    EXPECT_EQ(Combo->Text(), "Convectors");
    EXPECT_EQ(Combo->currentIndex(), 3);

    // An editor that answers after the entry was handled still gets its text shown.
    TSetTextEvent later;
    Edit = [&later](QObject*, const TSetTextEvent& SetText) { later = SetText; };
    QTest::keyClick(Combo, Qt::Key_End);  // keys on the closed box choose as well
    EXPECT_EQ(Edits, 2);
    EXPECT_EQ(Combo->Text(), "Convectors");
    later(nullptr, "Wall");
    EXPECT_EQ(Combo->Text(), "Wall");
}

TEST_F(EditEntry, CancelWithAnUnmatchedTextEndsOnTheLastRealEntry)
{
    ASSERT_EQ(Combo->currentIndex(), -1);  // nothing shown: the empty text
    QTest::keyClick(Combo, Qt::Key_End);
    EXPECT_EQ(Edits, 1);
    EXPECT_EQ(ShownWhileEditing, "");
    EXPECT_EQ(Combo->Text(), "Wall");
    EXPECT_FALSE(Combo->IsEditEntry(Combo->currentIndex()));
}

TEST_F(EditEntry, ChangeEventComesFirstAndUserChoicesOnly)
{
    std::vector<std::string> changes;
    Combo->OnChange = [&](QObject*) { changes.push_back(Combo->Text()); };
    Combo->SetText("Wall");
    EXPECT_TRUE(changes.empty()) << "the application's own choice is no change";
    QTest::keyClick(Combo, Qt::Key_Up);
    EXPECT_EQ(changes, std::vector<std::string>{"Floor"});
    QTest::keyClick(Combo, Qt::Key_End);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], "Edit") << "OnChange sees the Edit entry before the editor runs";
    EXPECT_EQ(Combo->Text(), "Floor");
}

// ---- Rebuilding ---------------------------------------------------------------------------

TEST(LookUpComboBox, RebuildKeepsTheTextWhileARowHasIt)
{
    TLookUp lookup;
    Fill(lookup, {"A", "B", "C"});
    TLookUpComboBox0 combo;
    EXPECT_EQ(combo.count(), 0) << "without lookup no entries";
    combo.SetLookUp(&lookup);
    combo.SetText("B");
    lookup.Items()[0].SetCaption("Z");
    lookup.Items()[1].SetCaption("A");
    lookup.Items()[2].SetCaption("B");
    lookup.UpdateItems();
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_EQ(combo.Text(), "B");
    lookup.Items()[2].SetCaption("Q");
    lookup.UpdateItems();
    EXPECT_EQ(combo.currentIndex(), -1);

    // Captions lose their accelerator marks.
    lookup.Items()[0].SetCaption("&Zone");
    lookup.UpdateItems();
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Zone"));
}

TEST(LookUpComboBox, LookUpGoneLeavesNoEntries)
{
    TLookUpComboBox0 combo;
    {
        TLookUp lookup;
        Fill(lookup, {"A", "B"});
        combo.SetLookUp(&lookup);
        EXPECT_EQ(combo.count(), 2);
    }
    EXPECT_EQ(combo.LookUp(), nullptr);
    EXPECT_EQ(combo.count(), 0);
}

// ---- Drawing --------------------------------------------------------------------------------

class ComboDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fill(LookUp, {"Glyph", "Plain", "Off"});
        Glyph = SolidGlyph(qRgb(255, 0, 0));
        LookUp.Items()[0].SetGlyph(&Glyph);
        LookUp.Items()[0].SetId(42);
        Combo.setFont(SolidFont());
        Combo.SetLookUp(&LookUp);
    }

    QRgb Background() const { return tools::ToQColor(tools::clWindow).rgb(); }

    TLookUp LookUp;
    QImage Glyph;
    TLookUpComboBox0 Combo;
};

TEST_F(ComboDrawing, CaptionsLineUpBesideGlyphs)
{
    Combo.SetDisplayStyle(dsCaptionGlyph);
    const QImage withGlyph = Entry(Combo, 0);
    EXPECT_EQ(FirstColumn(withGlyph, qRgb(255, 0, 0), Background()), 2) << "glyph 2 pixels in";
    const QImage text = withGlyph.copy(20, 0, 140, 20);
    EXPECT_NE(FirstColumn(text, std::nullopt, Background()), -1) << "caption after the glyph";

    const QImage plain = Entry(Combo, 1);
    const int first = FirstColumn(plain, std::nullopt, Background());
    EXPECT_GE(first, 20) << "a caption without glyph starts 20 pixels in";
    EXPECT_LE(first, 22);

    Combo.SetDisplayStyle(dsCaption);
    const int captionOnly = FirstColumn(Entry(Combo, 0), std::nullopt, Background());
    EXPECT_GE(captionOnly, 2);
    EXPECT_LE(captionOnly, 4);
}

TEST_F(ComboDrawing, StylesOfKeysDrawOnlyUnderTheLookUp)
{
    Combo.SetDisplayStyle(dsId);
    const QImage nothing = Entry(Combo, 0);
    EXPECT_EQ(FirstColumn(nothing, std::nullopt, Background()), -1) << "background only";

    std::vector<std::tuple<int32_t, int32_t, TAlignment>> asked;
    LookUp.SetDrawStyle(ldsLookUpDraw);
    const QImage byLookUp = Entry(Combo, 0);
    // The lookup draws the Id, 2 pixels in.
    QImage expected(160, 20, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter canvas(&expected);
        canvas.fillRect(expected.rect(), tools::ToQColor(tools::clWindow));
        canvas.setFont(SolidFont());
        canvas.setPen(tools::ToQColor(tools::clWindowText));
        tools::DrawCaptionGlyph(canvas, 2, {0, 0, 160, 20}, 0, tools::taLeftJustify, "42", nullptr);
    }
    EXPECT_EQ(byLookUp, expected);

    LookUp.OnDrawItem = [&](QWidget*, QPainter&, TDisplayStyle, int32_t Index, int32_t Margin,
                            const TRect&, TAlignment Alignment,
                            TOwnerDrawState) { asked.emplace_back(Index, Margin, Alignment); };
    Combo.SetAlignment(tools::taRightJustify);
    Entry(Combo, 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_tuple(1, 2, tools::taRightJustify));
}

TEST_F(ComboDrawing, EditEntryIsDrawnAlsoWhenTheLookUpDrawsItsRows)
{
    LookUp.SetAddEditItem(true);
    LookUp.SetDrawStyle(ldsLookUpDraw);
    ASSERT_EQ(Combo.count(), 4);
    EXPECT_NE(FirstColumn(Entry(Combo, 3), std::nullopt, Background()), -1);
}

TEST_F(ComboDrawing, DisabledRowIsGreyUnlessTheBoxIsReadOnly)
{
    LookUp.Items()[2].ChangeEnabled(false);
    const QRgb grey = tools::ToQColor(tools::clGrayText).rgb();
    const QRgb text = tools::ToQColor(tools::clWindowText).rgb();
    ASSERT_NE(grey, text);
    EXPECT_NE(FirstColumn(Entry(Combo, 2), grey, Background()), -1);
    EXPECT_EQ(FirstColumn(Entry(Combo, 1), grey, Background()), -1);

    Combo.SetReadOnly(true);
    const QImage readOnly = Entry(Combo, 2);
    EXPECT_EQ(FirstColumn(readOnly, grey, Background()), -1);
    EXPECT_NE(FirstColumn(readOnly, text, Background()), -1);
    // Even the box's own painting, which passes no state; inside its frames.
    Combo.setCurrentIndex(2);
    const QImage box = Combo.grab().toImage();
    const QImage inside = box.copy(box.rect().adjusted(3, 3, -3, -3));
    EXPECT_NE(FirstColumn(inside, text, Background()), -1);
    EXPECT_EQ(FirstColumn(inside, grey, Background()), -1);
}

TEST_F(ComboDrawing, DropDownRowsAreMeasuredByTheLookUp)
{
    QImage tall(16, 30, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    LookUp.Items()[1].SetGlyph(&tall);
    LookUp.SetAddEditItem(true);
    Combo.SetDisplayStyle(dsCaptionGlyph);
    EXPECT_EQ(Combo.MeasureItemHeight(1), 30);
    EXPECT_EQ(Combo.MeasureItemHeight(3), Combo.ItemHeight()) << "the Edit entry keeps its height";
    Combo.SetDisplayStyle(dsCaption);
    EXPECT_EQ(Combo.MeasureItemHeight(1), Combo.ItemHeight());
}

// ---- The list box ---------------------------------------------------------------------------

// Counts the pointer's moves that reach a widget.
struct TMoveCounter : QObject {
    explicit TMoveCounter(QWidget* Target) { Target->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* Event) override
    {
        Count += Event->type() == QEvent::MouseMove ? 1 : 0;
        return false;
    }
    int Count = 0;
};

class ListBoxHints : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fill(LookUp, {"Radiators", "Floor", "Wall"});
        LookUp.Items()[0].SetHint("Radiators|Panel and column radiators");
        LookUp.Items()[1].SetHint("Floor|Pipes under the floor");
        auto* layout = new QVBoxLayout(&Window);
        List = new TLookUpListBox0(&Window);
        List->setFont(SolidFont());
        layout->addWidget(List);
        Window.resize(220, 200);
    }

    void Show()
    {
        List->SetLookUp(&LookUp);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    // Moves the pointer over entry Row (or below the last one) and waits for its hint.
    bool HoverOver(int Row, const QString& Expected)
    {
        const QPoint at = Row < List->count() ? List->visualItemRect(List->item(Row)).center()
                                              : QPoint(10, List->viewport()->height() - 3);
        QTest::mouseMove(List->viewport(), at);
        return tavo::test::WaitFor([&] { return List->toolTip() == Expected; }, 2000);
    }

    QWidget Window;
    TLookUp LookUp;
    TLookUpListBox0* List = nullptr;
};

TEST_F(ListBoxHints, EntriesShowTheirHintsWhenTheBoxHasNone)
{
    Show();
    EXPECT_TRUE(List->ShowsItemHints());
    ASSERT_TRUE(HoverOver(1, QStringLiteral("Floor|Pipes under the floor")));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Floor")) << "the short part";
    ASSERT_TRUE(HoverOver(2, QStringLiteral("Wall"))) << "a row without hint: its caption";
    ASSERT_TRUE(HoverOver(List->count(), QString())) << "past the last entry";
    // The hints shown are not the box's own: a rebuild keeps them coming.
    LookUp.UpdateItems();
    EXPECT_TRUE(List->ShowsItemHints());
    EXPECT_TRUE(HoverOver(0, QStringLiteral("Radiators|Panel and column radiators")));
}

TEST_F(ListBoxHints, OwnHintIsNeverReplacedByTheEntries)
{
    const QString own = QStringLiteral("Heating|The kinds of heating");
    List->setToolTip(own);
    Show();
    EXPECT_FALSE(List->ShowsItemHints());
    TMoveCounter moves(List->viewport());
    // Upwards, from a point the pointer cannot be at yet (a move that goes nowhere is
    // dropped by the window system).
    for (int row : {2, 1, 0}) {
        const int before = moves.Count;
        QTest::mouseMove(List->viewport(),
                         List->visualItemRect(List->item(row)).center() + QPoint(row, 1));
        ASSERT_TRUE(tavo::test::WaitFor([&] { return moves.Count > before; }));
        EXPECT_EQ(List->toolTip(), own);
        EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text() != QStringLiteral("Heating"));
    }
    // Given later, the own hint stops the entries' hints as well.
    List->setToolTip(QString());
    EXPECT_TRUE(List->ShowsItemHints());
    List->setToolTip(own);
    EXPECT_FALSE(List->ShowsItemHints());
}

TEST(LookUpListBox, CurrentEntryKeptAcrossRebuildsAndDrawnLikeTheCombo)
{
    TLookUp lookup;
    Fill(lookup, {"A", "B", "C"});
    TLookUpListBox0 list;
    list.SetLookUp(&lookup);
    EXPECT_EQ(list.currentRow(), -1);
    list.setCurrentRow(1);
    lookup.Items()[0].SetCaption("B");
    lookup.Items()[1].SetCaption("A");
    lookup.UpdateItems();
    EXPECT_EQ(list.currentRow(), 0);

    // Rows drawn by the lookup get margin 2 and the list box's style.
    std::vector<std::pair<TDisplayStyle, int32_t>> asked;
    lookup.OnDrawItem = [&](QWidget*, QPainter&, TDisplayStyle Style, int32_t, int32_t Margin,
                            const TRect&, TAlignment,
                            TOwnerDrawState) { asked.emplace_back(Style, Margin); };
    lookup.SetDrawStyle(ldsLookUpDraw);
    list.SetDisplayStyle(dsIdStr);
    QImage image(100, 20, QImage::Format_RGB32);
    QPainter canvas(&image);
    list.PaintItem(canvas, 2, {0, 0, 100, 20}, 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(dsIdStr, 2));
}

TEST(LookUpListBox, ColumnsRunDownThenAcrossWithEntriesOfOneHeight)
{
    TLookUp lookup;
    Fill(lookup, {"A", "B", "C", "D", "E", "F"});
    QImage tall(16, 30, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    lookup.Items()[0].SetGlyph(&tall);
    QWidget window;
    TLookUpListBox list(&window);
    list.setProperty("DisplayStyle", dsCaptionGlyph);
    list.setProperty("Columns", 2);
    list.SetLookUp(&lookup);
    list.setFrameShape(QFrame::NoFrame);
    list.resize(200, 3 * list.ItemHeight() + 4);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int rows = list.viewport()->height() / list.ItemHeight();
    ASSERT_GE(rows, 1);
    ASSERT_LT(rows, 6);
    const QRect first = list.visualItemRect(list.item(0));
    const QRect second = list.visualItemRect(list.item(1));
    const QRect topOfNext = list.visualItemRect(list.item(rows));
    EXPECT_EQ(first.height(), list.ItemHeight()) << "fixed heights, the tall glyph aside";
    EXPECT_EQ(first.width(), list.viewport()->width() / 2) << "two columns in the width";
    if (rows > 1) {
        EXPECT_EQ(second.left(), first.left());
    }
    EXPECT_EQ(topOfNext.top(), first.top());
    EXPECT_EQ(topOfNext.left(), first.left() + first.width());
}

}  // namespace
}  // namespace tavo::lookup
