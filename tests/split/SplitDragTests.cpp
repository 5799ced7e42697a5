// Dragging the bars with the mouse, the outline, the cursor and docking panes.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "SplitTestSupport.h"
#include "split/SplitPainting.h"

namespace tavo::split {
namespace {

using test::Pane;
using test::ShownSplit;

QPoint OnVerticalBar(const ToxCustomSplit& Split, int Y = 50)
{
    return QPoint(Split.PositionX() + Split.Inset() + 2, Y);
}

TEST(SplitDrag, DraggingToTheFarRightStopsAtTheLastPlaceForTheBar)
{
    auto split = ShownSplit(506, 300, 2);
    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    test::Drag(split.get(), OnVerticalBar(*split), QPoint(900, 60));
    EXPECT_EQ(split->PositionX(), 506 - 6 - 1);
    EXPECT_FALSE(split->Dragging());
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(Pane(*split, 1)->x(), 505);  // the second pane has no width left
    test::Drag(split.get(), OnVerticalBar(*split), QPoint(-50, 60));
    EXPECT_EQ(split->PositionX(), 0);
}

TEST(SplitDrag, TheGrabOffsetIsKeptWhileDragging)
{
    auto split = ShownSplit(506, 300, 2);
    const int before = split->PositionX();
    // Grabbed four pixels into the bar: the bar's left edge moves as much as the mouse.
    const QPoint grab(before + 1 + 4, 80);
    test::Drag(split.get(), grab, grab + QPoint(-37, 25));
    EXPECT_EQ(split->PositionX(), before - 37);
    EXPECT_EQ(split->PositionY(), 50);  // side by side: only the vertical bar moves
}

TEST(SplitDrag, AClickOnTheBarChangesNothingButIsReported)
{
    auto split = ShownSplit(506, 300, 2, oxsInset, {});
    split->SetPositionX(200);
    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    QSignalSpy resizes(split.get(), &ToxCustomSplit::OnResize);
    test::Click(split.get(), OnVerticalBar(*split));
    EXPECT_EQ(split->PositionX(), 200);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(resizes.count(), 0);
    // Every release counts, also of other buttons and away from the bars.
    test::Click(split.get(), OnVerticalBar(*split), Qt::RightButton);
    test::Click(split.get(), QPoint(0, 5));
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(split->PositionX(), 200);
}

TEST(SplitDrag, CursorShowsWhichBarsWouldMove)
{
    auto split = ShownSplit(400, 300, 4);
    const int x = split->PositionX() + 3;
    const int y = split->PositionY() + 3;
    test::Move(split.get(), QPoint(x, 10));
    EXPECT_EQ(split->cursor().shape(), Qt::SplitHCursor);
    test::Move(split.get(), QPoint(10, y));
    EXPECT_EQ(split->cursor().shape(), Qt::SplitVCursor);
    test::Move(split.get(), QPoint(x, y));
    EXPECT_EQ(split->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(split->cursor().pixmap().toImage(), AcquireSplitCursor()->pixmap().toImage());
    test::Move(split.get(), QPoint(0, 5));
    EXPECT_EQ(split->cursor().shape(), Qt::ArrowCursor);
}

TEST(SplitDrag, CrossingDragMovesBothBars)
{
    auto split = ShownSplit(400, 300, 4, oxsInset, {});
    const QPoint crossing(split->PositionX() + 3, split->PositionY() + 3);
    test::Drag(split.get(), crossing, crossing + QPoint(40, -20));
    EXPECT_EQ(split->PositionX(), 90);
    EXPECT_EQ(split->PositionY(), 30);
    EXPECT_EQ(Pane(*split, 2)->geometry().topLeft(), QPoint(96, 36));
}

TEST(SplitDrag, AClickOnTheCrossingStoresBothPositionsAndReportsOnce)
{
    auto split = ShownSplit(506, 300, 4, oxsInset, {oxsHideInvisible, oxsSaveAsPercent});
    split->SetPercentX(42);
    split->SetPercentY(22);
    ASSERT_EQ(split->PositionX(), 209);  // 498 * 42 div 100
    ASSERT_EQ(split->PositionY(), 64);   // 292 * 22 div 100
    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    QSignalSpy resizes(split.get(), &ToxCustomSplit::OnResize);
    test::Click(split.get(), QPoint(209 + 1 + 3, 64 + 1 + 3));
    EXPECT_EQ(split->PositionX(), 209);
    EXPECT_EQ(split->PositionY(), 64);
    // The percentages now come from the positions, as after any crossing drag.
    EXPECT_EQ(split->PercentX(), 41);  // 209 * 100 div 498
    EXPECT_EQ(split->PercentY(), 21);  // 64 * 100 div 292
    EXPECT_EQ(resizes.count(), 1);
    EXPECT_EQ(changes.count(), 1);
}

TEST(SplitDrag, LockedBarsNeitherDragNorChangeTheCursor)
{
    auto split = ShownSplit(400, 300, 2);
    split->SetLocked(true);
    test::Move(split.get(), OnVerticalBar(*split));
    EXPECT_EQ(split->cursor().shape(), Qt::ArrowCursor);
    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    test::Drag(split.get(), OnVerticalBar(*split), QPoint(300, 50));
    EXPECT_EQ(split->PositionX(), 50);
    EXPECT_EQ(changes.count(), 1);
}

TEST(SplitDrag, OutlineInvertsTheScreenAndLeavesItAsItWas)
{
    auto split = ShownSplit(400, 300, 4);
    const QImage before = test::Grab(split.get());
    const QPoint crossing(split->PositionX() + 3, split->PositionY() + 3);
    test::Press(split.get(), crossing);
    test::Move(split.get(), crossing + QPoint(100, 60));
    ASSERT_TRUE(split->Dragging());
    const QImage during = test::Grab(split.get());
    const int stripX = split->PositionX() + 1 + 100;  // the bar's left edge, moved
    const int stripY = split->PositionY() + 1 + 60;
    // On the vertical strip, away from the crossing: every pixel inverted.
    for (QPoint p : {QPoint(stripX, 10), QPoint(stripX + 5, 250), QPoint(20, stripY)})
        EXPECT_EQ(during.pixel(p) & 0xFFFFFF, ~before.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
    // Where both strips cross, inverted twice.
    EXPECT_EQ(during.pixel(stripX + 2, stripY + 2), before.pixel(stripX + 2, stripY + 2));
    EXPECT_EQ(during.pixel(stripX - 1, 10), before.pixel(stripX - 1, 10));
    // Panes wait for the release.
    EXPECT_EQ(split->PositionX(), 50);
    test::Release(split.get(), crossing + QPoint(100, 60));
    EXPECT_EQ(split->PositionX(), 150);
    EXPECT_EQ(split->PositionY(), 110);
    // The bar now lies where the strip was, in the split's own colour: nothing is left inverted.
    EXPECT_EQ(test::Grab(split.get()).pixel(20, stripY + 2), test::Rgb(split->Color()));
}

TEST(SplitDrag, AutoUpdateMovesThePanesWithTheMouse)
{
    auto split = ShownSplit(400, 300, 2);
    split->SetAutoUpdate(true);
    const QImage before = test::Grab(split.get());
    test::Press(split.get(), OnVerticalBar(*split));
    test::Move(split.get(), OnVerticalBar(*split) + QPoint(70, 0));
    EXPECT_EQ(split->PositionX(), 120);
    EXPECT_EQ(Pane(*split, 1)->x(), 126);
    // No outline: the bar is drawn at its new place as it was at the old one.
    EXPECT_EQ(test::Grab(split.get()).pixel(124, 10), before.pixel(54, 10));
    test::Release(split.get(), OnVerticalBar(*split));
}

TEST(SplitDrag, EscapeGivesTheBarBack)
{
    auto split = ShownSplit(400, 300, 2);
    split->SetAutoUpdate(true);
    test::Press(split.get(), OnVerticalBar(*split));
    test::Move(split.get(), OnVerticalBar(*split) + QPoint(70, 0));
    ASSERT_EQ(split->PositionX(), 120);
    QTest::keyClick(split.get(), Qt::Key_Escape);
    EXPECT_FALSE(split->Dragging());
    EXPECT_EQ(split->PositionX(), 50);
    test::Move(split.get(), QPoint(300, 50));
    test::Release(split.get(), QPoint(300, 50));
    EXPECT_EQ(split->PositionX(), 50);
}

TEST(SplitDock, DroppedPaneTakesThePlaceOfThePaneBelow)
{
    auto split = ShownSplit(400, 300, 3);
    ToxScrollPane* third = Pane(*split, 2);
    third->SetCaptionStyle(oxsGrabBar);
    const QPoint onFirst = Pane(*split, 0)->geometry().center();
    test::Drag(split.get(), third->geometry().topLeft() + QPoint(20, 5), onFirst);
    EXPECT_EQ(third->PaneIndex(), 0);
    EXPECT_EQ(Pane(*split, 0)->PaneIndex(), 1);
    EXPECT_EQ(third->geometry().topLeft(), QPoint(1, 1));
    EXPECT_FALSE(third->isHidden());
}

TEST(SplitDock, AFullSplitTakesNoPaneFromOutside)
{
    QWidget window;
    window.resize(800, 300);
    auto* full = new ToxSplit(&window);
    full->setGeometry(0, 0, 400, 300);
    for (int i = 0; i < 4; ++i)
        new ToxScrollPane(full);
    auto* other = new ToxSplit(&window);
    other->setGeometry(400, 0, 400, 300);
    auto* stranger = new ToxScrollPane(other);
    auto* stays = new ToxScrollPane(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(full->CanDock(stranger));
    EXPECT_TRUE(full->CanDock(full->Panes()[0]));
    test::Drag(&window, QPoint(420, 150), QPoint(100, 100));
    EXPECT_EQ(stranger->OwnerSplit(), other);
    EXPECT_EQ(full->Panes().size(), 4u);

    // With room it docks, taking the place of the pane below.
    delete full->Panes()[3];
    test::Drag(&window, QPoint(420, 150), QPoint(100, 100));
    EXPECT_EQ(stranger->OwnerSplit(), full);
    EXPECT_EQ(stranger->PaneIndex(), 2);
    EXPECT_EQ(stranger->geometry(), QRect(56, 56, 342, 242));
    EXPECT_EQ(other->Panes(), std::vector<ToxScrollPane*>{stays});
    EXPECT_EQ(stays->geometry(), QRect(2, 2, 396, 296));
}

TEST(SplitDock, DroppedAwayFromAnySplitThePaneFloats)
{
    QWidget window;
    window.resize(600, 300);
    auto* split = new ToxSplit(&window);
    split->setGeometry(0, 0, 400, 300);
    auto* pane = new ToxScrollPane(split);
    pane->SetCaptionStyle(oxsGrabBar);
    new ToxScrollPane(split);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(pane->CaptionSize(), 11);
    test::Drag(&window, QPoint(30, 5), QPoint(500, 100));
    EXPECT_TRUE(pane->Floating());
    EXPECT_EQ(pane->OwnerSplit(), nullptr);
    EXPECT_EQ(pane->CaptionSize(), 0);
    EXPECT_EQ(split->Panes().size(), 1u);
    // By program it goes back.
    EXPECT_TRUE(pane->ManualDock(split));
    EXPECT_FALSE(pane->Floating());
    EXPECT_EQ(pane->PaneIndex(), 1);
}

TEST(SplitDock, ControlsInAPaneDoNotDragIt)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* second = Pane(*split, 1);
    auto* panel = new QWidget;  // lets mouse presses pass to its parent
    panel->setFixedSize(100, 100);
    second->setWidget(panel);
    const QPoint onPanel = second->geometry().topLeft() + QPoint(50, 50);
    test::Press(split.get(), onPanel);
    test::Move(split.get(), onPanel + QPoint(-60, 0));
    test::Move(split.get(), QPoint(20, 20));
    EXPECT_FALSE(second->DockDragging());
    test::Release(split.get(), QPoint(20, 20));
    EXPECT_EQ(second->PaneIndex(), 1);
    EXPECT_FALSE(second->Floating());
}

TEST(SplitDock, EscapeCancelsADockDrag)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* second = Pane(*split, 1);
    const QPoint from = second->geometry().center();
    test::Press(split.get(), from);
    test::Move(split.get(), from + QPoint(-40, 0));
    test::Move(split.get(), QPoint(20, 20));
    ASSERT_TRUE(second->DockDragging());
    QTest::keyClick(split.get(), Qt::Key_Escape);
    EXPECT_FALSE(second->DockDragging());
    test::Release(split.get(), QPoint(20, 20));
    EXPECT_EQ(second->PaneIndex(), 1);
}

}  // namespace
}  // namespace tavo::split
