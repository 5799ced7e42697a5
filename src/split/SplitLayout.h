#pragma once
// Where the split puts its panes and where its bars are: pure arithmetic on the split's
// state, so that every pane count and orientation can be checked without windows.
#include <cstdint>
#include <vector>

#include "split/SplitTypes.h"

namespace tavo::split {

struct TLayoutInput {
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    int32_t Inset = 0;
    int32_t PositionX = 0;
    int32_t PositionY = 0;
    int32_t BarWidth = 0;
    int32_t PaneCount = 0;  // visible panes
    ToxsOrientation Orientation = oxsVert;
    bool Ver1Compat = false;
};

// Room left for the panes beside the bar: the client extent less both insets and one bar,
// never negative.
int32_t AvailableExtent(int32_t ClientExtent, int32_t Inset, int32_t BarWidth);

// Bounds of the first visible panes (at most four). Empty with no pane or more than six:
// then no pane is moved; the fifth and sixth keep their bounds.
std::vector<TRect> PaneLayout(const TLayoutInput& In);

// The bars the panes leave between them: none beside a single pane, the one between two
// panes, both for three and more (and for none, where they stay draggable).
bool HasVerticalBar(const TLayoutInput& In);
bool HasHorizontalBar(const TLayoutInput& In);

struct TBarAreas {
    TRect Vertical;
    TRect Horizontal;
};
TBarAreas BarAreas(const TLayoutInput& In);

// The bars under a point, and the bars a drag moves (the split's DragKind): the vertical
// one, the horizontal one, or both at their crossing.
enum TSplitBar : int32_t { sbVertical = -1, sbBoth = 0, sbHorizontal = 1, sbNone = 2 };
TSplitBar BarAt(const TBarAreas& Bars, int32_t X, int32_t Y);

}  // namespace tavo::split
