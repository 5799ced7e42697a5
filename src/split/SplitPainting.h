#pragma once
// Drawing of the split and its panes (frames are the drawing helpers' Frame3D): the frames
// around the panes and the focus over the bars, pixel-exact lines, the caption close button
// and the four-way split cursor. Colours are the libraries' system colours (tools/Colors.h).
#include <QColor>
#include <QCursor>
#include <QRect>
#include <memory>
#include <vector>

#include "split/SplitLayout.h"
#include "split/SplitTypes.h"
#include "tools/DrawingHelpers.h"

class QPainter;

namespace tavo::split {

using tools::Frame3D;

// The frames Style (the split's effective style) draws around the visible panes, given by
// their bounds; Hot lights the frames of oxsWin97, and oxsWin31 also frames the whole
// Client area.
void PaintPaneFrames(QPainter& Painter, ToxsStyle Style, const std::vector<QRect>& Panes,
                     int32_t BarWidth, bool Hot, const QRect& Client);

// The keyboard focus: a dotted, inverted rectangle on each bar, over the part of it that the
// panes leave uncovered.
void PaintBarFocus(QPainter& Painter, const TLayoutInput& Split);

// A horizontal or vertical line from (X1, Y1) towards (X2, Y2), the end point left out,
// as a pen that moves from point to point draws it.
void LineTo(QPainter& Painter, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, const QColor& Color);

// The caption's close button: a raised button face with a cross.
void DrawCloseButton(QPainter& Painter, const QRect& R);

// The four-way cursor shown over the crossing of both bars. Made on first use and shared;
// it goes when the last holder lets it go.
std::shared_ptr<const QCursor> AcquireSplitCursor();
constexpr int32_t SplitCursorSize = 32;

}  // namespace tavo::split
