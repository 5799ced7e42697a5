#pragma once
// Where each page lies in the continuous column of pages, in logical pixels: pages one
// below the other with a gap, centred in the view's width. Page sizes not read yet count as
// the first page's size; reading one may move the pages below it.
#include <QRect>
#include <QSizeF>
#include <cstdint>
#include <vector>

#include "PageCache.h"

namespace tavo::pdfreader {

// A part of a page's image, in device pixels within it, and the key it is cached under.
struct TPageTile {
    TTileKey Key;
    QRect Area;
};

// A page's image at the zoom and pixel ratio of now: its resolution and its parts.
struct TPageImage {
    double XRes = 0, YRes = 0;
    qreal Ratio = 1;
    std::vector<TPageTile> Tiles;
};

class TPageLayout {
public:
    static constexpr int kGap = 10;                         // between pages, and around the column
    static constexpr double kPixelsPerPoint = 96.0 / 72.0;  // at 100 %

    void Reset(int Count, QSizeF DefaultSize);
    // Returns true when the size differs from what the layout assumed. Positions are worked
    // out again on the next question, so that many sizes cost one pass.
    bool SetPageSize(int Index, QSizeF Points);
    // At most MaxZoom().
    void SetZoom(double Zoom);
    double MaxZoom() const;
    void SetViewWidth(int Width);

    int Count() const { return static_cast<int>(FPoints.size()); }
    double Zoom() const { return FZoom; }
    double Scale() const { return FZoom * kPixelsPerPoint; }  // logical pixels per point
    QSizeF PagePoints(int Index) const { return FPoints[static_cast<size_t>(Index)]; }
    double WidestPoints() const { return FWidest; }

    QRect PageRect(int Index) const;
    // The page's image in device pixels at the given pixel ratio.
    QSize DeviceSize(int Index, double Ratio) const;
    int ContentHeight() const;
    int ContentWidth() const;
    // The page at or nearest below Y (a gap counts to the page below it); -1 with no pages.
    int PageAt(int Y) const;
    // Zoom at which the widest page fills the width with the gaps beside it (at least 5 %).
    double FitWidthZoom(int Width) const;
    // Zoom at which the page fits wholly in the area.
    double FitPageZoom(int Index, QSize Area) const;

    // Tiles of a page image larger than WholePageBytes, so that no single image (and no
    // single render) grows without bound as the zoom and the screen's pixel ratio go up.
    static constexpr int kTileSize = 1024;
    // The image of page Index at pixel ratio Ratio, whole or in tiles; Serial tells the
    // document the keys belong to.
    TPageImage ImageOf(int Index, double Ratio, uint64_t Serial, int64_t WholePageBytes) const;

private:
    void Update() const;
    QSize PixelSize(int Index) const;

    std::vector<QSizeF> FPoints;
    double FTotalHeight = 0;  // points
    double FZoom = 1.0;
    double FWidest = 0;
    int FViewWidth = 0;
    mutable bool FDirty = true;
    mutable std::vector<int> FTops;
    mutable int FWidestPixels = 0;
    mutable int FHeight = 0;
};

}  // namespace tavo::pdfreader
