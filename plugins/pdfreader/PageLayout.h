#pragma once
// Where each page lies in the continuous column of pages, in logical pixels: pages one
// below the other with a gap, centred in the view's width. Page sizes not read yet count as
// the first page's size; reading one may move the pages below it.
#include <QRect>
#include <QSizeF>
#include <cstdint>
#include <vector>

namespace tavo::pdfreader {

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
