#include "PageLayout.h"

#include <algorithm>
#include <cmath>

namespace tavo::pdfreader {

void TPageLayout::Reset(int Count, QSizeF DefaultSize)
{
    FPoints.assign(static_cast<size_t>(std::max(0, Count)), DefaultSize);
    FWidest = Count > 0 ? DefaultSize.width() : 0;
    FTotalHeight = std::max(0, Count) * DefaultSize.height();
    FDirty = true;
}

bool TPageLayout::SetPageSize(int Index, QSizeF Points)
{
    if (Index < 0 || Index >= Count() || FPoints[static_cast<size_t>(Index)] == Points)
        return false;
    FTotalHeight += Points.height() - FPoints[static_cast<size_t>(Index)].height();
    FPoints[static_cast<size_t>(Index)] = Points;
    FWidest = std::max(FWidest, Points.width());
    FZoom = std::min(FZoom, MaxZoom());
    FDirty = true;
    return true;
}

void TPageLayout::SetZoom(double Zoom)
{
    FZoom = std::min(Zoom, MaxZoom());
    FDirty = true;
}

// The column's height in pixels must fit the scroll bar's int with room to spare.
double TPageLayout::MaxZoom() const
{
    const double limit = (double(1 << 30) - kGap * (double(FPoints.size()) + 1)) /
                         (std::max(FTotalHeight, 1.0) * kPixelsPerPoint);
    return std::max(limit, 0.01);
}

void TPageLayout::SetViewWidth(int Width)
{
    FViewWidth = Width;
}

QSize TPageLayout::PixelSize(int Index) const
{
    const QSizeF points = FPoints[static_cast<size_t>(Index)];
    return {std::max(1, int(std::lround(points.width() * Scale()))),
            std::max(1, int(std::lround(points.height() * Scale())))};
}

void TPageLayout::Update() const
{
    if (!FDirty)
        return;
    FDirty = false;
    FTops.resize(FPoints.size());
    int y = kGap;
    FWidestPixels = 0;
    for (size_t i = 0; i < FPoints.size(); ++i) {
        FTops[i] = y;
        const QSize size = PixelSize(static_cast<int>(i));
        y += size.height() + kGap;
        FWidestPixels = std::max(FWidestPixels, size.width());
    }
    FHeight = FPoints.empty() ? 0 : y;
}

QRect TPageLayout::PageRect(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    Update();
    const QSize size = PixelSize(Index);
    const int left = (ContentWidth() - size.width()) / 2;
    return {left, FTops[static_cast<size_t>(Index)], size.width(), size.height()};
}

QSize TPageLayout::DeviceSize(int Index, double Ratio) const
{
    const QRect rect = PageRect(Index);
    return {std::max(1, int(std::lround(rect.width() * Ratio))),
            std::max(1, int(std::lround(rect.height() * Ratio)))};
}

int TPageLayout::ContentHeight() const
{
    Update();
    return FHeight;
}

int TPageLayout::ContentWidth() const
{
    Update();
    return std::max(FViewWidth, FWidestPixels + 2 * kGap);
}

int TPageLayout::PageAt(int Y) const
{
    Update();
    if (FTops.empty())
        return -1;
    // The last page whose top minus the gap above it lies at or above Y.
    auto after = std::upper_bound(FTops.begin(), FTops.end(), Y + kGap);
    if (after == FTops.begin())
        return 0;
    return static_cast<int>(std::distance(FTops.begin(), after)) - 1;
}

double TPageLayout::FitWidthZoom(int Width) const
{
    if (FWidest <= 0)
        return 1.0;
    return std::max(0.05, std::max(1, Width - 2 * kGap) / (FWidest * kPixelsPerPoint));
}

double TPageLayout::FitPageZoom(int Index, QSize Area) const
{
    if (Index < 0 || Index >= Count())
        return 1.0;
    const QSizeF points = FPoints[static_cast<size_t>(Index)];
    const double across = std::max(1, Area.width() - 2 * kGap) / (points.width() * kPixelsPerPoint);
    const double down = std::max(1, Area.height() - 2 * kGap) / (points.height() * kPixelsPerPoint);
    return std::min(across, down);
}

TPageImage TPageLayout::ImageOf(int Index, double Ratio, uint64_t Serial,
                                int64_t WholePageBytes) const
{
    TPageImage image;
    image.Ratio = Ratio;
    const QSize size = DeviceSize(Index, Ratio);
    const int width = size.width();
    const int height = size.height();
    const QSizeF points = PagePoints(Index);
    image.XRes = width * 72.0 / points.width();
    image.YRes = height * 72.0 / points.height();
    if (int64_t(width) * height * 4 <= WholePageBytes) {
        image.Tiles.push_back({{Serial, Index, width, 0}, QRect(0, 0, width, height)});
        return image;
    }
    const int columns = (width + kTileSize - 1) / kTileSize;
    const int rows = (height + kTileSize - 1) / kTileSize;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect area(column * kTileSize, row * kTileSize,
                             std::min(kTileSize, width - column * kTileSize),
                             std::min(kTileSize, height - row * kTileSize));
            image.Tiles.push_back({{Serial, Index, width, row * columns + column}, area});
        }
    }
    return image;
}

}  // namespace tavo::pdfreader
