// The split's positions, percentages, layout, styles and painting.
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "SplitTestSupport.h"
#include "split/SplitPainting.h"

namespace tavo::split {
namespace {

using test::Pane;
using test::ShownSplit;

TEST(Split, NewControlHasTheDocumentedDefaults)
{
    ToxSplit split;
    EXPECT_EQ(split.width(), 100);
    EXPECT_EQ(split.height(), 100);
    EXPECT_EQ(split.BarWidth(), 6);
    EXPECT_EQ(split.PositionX(), 50);
    EXPECT_EQ(split.PercentY(), 50);
    EXPECT_EQ(split.Style(), oxsAuto);
    EXPECT_EQ(split.EffectiveStyle(), oxsWin95);
    EXPECT_EQ(split.Inset(), 2);
    EXPECT_EQ(split.Orientation(), oxsVert);
    EXPECT_EQ(split.Options(), ToxsOptions{oxsHideInvisible});
    EXPECT_EQ(split.BorderStyle(), bsSingle);
    EXPECT_TRUE(split.DockSite());
    EXPECT_FALSE(split.AutoUpdate() || split.Locked() || split.SyncScroll());
    EXPECT_EQ(split.Color(), tools::clBtnFace);
}

TEST(Split, FortyTwoPercentOfFiveHundredSixPixels)
{
    auto split = ShownSplit(506, 300, 2, oxsInset, {oxsHideInvisible, oxsSaveAsPercent});
    split->SetPercentX(42);
    EXPECT_EQ(split->Inset(), 1);
    EXPECT_EQ(split->AvailableWidth(), 498);
    EXPECT_EQ(split->PositionX(), 209);
    EXPECT_EQ(split->PercentX(), 42);
    EXPECT_EQ(Pane(*split, 0)->geometry(), QRect(1, 1, 208, 298));  // x 1 to 209
    EXPECT_EQ(Pane(*split, 1)->geometry(), QRect(215, 1, 290, 298));
}

TEST(Split, ResizingKeepsPercentOrPositionByOption)
{
    auto keepsPercent = ShownSplit(506, 300, 2, oxsInset, {oxsSaveAsPercent});
    keepsPercent->SetPercentX(42);
    keepsPercent->resize(306, 300);
    EXPECT_EQ(keepsPercent->PercentX(), 42);
    EXPECT_EQ(keepsPercent->PositionX(), 298 * 42 / 100);
    EXPECT_EQ(Pane(*keepsPercent, 1)->x(), 125 + 6);

    auto keepsPosition = ShownSplit(506, 300, 2, oxsInset, {});
    keepsPosition->SetPositionX(209);
    EXPECT_EQ(keepsPosition->PercentX(), 41);  // 209 * 100 div 498, truncated
    keepsPosition->resize(306, 300);
    EXPECT_EQ(keepsPosition->PositionX(), 209);
    EXPECT_EQ(keepsPosition->PercentX(), 70);  // 209 * 100 div 298
}

TEST(Split, PositionsAreClampedAndPercentagesBounded)
{
    auto split = ShownSplit(206, 106, 2, oxsInset, {});
    split->SetPositionX(-40);
    EXPECT_EQ(split->PositionX(), 0);
    EXPECT_EQ(split->PercentX(), 0);
    split->SetPositionX(1000);  // kept without version 1, the percentage stops at 100
    EXPECT_EQ(split->PositionX(), 1000);
    EXPECT_EQ(split->PercentX(), 100);
    split->SetOptions({oxsVer1Compat});
    split->SetPositionY(500);
    EXPECT_EQ(split->PositionY(), 98);
    EXPECT_EQ(split->PositionX(), 198);
    split->SetPercentY(50);
    EXPECT_EQ(split->PositionY(), 49);
    split->SetPercentY(250);  // a percentage is 0 to 100
    EXPECT_EQ(split->PercentY(), 100);
    EXPECT_EQ(split->PositionY(), 98);
}

TEST(Split, NoRoomLeavesThePercentageAlone)
{
    auto split = ShownSplit(200, 200, 2, oxsInset, {});
    split->SetPositionX(99);
    const TPercent before = split->PercentX();
    split->resize(8, 200);  // 8 - 2 - 6 = 0 pixels to share
    EXPECT_EQ(split->AvailableWidth(), 0);
    EXPECT_EQ(split->PercentX(), before);
    split->SetOptions({oxsSaveAsPercent});
    split->resize(4, 200);
    EXPECT_EQ(split->PositionX(), 0);
    EXPECT_EQ(split->PercentX(), before);
}

TEST(Split, HidingOneOfTwoPanesGivesTheOtherTheWholeInside)
{
    auto split = ShownSplit(300, 200, 2);
    Pane(*split, 0)->hide();
    EXPECT_EQ(split->VisiblePaneCount(), 1);
    EXPECT_EQ(split->VisiblePane(0), Pane(*split, 1));
    EXPECT_EQ(Pane(*split, 1)->geometry(), QRect(1, 1, 298, 198));
    EXPECT_TRUE(split->Bars().Vertical.IsEmpty());
    EXPECT_TRUE(split->Bars().Horizontal.IsEmpty());

    // Without the option a hidden pane keeps its place.
    split->SetOptions({});
    split->AlignControls();
    EXPECT_EQ(split->VisiblePaneCount(), 2);
    EXPECT_EQ(Pane(*split, 1)->x(), split->PositionX() + 6);
}

TEST(Split, ResizeNotificationIsGuardedAgainstItsOwnChanges)
{
    auto split = ShownSplit(300, 200, 2, oxsInset, {});
    int calls = 0;
    // As the viewer does: keep the first pane at least 56 wide.
    QObject::connect(split.get(), &ToxCustomSplit::OnResize, [&] {
        ++calls;
        if (split->PositionX() < 56)
            split->SetPositionX(56);
    });
    split->SetPositionX(10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(split->PositionX(), 56);
    split->SetPercentY(30);
    EXPECT_EQ(calls, 2);
    split->resize(320, 200);
    EXPECT_EQ(calls, 3);
}

TEST(Split, LoadingStoresStyleAndOrientationUntilItEnds)
{
    auto split = ShownSplit(300, 200, 3, oxsWin95, {});
    const QRect before = Pane(*split, 2)->geometry();
    split->BeginLoading();
    split->SetStyle(oxsPlain);
    split->SetOrientation(oxsTop);
    split->SetStyle(oxsInset);
    EXPECT_EQ(split->EffectiveStyle(), oxsWin95);
    EXPECT_EQ(split->Inset(), 2);
    EXPECT_EQ(Pane(*split, 2)->geometry(), before);
    split->EndLoading();
    EXPECT_EQ(split->EffectiveStyle(), oxsInset);
    EXPECT_EQ(split->Inset(), 1);
    EXPECT_EQ(Pane(*split, 2)->geometry().left(), 1);  // oxsTop: third pane bottom left
}

TEST(Split, StylesSetTheInset)
{
    ToxSplit split;
    const std::pair<ToxsStyle, int> insets[] = {{oxsWin31, 0}, {oxsWin95, 2},  {oxsWin97, 2},
                                                {oxsInset, 1}, {oxsGroove, 1}, {oxsRaised, 1},
                                                {oxsPlain, 1}, {oxsAuto, 2}};
    for (auto [style, inset] : insets) {
        split.SetStyle(style);
        EXPECT_EQ(split.Inset(), inset) << int(style);  // oxsPlain keeps the inset it had
    }
}

TEST(Split, PlainSplitOfOnePaneFillsTheControl)
{
    ToxSplit split;
    split.SetStyle(oxsPlain);
    auto* pane = new ToxScrollPane(&split);
    pane->SetColor(tools::clInfoBk);  // told apart from the split's own colour
    split.resize(300, 200);
    split.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&split));
    EXPECT_EQ(split.EffectiveStyle(), oxsPlain);
    EXPECT_EQ(split.Inset(), 0);
    EXPECT_EQ(pane->geometry(), split.rect());
    const QImage image = test::Grab(&split);
    const QRgb paneColour = test::Rgb(tools::clInfoBk);
    ASSERT_NE(paneColour, test::Rgb(split.Color()));
    for (QPoint corner : {QPoint(0, 0), QPoint(299, 0), QPoint(0, 199), QPoint(299, 199)})
        EXPECT_EQ(image.pixel(corner), paneColour) << corner.x() << "," << corner.y();

    // Plain after another style keeps that style's inset, as before.
    split.SetStyle(oxsInset);
    split.SetStyle(oxsPlain);
    EXPECT_EQ(split.Inset(), 1);
}

TEST(Split, PanesComeAndGoWithTheirChildren)
{
    auto split = ShownSplit(300, 200, 3);
    ToxScrollPane* middle = Pane(*split, 1);
    delete middle;
    ASSERT_EQ(split->Panes().size(), 2u);
    EXPECT_EQ(Pane(*split, 2)->PaneIndex(), 1);
    std::unique_ptr<ToxScrollPane> last(Pane(*split, 2));
    last->setParent(nullptr);
    EXPECT_EQ(split->Panes().size(), 1u);
    EXPECT_EQ(last->PaneIndex(), -1);
    EXPECT_EQ(Pane(*split, 0)->geometry(), QRect(1, 1, 298, 198));
}

// Pixels left of the second pane, outward from the pane.
struct Corner {
    QRgb Inside;
    QRgb Out1;
    QRgb Out2;
    QRgb Out3;
};
Corner FrameAt(ToxCustomSplit& Split)
{
    const QImage image = test::Grab(&Split);
    const QRect pane = Pane(Split, 1)->geometry();
    const int y = pane.center().y();
    return {image.pixel(pane.left(), y), image.pixel(pane.left() - 1, y),
            image.pixel(pane.left() - 2, y), image.pixel(pane.left() - 3, y)};
}

TEST(Split, EachStyleDrawsItsFrames)
{
    auto split = ShownSplit(300, 200, 2, oxsInset);
    const QRgb face = test::Rgb(split->Color());
    const QRgb shadow = test::Rgb(tools::clBtnShadow);
    const QRgb frame = test::Rgb(tools::clWindowFrame);
    ASSERT_NE(shadow, face);

    EXPECT_EQ(FrameAt(*split).Out1, shadow);
    split->SetStyle(oxsWin95);
    EXPECT_EQ(FrameAt(*split).Out1, frame);
    EXPECT_EQ(FrameAt(*split).Out2, shadow);
    split->SetStyle(oxsRaised);
    EXPECT_EQ(FrameAt(*split).Out1, face);  // a gap of the split's colour inside the frames
    EXPECT_EQ(FrameAt(*split).Out2, frame);
    EXPECT_EQ(FrameAt(*split).Out3, shadow);
    split->SetStyle(oxsPlain);
    EXPECT_EQ(FrameAt(*split).Out1, face);
    split->SetStyle(oxsWin31);  // no inset: the frames lie beside the bar
    const QImage image = test::Grab(split.get());
    EXPECT_EQ(image.pixel(split->PositionX() + 3, 0), frame);  // around the whole client area
    EXPECT_EQ(image.pixel(Pane(*split, 1)->x() - 1, 100), shadow);
}

TEST(Split, GrooveFramesSitOneRightAndDownAndHalfABarOut)
{
    // A pane at (50, 20)-(100, 80) with bars 6 wide: moved to (51, 21)-(101, 81), then 3
    // out on every side, the highlight / frame pair outside the face / shadow one.
    QImage image(160, 120, QImage::Format_RGB32);
    const QRgb background = qRgb(1, 2, 3);
    image.fill(background);
    {
        QPainter painter(&image);
        PaintPaneFrames(painter, oxsGroove, {QRect(50, 20, 50, 60)}, 6, false, image.rect());
    }
    EXPECT_EQ(image.pixel(48, 50), test::Rgb(tools::clBtnHighlight));
    EXPECT_EQ(image.pixel(49, 50), test::Rgb(tools::clBtnFace));
    EXPECT_EQ(image.pixel(103, 50), test::Rgb(tools::clWindowFrame));
    EXPECT_EQ(image.pixel(102, 50), test::Rgb(tools::clBtnShadow));
    EXPECT_EQ(image.pixel(70, 18), test::Rgb(tools::clBtnHighlight));
    EXPECT_EQ(image.pixel(70, 83), test::Rgb(tools::clWindowFrame));
    EXPECT_EQ(image.pixel(47, 50), background);
    EXPECT_EQ(image.pixel(104, 50), background);
    EXPECT_EQ(image.pixel(70, 50), background) << "the pane itself is left alone";
}

TEST(Split, Win97FramesLightUpWhileTheMouseIsOverABar)
{
    auto split = ShownSplit(300, 200, 2, oxsWin97);
    const int bar = split->PositionX() + split->Inset() + 2;
    EXPECT_EQ(FrameAt(*split).Out2, test::Rgb(tools::clBtnFace));
    test::Move(split.get(), QPoint(bar, 100));
    EXPECT_TRUE(split->Hot());
    EXPECT_EQ(FrameAt(*split).Out2, test::Rgb(tools::clBtnShadow));
    test::Move(split.get(), QPoint(100, 100));  // over the pane, which is not the split
    test::Move(split.get(), QPoint(bar, 1));
    test::Move(split.get(), QPoint(1, 1));
    EXPECT_FALSE(split->Hot());

    split->SetStyle(oxsInset);  // only the Win97 style lights up
    test::Move(split.get(), QPoint(bar, 100));
    EXPECT_FALSE(split->Hot());
}

TEST(Split, Win97FramesGoOutWhenThePointerLeavesABarForAPaneOrTheControl)
{
    // The split inside a window, so that the pointer can also leave it for the window.
    QWidget window;
    window.resize(340, 240);
    auto* split = new ToxSplit(&window);
    split->SetStyle(oxsWin97);
    split->setGeometry(20, 20, 300, 200);
    auto* left = new ToxScrollPane(split);
    auto* right = new ToxScrollPane(split);
    right->setObjectName(QStringLiteral("Pane1"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRgb lit = test::Rgb(tools::clBtnShadow);
    const QRgb dark = test::Rgb(tools::clBtnFace);
    const QPoint bar(split->PositionX() + split->Inset() + 2, 100);
    // grab() paints the split afresh; the window's own pixels also show whether it was
    // repainted when the frames went out.
    const QRect pane = right->geometry().translated(split->pos());
    const QPoint frame(pane.left() - 2, pane.center().y());
    auto shows = [&window, frame](QRgb Colour) {
        return QTest::qWaitFor([&] {
            return window.screen()->grabWindow(window.winId()).toImage().pixel(frame) == Colour;
        });
    };

    test::Move(split, bar);
    ASSERT_TRUE(split->Hot());
    ASSERT_EQ(FrameAt(*split).Out2, lit);
    ASSERT_TRUE(shows(lit));
    test::Move(split, left->geometry().center());  // straight onto the pane
    EXPECT_FALSE(split->Hot());
    EXPECT_EQ(FrameAt(*split).Out2, dark);
    EXPECT_TRUE(shows(dark));

    test::Move(split, bar);
    ASSERT_TRUE(shows(lit));
    test::Move(split, QPoint(bar.x(), -10));  // out of the split, onto the window
    EXPECT_FALSE(split->Hot());
    EXPECT_EQ(FrameAt(*split).Out2, dark);
    EXPECT_TRUE(shows(dark));
}

TEST(Split, SplitCursorIsSharedAndReleasedWithItsLastHolder)
{
    std::weak_ptr<const QCursor> seen;
    {
        auto first = AcquireSplitCursor();
        auto second = AcquireSplitCursor();
        EXPECT_EQ(first, second);
        EXPECT_EQ(first->shape(), Qt::BitmapCursor);
        EXPECT_EQ(first->hotSpot(), QPoint(16, 16));
        seen = first;
    }
    EXPECT_TRUE(seen.expired());
}

}  // namespace
}  // namespace tavo::split
