#include "split/SplitLayout.h"

#include <algorithm>

namespace tavo::split {

int32_t AvailableExtent(int32_t ClientExtent, int32_t Inset, int32_t BarWidth)
{
    return std::max(0, ClientExtent - 2 * Inset - BarWidth);
}

std::vector<TRect> PaneLayout(const TLayoutInput& In)
{
    const int32_t n = In.PaneCount;
    if (n <= 0 || n > 6)
        return {};
    const TRect R{In.Inset, In.Inset, In.ClientWidth - In.Inset, In.ClientHeight - In.Inset};
    const int32_t PX = In.PositionX;
    const int32_t PY = In.PositionY;
    const int32_t BW = In.BarWidth;
    const int32_t W = In.Ver1Compat ? PX : std::min(R.Width(), PX);
    const int32_t H = In.Ver1Compat ? PY : std::min(R.Height(), PY);
    const bool sideBySide = In.Orientation % 2 == 0;

    if (n == 1)
        return {R};
    if (n == 2) {
        if (sideBySide)
            return {{R.Left, R.Top, W, R.Bottom}, {PX + BW, R.Top, R.Right, R.Bottom}};
        return {{R.Left, R.Top, R.Right, H}, {R.Left, PY + BW, R.Right, R.Bottom}};
    }
    if (n == 3) {
        switch (In.Orientation) {
        case oxsVert:
        case oxsLeft:
            return {{R.Left, R.Top, W, R.Bottom},
                    {PX + BW, R.Top, R.Right, H},
                    {PX + BW, PY + BW, R.Right, R.Bottom}};
        case oxsRight:
            return {{R.Left, R.Top, W, H},
                    {PX + BW, R.Top, R.Right, R.Bottom},
                    {R.Left, PY + BW, W, R.Bottom}};
        case oxsHorz:
        case oxsBottom:
            return {{R.Left, R.Top, W, H},
                    {PX + BW, R.Top, R.Right, H},
                    {R.Left, PY + BW, R.Right, R.Bottom}};
        case oxsTop:
            return {{R.Left, R.Top, R.Right, H},
                    {PX + BW, PY + BW, R.Right, R.Bottom},
                    {R.Left, PY + BW, W, R.Bottom}};
        }
        return {};
    }
    return {{R.Left, R.Top, PX, PY},
            {PX + BW, R.Top, R.Right, PY},
            {PX + BW, PY + BW, R.Right, R.Bottom},
            {R.Left, PY + BW, PX, R.Bottom}};
}

bool HasVerticalBar(const TLayoutInput& In)
{
    return In.PaneCount != 1 && !(In.PaneCount == 2 && In.Orientation % 2 != 0);
}

bool HasHorizontalBar(const TLayoutInput& In)
{
    return In.PaneCount != 1 && !(In.PaneCount == 2 && In.Orientation % 2 == 0);
}

TBarAreas BarAreas(const TLayoutInput& In)
{
    const int32_t I = In.Inset;
    const int32_t BW = In.BarWidth;
    const int32_t PX = In.PositionX;
    const int32_t PY = In.PositionY;
    TBarAreas bars{{PX + I, 0, PX + I + BW, In.ClientHeight},
                   {0, PY + I, In.ClientWidth, PY + I + BW}};
    if (!HasVerticalBar(In))
        bars.Vertical = TRect{};
    if (!HasHorizontalBar(In))
        bars.Horizontal = TRect{};
    if (In.PaneCount == 3) {
        if (In.Orientation == oxsHorz || In.Orientation == oxsBottom)
            bars.Vertical.Bottom = PY + I + BW;
        else if (In.Orientation == oxsTop)
            bars.Vertical.Top = PY;
        if (In.Orientation == oxsVert || In.Orientation == oxsLeft)
            bars.Horizontal.Left = PX;
        else if (In.Orientation == oxsRight)
            bars.Horizontal.Right = PX + I + BW;
    }
    return bars;
}

TSplitBar BarAt(const TBarAreas& Bars, int32_t X, int32_t Y)
{
    const bool inVertical = Bars.Vertical.Contains(X, Y);
    const bool inHorizontal = Bars.Horizontal.Contains(X, Y);
    if (inVertical && inHorizontal)
        return sbBoth;
    if (inVertical)
        return sbVertical;
    if (inHorizontal)
        return sbHorizontal;
    return sbNone;
}

}  // namespace tavo::split
