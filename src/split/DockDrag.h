#pragma once
// Dragging a pane to dock it: after the mouse has moved the drag distance with the button
// held, a frame shows where the pane would go; releasing docks it into the split below
// (in the place of the pane below), or floats it when no split is there. Escape cancels.
#include <QPoint>
#include <QRect>
#include <memory>

class QRubberBand;
class QWidget;

namespace tavo::split {

class ToxCustomSplit;
class ToxScrollPane;
class TEscapeWatcher;

struct TDockTarget {
    ToxCustomSplit* Split = nullptr;  // the split below the point, if any
    ToxScrollPane* Pane = nullptr;    // the split's pane below the point, if any
};

// What lies below a screen point, leaving out the dragged pane's own floating window.
TDockTarget FindDockTarget(const QPoint& Global, const ToxScrollPane* Dragged);

class TDockDrag {
public:
    explicit TDockDrag(ToxScrollPane* Pane);
    ~TDockDrag();
    TDockDrag(const TDockDrag&) = delete;
    TDockDrag& operator=(const TDockDrag&) = delete;

    void Press(const QPoint& Global);
    void Move(const QPoint& Global);
    void Release(const QPoint& Global);
    void Cancel();
    bool Active() const { return FActive; }
    // The frame shown while dragging, in screen coordinates; empty when none is shown.
    QRect Frame() const;

private:
    QRect DropFrame(const TDockTarget& Target, const QPoint& Global) const;

    ToxScrollPane* FPane;
    bool FPressed = false;
    bool FActive = false;
    QPoint FStart;
    QPoint FGrab;
    std::unique_ptr<QRubberBand> FBand;
    std::unique_ptr<TEscapeWatcher> FEscape;
};

}  // namespace tavo::split
