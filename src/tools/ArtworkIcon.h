#pragma once
// Icons and pictures of the program's own SVG artwork, drawn by Qt SVG directly. A QIcon
// made from an .svg file name first looks for an icon-engine plugin, loads it and the SVG
// library behind it: at start-up that came before the splash and the main window could show.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tavo::tools {

// An icon drawn from the SVG resource or file Resource at whatever size it is asked for.
QIcon ArtworkIcon(const QString& Resource);
// The picture Resource at Size device-independent pixels, for a screen of DevicePixelRatio.
QPixmap ArtworkPixmap(const QString& Resource, int Size, qreal DevicePixelRatio = 1.0);

}  // namespace tavo::tools
