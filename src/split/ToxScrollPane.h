#pragma once
// The pane of a split: a scroll box whose place the split decides. In a split it can show
// a caption bar (a small title bar or a grab bar, with a close box) outside its scrolled
// client area, scroll in step with the other panes, and be dragged and docked.
#include <QEvent>
#include <QPointer>
#include <QScrollArea>
#include <memory>
#include <optional>
#include <string>

#include "split/SplitTypes.h"
#include "tools/Colors.h"
#include "tools/FormStream.h"

namespace tavo::split {

class ToxCustomSplit;
class TDockDrag;
class TCaptionFiller;

class ToxScrollPane : public QScrollArea, public tools::TFormComponent {
    Q_OBJECT
public:
    explicit ToxScrollPane(QWidget* Parent = nullptr);
    ~ToxScrollPane() override;

    // Form stream. The pane's place is its split's to decide: PaneIndex is not stored.
    std::string ClassName() const override { return "ToxScrollPane"; }
    std::string FormName() const override;
    bool ReadProperty(std::string_view Name, tools::TReader& Reader) override;
    void WriteProperties(tools::TWriter& Writer) override;

    // Place in the split's panes; -1 outside a split. Setting it moves the pane there,
    // clamped to the panes there are.
    int32_t PaneIndex() const;
    void SetPaneIndex(int32_t Value);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // With ParentColor the parent's colour, else the pane's own (window colour at first).
    tools::TColor Color() const;
    void SetColor(tools::TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    bool AutoDock() const { return FDragMode == dmAutomatic && FDragKind == dkDock; }
    void SetAutoDock(bool Value);
    // Windows-1250 text of the title bar.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    ToxsCaptionStyle CaptionStyle() const { return FCaptionStyle; }
    void SetCaptionStyle(ToxsCaptionStyle Value);
    ToxsCaptionOrientation CaptionOrientation() const { return FCaptionOrientation; }
    void SetCaptionOrientation(ToxsCaptionOrientation Value);
    bool CloseBox() const { return FCloseBox; }
    void SetCloseBox(bool Value);

    ToxCustomSplit* OwnerSplit() const { return FOwnerSplit; }
    bool Floating() const { return isWindow(); }
    // Thickness of the caption bar: none when floating, without a caption style or
    // outside a split.
    int32_t CaptionSize() const;
    // In the pane's own coordinates; empty when no close box is drawn.
    QRect CloseBoxRect() const;
    // The scrolled client area in the pane's own coordinates.
    QRect ClientRect() const;

    static QFont SmallCaptionFont();
    static int32_t SmallCaptionHeight();

    // Docks into Split (in Target's place when given); false when the split refuses.
    bool ManualDock(ToxCustomSplit* Split, ToxScrollPane* Target = nullptr);
    // Floats the pane in a small window of its own at ScreenRect.
    void ManualFloat(const QRect& ScreenRect);
    bool DockDragging() const;

protected:
    bool event(QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    friend class ToxCustomSplit;
    friend class TCaptionFiller;

    struct TCaptionLayout {
        TRect Bar;
        QRect CloseBox;
        TRect Grip;
    };
    TCaptionLayout CaptionLayout() const;
    void PaintCaption(QPainter& Painter) const;
    void UpdateFrame();
    void UpdateColor();
    // Mouse input that reaches the pane itself, its client area or its caption, in the
    // pane's coordinates; true when taken.
    bool PointerEvent(QEvent::Type Type, const QPoint& Pos, const QPoint& Global,
                      Qt::MouseButton Button, Qt::MouseButtons Buttons);
    void SyncScrollBars(Qt::Orientation Orientation, int Value);

    QPointer<ToxCustomSplit> FOwnerSplit;
    TBorderStyle FBorderStyle = bsNone;
    tools::TColor FColor = tools::clWindow;
    bool FParentColor = true;
    TDragMode FDragMode = dmAutomatic;
    TDragKind FDragKind = dkDock;
    std::string FCaption;
    ToxsCaptionStyle FCaptionStyle = oxsNone;
    ToxsCaptionOrientation FCaptionOrientation = ToxsCaptionOrientation::oxsHorz;
    bool FCloseBox = true;
    int32_t FAppliedCaptionSize = -1;
    ToxsCaptionOrientation FAppliedOrientation = ToxsCaptionOrientation::oxsHorz;
    QPointer<TCaptionFiller> FFiller;
    std::unique_ptr<TDockDrag> FDockDrag;
};

}  // namespace tavo::split
