// The scroll pane: caption bars, close box, pane order and scrolling in step.
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "SplitTestSupport.h"
#include "split/SplitPainting.h"

namespace tavo::split {
namespace {

using test::Pane;
using test::ShownSplit;

TEST(ScrollPane, DefaultsOutsideASplit)
{
    ToxScrollPane pane;
    EXPECT_EQ(pane.PaneIndex(), -1);
    EXPECT_EQ(pane.BorderStyle(), bsNone);
    EXPECT_TRUE(pane.ParentColor());
    EXPECT_TRUE(pane.AutoDock());
    EXPECT_EQ(pane.CaptionStyle(), oxsNone);
    EXPECT_EQ(pane.CaptionOrientation(), ToxsCaptionOrientation::oxsHorz);
    EXPECT_TRUE(pane.CloseBox());
    pane.SetCaptionStyle(oxsGrabBar);
    EXPECT_EQ(pane.CaptionSize(), 0);  // no split, no caption bar
    pane.SetAutoDock(false);
    EXPECT_EQ(pane.DragMode(), dmManual);
    EXPECT_EQ(pane.DragKind(), dkDock);
    pane.SetDragMode(dmAutomatic);
    pane.SetDragKind(dkDrag);
    EXPECT_FALSE(pane.AutoDock());
}

TEST(ScrollPane, CaptionBarsTakeTheirRoomOutsideTheClientArea)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* pane = Pane(*split, 0);
    const QSize bounds = pane->size();
    EXPECT_EQ(pane->ClientRect(), QRect(QPoint(0, 0), bounds));
    pane->SetCaptionStyle(oxsGrabBar);
    EXPECT_EQ(pane->CaptionSize(), 11);
    EXPECT_EQ(pane->ClientRect(), QRect(0, 11, bounds.width(), bounds.height() - 11));
    pane->SetCaptionOrientation(ToxsCaptionOrientation::oxsVert);
    EXPECT_EQ(pane->ClientRect(), QRect(11, 0, bounds.width() - 11, bounds.height()));
    pane->SetCaptionStyle(oxsTitlebar);
    EXPECT_EQ(pane->CaptionSize(), ToxScrollPane::SmallCaptionHeight());
    EXPECT_GE(pane->CaptionSize(), 14);
    EXPECT_EQ(pane->ClientRect().left(), pane->CaptionSize());
    pane->SetCaptionStyle(oxsNone);
    EXPECT_EQ(pane->ClientRect(), QRect(QPoint(0, 0), bounds));
}

TEST(ScrollPane, GrabBarDrawsTwoRaisedLinesAndTheCloseBox)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* pane = Pane(*split, 1);
    pane->SetCaptionStyle(oxsGrabBar);
    const QRect box = pane->CloseBoxRect();
    // S = 11 - 2: a box 9 wide, 8 high, at the grip's right end, one above it.
    EXPECT_EQ(box, QRect(pane->width() - 3 - 9, 1, 9, 8));
    const QImage image = pane->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb highlight = test::Rgb(tools::clBtnHighlight);
    const QRgb shadow = test::Rgb(tools::clBtnShadow);
    const int x = 20;
    EXPECT_EQ(image.pixel(x, 1), test::Rgb(pane->Color()));
    EXPECT_EQ(image.pixel(x, 2), highlight);
    EXPECT_EQ(image.pixel(x, 4), shadow);
    EXPECT_EQ(image.pixel(x, 5), highlight);  // the second line, three lower
    EXPECT_EQ(image.pixel(x, 7), shadow);
    EXPECT_EQ(image.pixel(x, 8), test::Rgb(pane->Color()));
    EXPECT_EQ(image.pixel(2, 3), highlight);  // the line's left end is raised too
    EXPECT_EQ(image.pixel(box.left() - 1, 2), highlight);

    pane->SetCloseBox(false);
    EXPECT_TRUE(pane->CloseBoxRect().isEmpty());
}

TEST(ScrollPane, TitleBarIsFilledWithTheCaptionColour)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* pane = Pane(*split, 1);
    pane->SetCaptionStyle(oxsTitlebar);
    pane->SetCaption("Contents");
    const int size = pane->CaptionSize();
    EXPECT_EQ(pane->CloseBoxRect(), QRect(pane->width() - (size - 2) - 1, 2, size - 2, size - 3));
    const QImage image = pane->grab().toImage();
    const QRgb caption = test::Rgb(tools::clActiveCaption);
    EXPECT_EQ(image.pixel(pane->width() / 2, size - 1), caption);
    EXPECT_NE(image.pixel(pane->width() / 2, size), caption);
    pane->SetCaptionOrientation(ToxsCaptionOrientation::oxsVert);
    EXPECT_EQ(pane->CloseBoxRect(), QRect(2, 2, size - 3, size - 4));
}

TEST(ScrollPane, CloseBoxHidesThePaneAndTheOthersTakeItsRoom)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* first = Pane(*split, 0);
    first->SetCaptionStyle(oxsGrabBar);
    const QPoint box = first->CloseBoxRect().center();
    test::Click(first, QPoint(5, 5));  // on the grip: nothing closes
    EXPECT_FALSE(first->isHidden());
    test::Click(first, box);
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(Pane(*split, 1)->geometry(), QRect(1, 1, 398, 298));
}

TEST(ScrollPane, CloseBoxBesideAScrollBarStillWorks)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* pane = Pane(*split, 1);
    auto* tall = new QLabel(QStringLiteral("tall"));
    tall->setFixedSize(100, 2000);
    pane->setWidget(tall);
    pane->SetCaptionStyle(oxsTitlebar);
    ASSERT_TRUE(test::WaitForScrollBar(pane));
    // The scroll bar starts below the caption bar, which runs on to the right edge.
    EXPECT_GE(pane->verticalScrollBar()->mapTo(pane, QPoint(0, 0)).y(), pane->CaptionSize());
    test::Click(pane, pane->CloseBoxRect().center());
    EXPECT_TRUE(pane->isHidden());
}

TEST(ScrollPane, PaneIndexMovesThePaneWithinItsSplit)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* first = Pane(*split, 0);
    first->SetPaneIndex(10);
    EXPECT_EQ(first->PaneIndex(), 1);
    EXPECT_EQ(split->Panes().back(), first);
    EXPECT_EQ(first->x(), split->PositionX() + 6);
    first->SetPaneIndex(-3);
    EXPECT_EQ(first->PaneIndex(), 0);
    EXPECT_EQ(first->x(), 1);
}

TEST(ScrollPane, SyncScrollMovesTheOtherPanesAlongOneDirection)
{
    auto split = ShownSplit(400, 300, 2);
    split->SetSyncScroll(true);
    for (int i = 0; i < 2; ++i) {
        auto* big = new QLabel(QStringLiteral("big"));
        big->setFixedSize(1000, 1000);
        Pane(*split, i)->setWidget(big);
    }
    ToxScrollPane* first = Pane(*split, 0);
    ToxScrollPane* second = Pane(*split, 1);
    ASSERT_TRUE(test::WaitForScrollBar(first));
    second->horizontalScrollBar()->setValue(7);
    first->horizontalScrollBar()->setValue(0);
    ASSERT_EQ(second->horizontalScrollBar()->value(), 0);

    // A click below the vertical slider pages down.
    QScrollBar* bar = first->verticalScrollBar();
    test::Click(bar, QPoint(bar->width() / 2, bar->height() - 30));
    ASSERT_GT(bar->value(), 0);
    EXPECT_EQ(second->verticalScrollBar()->value(), bar->value());
    EXPECT_EQ(second->horizontalScrollBar()->value(), 0);

    QScrollBar* across = second->horizontalScrollBar();
    test::Click(across, QPoint(across->width() - 30, across->height() / 2));
    ASSERT_GT(across->value(), 0);
    EXPECT_EQ(first->horizontalScrollBar()->value(), across->value());
    EXPECT_EQ(second->verticalScrollBar()->value(), bar->value());

    split->SetSyncScroll(false);
    bar->setValue(0);
    EXPECT_GT(second->verticalScrollBar()->value(), 0);
}

TEST(ScrollPane, ParentColourFollowsTheSplit)
{
    auto split = ShownSplit(400, 300, 2);
    ToxScrollPane* pane = Pane(*split, 0);
    EXPECT_EQ(pane->Color(), tools::clBtnFace);
    split->SetColor(0x1E780A);
    EXPECT_EQ(pane->Color(), 0x1E780A);
    EXPECT_EQ(pane->grab().toImage().pixel(20, 20), qRgb(10, 120, 30));
    pane->SetColor(tools::clWhite);
    EXPECT_FALSE(pane->ParentColor());
    split->SetColor(tools::clBlack);
    EXPECT_EQ(pane->Color(), tools::clWhite);
    ToxScrollPane alone;
    EXPECT_EQ(alone.Color(), tools::clWindow);
}

}  // namespace
}  // namespace tavo::split
