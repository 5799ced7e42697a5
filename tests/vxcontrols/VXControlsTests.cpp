// The maker's list box and combo box: the read-only box by its pixels, F1 and the key-down
// event, and items drawn by the control.
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "vxcontrols/VXControls.h"

namespace tavo::vxcontrols {
namespace {

using namespace tools;

QRgb Rgb(TColor Color)
{
    return ToQColor(Color).rgb();
}

// Every colour the read-only frame uses differs from the others, so that each pixel tells
// which frame drew it.
class ReadOnlyCombo : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = QApplication::palette();
        QPalette palette = FSaved;
        palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));      // button shadow
        palette.setColor(QPalette::Light, QColor(0xF0, 0xF0, 0xF0));     // button highlight
        palette.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));    // 3-D dark shadow
        palette.setColor(QPalette::Midlight, QColor(0xD0, 0xD0, 0xD0));  // 3-D light
        palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE0));      // window
        QApplication::setPalette(palette);
        Combo.resize(140, 26);
        Combo.addItems({QStringLiteral("A"), QStringLiteral("B")});
    }
    void TearDown() override { QApplication::setPalette(FSaved); }

    QImage Shot() { return Combo.grab().toImage(); }

    TVXCustomComboBox Combo;

private:
    QPalette FSaved;
};

TEST_F(ReadOnlyCombo, ThreeFramesAroundTheBackgroundWithoutSelection)
{
    Combo.setCurrentIndex(-1);
    Combo.SetReadOnly(true);
    const QImage shot = Shot();
    const int w = shot.width();
    const int h = shot.height();
    EXPECT_EQ(shot.pixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot.pixel(w - 2, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot.pixel(w - 1, h - 1), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.pixel(w - 1, 0), Rgb(clBtnHighlight)) << "the right edge runs to the top";
    EXPECT_EQ(shot.pixel(1, 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(shot.pixel(w - 2, h - 2), Rgb(cl3DLight));
    EXPECT_EQ(shot.pixel(2, 2), Rgb(clWindow));
    EXPECT_EQ(shot.pixel(w - 3, h - 3), Rgb(clWindow));
    // Frame and background only: no text, no drop-down button.
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x)
            ASSERT_EQ(shot.pixel(x, y), Rgb(clWindow)) << x << "," << y;
}

TEST_F(ReadOnlyCombo, SelectedItemIsOwnerDrawnInsideTheFramesWithAnEmptyState)
{
    std::vector<std::tuple<int32_t, TRect, TOwnerDrawState>> drawn;
    Combo.OnDrawItem = [&](QWidget*, QPainter& Canvas, int32_t Index, const TRect& Rect,
                           TOwnerDrawState State) {
        drawn.emplace_back(Index, Rect, State);
        Canvas.fillRect(Rect.ToQRect(), Qt::red);
    };
    Combo.setCurrentIndex(1);
    Combo.SetReadOnly(true);
    QImage shot = Shot();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(std::get<0>(drawn[0]), 1);
    EXPECT_EQ(std::get<1>(drawn[0]), (TRect{3, 3, Combo.width() - 3, Combo.height() - 3}));
    EXPECT_EQ(std::get<2>(drawn[0]), 0u);
    EXPECT_EQ(shot.pixel(2, 2), Rgb(clWindow));
    EXPECT_EQ(shot.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(Combo.width() - 4, Combo.height() / 2), qRgb(255, 0, 0))
        << "no drop-down button over the item";

    // Without a border the item gets the whole client area.
    drawn.clear();
    Combo.SetBorderStyle(bsNone);
    shot = Shot();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(std::get<1>(drawn[0]), (TRect{0, 0, Combo.width(), Combo.height()}));
    EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));
}

TEST_F(ReadOnlyCombo, NoBorderFillsTheWholeBoxWithItsColour)
{
    Combo.SetColor(0x00C0FFC0);
    Combo.SetBorderStyle(bsNone);
    Combo.setCurrentIndex(-1);
    Combo.SetReadOnly(true);
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() - 1), qRgb(0xC0, 0xFF, 0xC0));
    // bsFlat draws the same frame as bsSingle.
    Combo.SetBorderStyle(bsFlat);
    EXPECT_EQ(Shot().pixel(0, 0), Rgb(clBtnShadow));
}

TEST_F(ReadOnlyCombo, StaysDisabledUntilEnabledExplicitly)
{
    ASSERT_TRUE(Combo.isEnabled());
    Combo.SetReadOnly(true);
    EXPECT_FALSE(Combo.isEnabled());
    // Enabled by someone else while read-only: painting disables it again.
    Combo.setEnabled(true);
    Shot();
    EXPECT_FALSE(Combo.isEnabled());

    Combo.SetReadOnly(false);
    EXPECT_FALSE(Combo.isEnabled());
    Shot();
    EXPECT_FALSE(Combo.isEnabled());
    Combo.setEnabled(true);
    Shot();
    EXPECT_TRUE(Combo.isEnabled());
}

TEST(VXComboBox, ClosedBoxDrawsTheCurrentItemItself)
{
    TVXCustomComboBox combo;
    combo.addItems({QStringLiteral("One"), QStringLiteral("Two")});
    combo.setCurrentIndex(1);
    combo.resize(150, 28);
    std::vector<std::pair<int32_t, TOwnerDrawState>> drawn;
    combo.OnDrawItem = [&](QWidget*, QPainter&, int32_t Index, const TRect&,
                           TOwnerDrawState State) { drawn.emplace_back(Index, State); };
    combo.grab();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].first, 1);
    EXPECT_TRUE(drawn[0].second & odComboBoxEdit);
    EXPECT_FALSE(drawn[0].second & odDisabled);
    combo.setEnabled(false);
    drawn.clear();
    combo.grab();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn[0].second & odDisabled);
}

TEST(VXColours, ItemColours)
{
    EXPECT_EQ(ItemTextColor(true, false), clHighlightText);
    EXPECT_EQ(ItemTextColor(true, true), clBtnText);
    EXPECT_EQ(ItemTextColor(false, false), clBtnText);
    EXPECT_EQ(ItemBackColor(true, false), clHighlight);
    EXPECT_EQ(ItemBackColor(true, true), clHighlight);
    EXPECT_EQ(ItemBackColor(false, true), clWindow);
}

// F1 shows the long part of the hint and never reaches the key-down event; other keys do,
// and a key-down handler that clears the key keeps it from the control.
template <typename TControl> void CheckKeys(TControl& Control)
{
    Control.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    Control.setCurrentRow(0);
    Control.setToolTip(QStringLiteral("Rows|The rows of the table"));
    Control.show();
    Control.setFocus();
    std::vector<int> seen;
    bool consume = false;
    Control.OnKeyDown = [&](QWidget*, int& Key, Qt::KeyboardModifiers) {
        seen.push_back(Key);
        if (consume)
            Key = 0;
    };
    test::RecordedMessages messages;
    QTest::keyClick(&Control, Qt::Key_F1);
    EXPECT_TRUE(seen.empty());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, "The rows of the table");

    // A hint without a long part: still not the key-down event's.
    Control.setToolTip(QStringLiteral("Rows|"));
    QTest::keyClick(&Control, Qt::Key_F1);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(messages.Shown.size(), 1u);

    QTest::keyClick(&Control, Qt::Key_Down);
    EXPECT_EQ(seen, std::vector<int>{Qt::Key_Down});
    EXPECT_EQ(Control.currentRow(), 1);
    consume = true;
    QTest::keyClick(&Control, Qt::Key_Down);
    EXPECT_EQ(Control.currentRow(), 1) << "the handler consumed the key";
}

// The combo box's current index under the list box's names.
class TestCombo : public TVXCustomComboBox {
public:
    void setCurrentRow(int Row) { setCurrentIndex(Row); }
    int currentRow() const { return currentIndex(); }
};

TEST(VXKeys, F1NeverReachesKeyDownInTheListBox)
{
    TVXCustomListBox list;
    CheckKeys(list);
}

TEST(VXKeys, F1NeverReachesKeyDownInTheComboBox)
{
    TestCombo combo;
    CheckKeys(combo);
}

TEST(VXListBox, ItemsAreMeasuredAndDrawnByTheControl)
{
    TVXCustomListBox list;
    list.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list.OnMeasureItem = [](QWidget*, int32_t Index, int32_t& Height) {
        Height = Index == 1 ? 40 : 18;
    };
    std::map<int32_t, TOwnerDrawState> states;
    list.OnDrawItem = [&](QWidget*, QPainter& Canvas, int32_t Index, const TRect& Rect,
                          TOwnerDrawState State) {
        states[Index] = State;
        Canvas.fillRect(Rect.ToQRect(), Canvas.brush());
    };
    list.resize(120, 150);
    list.setCurrentRow(2);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), 18);
    EXPECT_EQ(list.visualItemRect(list.item(1)).height(), 40);
    const QImage shot = list.viewport()->grab().toImage();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_TRUE(states[2] & odSelected);
    EXPECT_FALSE(states[0] & odSelected);
    // The framework's brush for a selected item is the highlight.
    const QRect selected = list.visualItemRect(list.item(2));
    EXPECT_EQ(shot.pixel(selected.center()), Rgb(clHighlight));
    EXPECT_EQ(shot.pixel(list.visualItemRect(list.item(0)).center()), Rgb(clWindow));
}

}  // namespace
}  // namespace tavo::vxcontrols
