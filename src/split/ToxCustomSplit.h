#pragma once
// The split control: up to four scrolling panes (ToxScrollPane) with draggable bars between
// them. The bar positions are kept in pixels and in percent, so the panes can keep either
// their sizes or their proportions when the control is resized.
#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "split/SplitLayout.h"
#include "split/SplitTypes.h"
#include "tools/Colors.h"
#include "tools/FormStream.h"

class QCursor;
class QKeyEvent;

namespace tavo::split {

class ToxScrollPane;
class TBarDrag;
class TSplitBarAccessible;

// Unless locked, the split takes the focus from the Tab key, and the arrow keys move its bars
// as a drag with the mouse would: Left and Right the vertical bar, Up and Down the horizontal
// one, by a pixel or with Ctrl by ten; Home and End take the vertical bar (with Ctrl the
// horizontal one, and either when it is the only bar) to its ends.
//
// Stored in forms with its panes as its components. Form files of the first version of the
// control may hold "BarPosition" (both positions), "BarPosition.X", "BarPosition.Y",
// "PaneTabOrder", "AutoScroll" and "BarColor"; they are read, never written.
class ToxCustomSplit : public QWidget, public tools::TFormComponent {
    Q_OBJECT
public:
    explicit ToxCustomSplit(QWidget* Parent = nullptr);
    ~ToxCustomSplit() override;

    // Form stream.
    std::string ClassName() const override { return "ToxCustomSplit"; }
    std::string FormName() const override;
    std::vector<tools::TFormComponent*> FormChildren() const override;
    void DefineProperties(tools::TFiler& Filer) override;
    bool ReadProperty(std::string_view Name, tools::TReader& Reader) override;
    void WriteProperties(tools::TWriter& Writer) override;
    tools::TPersistent* PropertyObject(std::string_view Name) override;
    void Loaded() override;

    // Properties.
    bool AutoUpdate() const { return FAutoUpdate; }
    void SetAutoUpdate(bool Value) { FAutoUpdate = Value; }
    int32_t BarWidth() const { return FBarWidth; }
    void SetBarWidth(int32_t Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool SyncScroll() const { return FSyncScroll; }
    void SetSyncScroll(bool Value) { FSyncScroll = Value; }
    ToxsStyle Style() const { return FStyle; }
    void SetStyle(ToxsStyle Value);
    bool Locked() const { return FLocked; }
    void SetLocked(bool Value);
    int32_t PositionX() const { return FPositionX; }
    void SetPositionX(int32_t Value);
    int32_t PositionY() const { return FPositionY; }
    void SetPositionY(int32_t Value);
    // Both bars at once, as the end of a drag on their crossing sets them: the change runs
    // (percentages, layout, OnResize) even when neither bar moved.
    void SetPositions(int32_t X, int32_t Y);
    TPercent PercentX() const { return FPercentX; }
    // Values above 100 are taken as 100.
    void SetPercentX(int32_t Value);
    TPercent PercentY() const { return FPercentY; }
    void SetPercentY(int32_t Value);
    ToxsOrientation Orientation() const { return FOrientation; }
    void SetOrientation(ToxsOrientation Value);
    ToxsOptions Options() const { return FOptions; }
    void SetOptions(ToxsOptions Value) { FOptions = Value; }
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool Value) { FDockSite = Value; }
    bool AutoDock() const { return DockSite(); }
    void SetAutoDock(bool Value) { SetDockSite(Value); }
    tools::TColor Color() const { return FColor; }
    void SetColor(tools::TColor Value);

    // State.
    ToxsStyle EffectiveStyle() const { return FEffectiveStyle; }
    int32_t Inset() const { return FInset; }
    bool Hot() const { return FHot; }
    // The bar drag (BarDrag.h): whether one is under way, which bars it moves, where the
    // mouse has taken it and where the bars were grabbed.
    bool Dragging() const;
    TSplitBar DragKind() const;
    QPoint DragPoint() const;
    QPoint GrabOffset() const;
    int32_t AvailableWidth() const;
    int32_t AvailableHeight() const;
    TBarAreas Bars() const;
    bool HasVerticalBar() const;
    bool HasHorizontalBar() const;
    // The farthest a drag can take each bar; the nearest is 0.
    int32_t MaxPositionX() const;
    int32_t MaxPositionY() const;

    // Panes, in their order.
    const std::vector<ToxScrollPane*>& Panes() const { return FPanes; }
    int32_t VisiblePaneCount() const;
    ToxScrollPane* VisiblePane(int32_t Index) const;

    // Loading from a form: while it lasts, style and orientation are only stored and nothing
    // is laid out; the style is applied when it ends.
    void BeginLoading();
    void EndLoading();
    bool Loading() const { return FLoading; }

    // Docking: whether Control may dock here, and docking it (taking Target's place when
    // given). Refused docks change nothing and return false.
    bool CanDock(const QWidget* Control) const;
    bool DockPane(ToxScrollPane* Pane, ToxScrollPane* Target = nullptr);

    // Lays the panes out by the current positions.
    void AlignControls();

signals:
    // Raised after every mouse button release the split receives.
    void OnChange();
    // The split's own resize event: after every change of the bars and of the size.
    void OnResize();

protected:
    virtual void Change();
    virtual void ResizeNotify();
    virtual void PositionChanged();
    virtual void PercentChanged();

    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void moveEvent(QMoveEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void childEvent(QChildEvent* Event) override;

private:
    friend class ToxScrollPane;
    friend class TSplitBarAccessible;

    // A bar move asked for from the keyboard: the bars and where their left and top edges
    // should go.
    struct TBarMove {
        TSplitBar Bars;
        QPoint Edge;
    };
    std::optional<TBarMove> KeyMove(const QKeyEvent& Event) const;
    // Moves Bars as a drag released at Edge would, and reports the change.
    void DropBars(TSplitBar Bars, const QPoint& Edge);
    int32_t KeptPosition(int32_t Value, int32_t Available) const;
    void InsertPane(ToxScrollPane* Pane);
    void RemovePane(ToxScrollPane* Pane);
    void MovePane(ToxScrollPane* Pane, int32_t Index);
    void PaneVisibilityChanged();

    void ApplyStyle();
    void BoundsChanged();
    void FinishChange();
    bool Settled() const { return !FLoading && !FDestroying; }
    TLayoutInput LayoutInput() const;
    void UpdateCursor(const QPoint& Pos);
    void SetHot(bool Value);

    bool FAutoUpdate = false;
    int32_t FBarWidth = 6;
    TBorderStyle FBorderStyle = bsSingle;
    bool FSyncScroll = false;
    ToxsStyle FStyle = oxsAuto;
    bool FLocked = false;
    int32_t FPositionX = 50;
    int32_t FPositionY = 50;
    TPercent FPercentX = 50;
    TPercent FPercentY = 50;
    ToxsOrientation FOrientation = oxsVert;
    ToxsOptions FOptions{oxsHideInvisible};
    bool FDockSite = true;
    tools::TColor FColor = tools::clBtnFace;

    // The automatic style's look; applying a style sets them.
    ToxsStyle FEffectiveStyle = oxsWin95;
    int32_t FInset = 2;
    bool FStyleApplied = false;
    bool FHot = false;
    std::vector<ToxScrollPane*> FPanes;
    bool FResizeGuard = false;
    QPoint FMousePos;
    bool FLoading = false;
    bool FDestroying = false;
    QPoint FAnnouncedPositions{50, 50};

    std::unique_ptr<tools::TPersistent> FBarPosition;  // "BarPosition.X" of old forms
    std::unique_ptr<TBarDrag> FBarDrag;
    std::shared_ptr<const QCursor> FSplitCursor;
};

// The split as forms use it.
class ToxSplit : public ToxCustomSplit {
    Q_OBJECT
public:
    using ToxCustomSplit::ToxCustomSplit;
    std::string ClassName() const override { return "ToxSplit"; }
};

}  // namespace tavo::split
