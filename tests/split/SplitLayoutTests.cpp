#include <gtest/gtest.h>

#include "split/SplitLayout.h"

namespace tavo::split {
namespace {

TLayoutInput Input(int32_t Panes, ToxsOrientation Orientation)
{
    TLayoutInput in;
    in.ClientWidth = 506;
    in.ClientHeight = 300;
    in.Inset = 1;
    in.BarWidth = 6;
    in.PositionX = 209;
    in.PositionY = 120;
    in.PaneCount = Panes;
    in.Orientation = Orientation;
    return in;
}

bool Overlap(const TRect& A, const TRect& B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

TEST(SplitLayout, TwoPanesSideBySideLeaveTheBarBetweenThem)
{
    const auto panes = PaneLayout(Input(2, oxsVert));
    ASSERT_EQ(panes.size(), 2u);
    EXPECT_EQ(panes[0], (TRect{1, 1, 209, 299}));
    EXPECT_EQ(panes[1], (TRect{215, 1, 505, 299}));
    const auto stacked = PaneLayout(Input(2, oxsBottom));
    EXPECT_EQ(stacked[0], (TRect{1, 1, 505, 120}));
    EXPECT_EQ(stacked[1], (TRect{1, 126, 505, 299}));
}

TEST(SplitLayout, EveryCountAndOrientationGivesSeparateNonEmptyPanes)
{
    for (int32_t n = 1; n <= 6; ++n) {
        for (int o = oxsVert; o <= oxsBottom; ++o) {
            const auto panes = PaneLayout(Input(n, static_cast<ToxsOrientation>(o)));
            ASSERT_EQ(panes.size(), static_cast<size_t>(std::min(n, 4))) << n << " " << o;
            for (size_t i = 0; i < panes.size(); ++i) {
                EXPECT_FALSE(panes[i].IsEmpty()) << n << " " << o << " pane " << i;
                for (size_t j = i + 1; j < panes.size(); ++j)
                    EXPECT_FALSE(Overlap(panes[i], panes[j])) << n << " " << o << " " << i << j;
            }
        }
    }
}

TEST(SplitLayout, ThreePanesFollowTheOrientation)
{
    // The full-length pane: left for oxsVert, right for oxsRight, bottom for oxsHorz,
    // top for oxsTop.
    EXPECT_EQ(PaneLayout(Input(3, oxsLeft))[0], (TRect{1, 1, 209, 299}));
    EXPECT_EQ(PaneLayout(Input(3, oxsRight))[1], (TRect{215, 1, 505, 299}));
    EXPECT_EQ(PaneLayout(Input(3, oxsHorz))[2], (TRect{1, 126, 505, 299}));
    EXPECT_EQ(PaneLayout(Input(3, oxsTop))[0], (TRect{1, 1, 505, 120}));
    EXPECT_EQ(PaneLayout(Input(3, oxsTop))[1], (TRect{215, 126, 505, 299}));
    EXPECT_EQ(PaneLayout(Input(3, oxsRight))[2], (TRect{1, 126, 209, 299}));
}

TEST(SplitLayout, FirstPaneExtentIsCappedByTheInnerSizeUnlessVersionOne)
{
    TLayoutInput in = Input(2, oxsVert);
    in.PositionX = 900;
    EXPECT_EQ(PaneLayout(in)[0].Right, 504);  // inner width, counted from the inset
    in.Ver1Compat = true;
    EXPECT_EQ(PaneLayout(in)[0].Right, 900);
    // Four and more panes use the positions as they are.
    in.Ver1Compat = false;
    in.PaneCount = 4;
    EXPECT_EQ(PaneLayout(in)[0].Right, 900);
}

TEST(SplitLayout, NoPaneIsMovedWithoutPanesOrWithTooMany)
{
    EXPECT_TRUE(PaneLayout(Input(0, oxsVert)).empty());
    EXPECT_TRUE(PaneLayout(Input(7, oxsVert)).empty());
}

TEST(SplitLayout, BarAreasDependOnPaneCountAndOrientation)
{
    auto bars = BarAreas(Input(1, oxsVert));
    EXPECT_TRUE(bars.Vertical.IsEmpty());
    EXPECT_TRUE(bars.Horizontal.IsEmpty());

    bars = BarAreas(Input(2, oxsVert));
    EXPECT_EQ(bars.Vertical, (TRect{210, 0, 216, 300}));
    EXPECT_TRUE(bars.Horizontal.IsEmpty());
    bars = BarAreas(Input(2, oxsTop));
    EXPECT_TRUE(bars.Vertical.IsEmpty());
    EXPECT_EQ(bars.Horizontal, (TRect{0, 121, 506, 127}));

    EXPECT_EQ(BarAreas(Input(3, oxsHorz)).Vertical.Bottom, 127);
    EXPECT_EQ(BarAreas(Input(3, oxsBottom)).Vertical.Bottom, 127);
    EXPECT_EQ(BarAreas(Input(3, oxsTop)).Vertical.Top, 120);
    EXPECT_EQ(BarAreas(Input(3, oxsVert)).Horizontal.Left, 209);
    EXPECT_EQ(BarAreas(Input(3, oxsRight)).Horizontal.Right, 216);

    bars = BarAreas(Input(4, oxsRight));
    EXPECT_EQ(bars.Vertical, (TRect{210, 0, 216, 300}));
    EXPECT_EQ(bars.Horizontal, (TRect{0, 121, 506, 127}));
}

TEST(SplitLayout, BarAtTellsTheBarsAndTheirCrossingApart)
{
    const auto bars = BarAreas(Input(4, oxsVert));
    EXPECT_EQ(BarAt(bars, 212, 10), -1);
    EXPECT_EQ(BarAt(bars, 10, 123), 1);
    EXPECT_EQ(BarAt(bars, 212, 123), 0);
    EXPECT_EQ(BarAt(bars, 10, 10), sbNone);
    EXPECT_EQ(BarAt(bars, 216, 10), sbNone);  // right edge is outside
}

TEST(SplitLayout, AvailableExtentNeverGoesNegative)
{
    EXPECT_EQ(AvailableExtent(506, 1, 6), 498);
    EXPECT_EQ(AvailableExtent(5, 2, 6), 0);
}

}  // namespace
}  // namespace tavo::split
