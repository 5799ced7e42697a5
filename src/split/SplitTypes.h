#pragma once
// Types of the split control and its panes.
#include <QRect>
#include <cstdint>
#include <initializer_list>

#include "tools/DrawingHelpers.h"

namespace tavo::split {

enum ToxsStyle : uint8_t {
    oxsAuto,
    oxsWin31,
    oxsWin95,
    oxsInset,
    oxsGroove,
    oxsWin97,
    oxsRaised,
    oxsPlain
};

// Even values lay two panes side by side, odd values stack them.
enum ToxsOrientation : uint8_t { oxsVert, oxsHorz, oxsLeft, oxsTop, oxsRight, oxsBottom };

enum ToxsOption : uint8_t { oxsHideInvisible, oxsSaveAsPercent, oxsVer1Compat };

// A set of ToxsOption, one bit per value as the form stream stores sets.
class ToxsOptions {
public:
    constexpr ToxsOptions() = default;
    constexpr ToxsOptions(std::initializer_list<ToxsOption> Options)
    {
        for (ToxsOption o : Options)
            FBits = static_cast<uint8_t>(FBits | Bit(o));
    }
    static constexpr ToxsOptions FromBits(uint8_t Bits)
    {
        ToxsOptions o;
        o.FBits = Bits & 7;
        return o;
    }
    constexpr uint8_t Bits() const { return FBits; }
    constexpr bool Contains(ToxsOption Option) const { return (FBits & Bit(Option)) != 0; }
    constexpr ToxsOptions With(ToxsOption Option) const { return FromBits(FBits | Bit(Option)); }
    constexpr ToxsOptions Without(ToxsOption Option) const
    {
        return FromBits(static_cast<uint8_t>(FBits & ~Bit(Option)));
    }
    constexpr bool operator==(const ToxsOptions&) const = default;

private:
    static constexpr uint8_t Bit(ToxsOption o) { return static_cast<uint8_t>(1u << o); }
    uint8_t FBits = 0;
};

// 0 to 100.
using TPercent = uint8_t;

enum TBorderStyle : uint8_t { bsNone, bsSingle };
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragKind : uint8_t { dkDrag, dkDock };

enum ToxsCaptionStyle : uint8_t { oxsNone, oxsTitlebar, oxsGrabBar };
// Shares its value names with ToxsOrientation, hence the scoped form.
enum class ToxsCaptionOrientation : uint8_t { oxsVert, oxsHorz };

// Rectangles as the layout rules give them: right and bottom are exclusive edges.
using tools::TRect;

// Negative extents become empty rather than flipped (TRect::ToQRect keeps them): panes
// squeezed beyond the far edge get no size.
inline QRect ToRect(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Right > R.Left ? R.Right - R.Left : 0,
                 R.Bottom > R.Top ? R.Bottom - R.Top : 0);
}

constexpr int32_t GrabBarSize = 11;

// No control is larger (QWIDGETSIZE_MAX). Positions and bar widths stay within it, so that
// sums of them never overflow.
constexpr int32_t MaxExtent = 16777215;

}  // namespace tavo::split
