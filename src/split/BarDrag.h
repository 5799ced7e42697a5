#pragma once
// Dragging the split's bars: the left button goes down on a bar (or on the crossing of both),
// an inverted outline of the bar follows the mouse within the bounds the bar may reach (with
// AutoUpdate the panes follow it instead), and the release puts the bar where the outline
// is. Escape while the button is held gives the bar back. Keys and screen readers move the
// bars through the same bounds (Drop).
#include <QPoint>
#include <memory>

#include "split/SplitLayout.h"

namespace tavo::split {

class ToxCustomSplit;
class TDragOutline;
class TEscapeWatcher;

class TBarDrag {
public:
    // The outline is a child of the split, laid over it while a drag shows it.
    explicit TBarDrag(ToxCustomSplit* Split);
    ~TBarDrag();
    TBarDrag(const TBarDrag&) = delete;
    TBarDrag& operator=(const TBarDrag&) = delete;

    // A drag starts when Pos (split coordinates) lies on a bar.
    void Press(const QPoint& Pos);
    void Move(const QPoint& Pos);
    // Ends the drag and moves the bars to where it ended.
    void Release();
    // Ends the drag; bars that followed the mouse go back to where they were.
    void Cancel();
    // A drag of Bars grabbed at their left and top edges and released at Edge, at once.
    void Drop(TSplitBar Bars, const QPoint& Edge);

    bool Dragging() const { return FDragging; }
    TSplitBar Kind() const { return FKind; }
    QPoint Point() const { return FPoint; }
    QPoint GrabOffset() const { return FGrabOffset; }
    TDragOutline* Outline() const { return FOutline; }

    // Where the mouse at Pos takes a drag grabbed GrabOffset from the bars' edges: within
    // the split, the bar's whole width inside it.
    QPoint Clamped(const QPoint& Pos, const QPoint& GrabOffset) const;

private:
    void ToggleOutline();
    void Apply();
    void End();

    ToxCustomSplit* FSplit;
    TDragOutline* FOutline;
    bool FDragging = false;
    TSplitBar FKind = sbBoth;
    QPoint FPoint;
    QPoint FGrabOffset;
    QPoint FStartPositions;
    std::unique_ptr<TEscapeWatcher> FEscape;
};

}  // namespace tavo::split
