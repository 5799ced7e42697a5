#include "split/SplitAccessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <array>
#include <vector>

#include "split/DragOutline.h"
#include "split/ToxCustomSplit.h"
#include "split/ToxScrollPane.h"

namespace tavo::split {

// A bar has no widget of its own: its interface asks the split.
class TSplitBarAccessible : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    TSplitBarAccessible(ToxCustomSplit* Split, bool Vertical) : FSplit(Split), FVertical(Vertical)
    {
    }

    bool isValid() const override
    {
        return FSplit && (FVertical ? FSplit->HasVerticalBar() : FSplit->HasHorizontalBar());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FSplit ? FSplit->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(FSplit.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text Type) const override
    {
        if (!isValid())
            return {};
        if (Type == QAccessible::Name)
            return FVertical
                       ? QCoreApplication::translate("tavo::split::SplitBar", "Vertical split bar")
                       : QCoreApplication::translate("tavo::split::SplitBar",
                                                     "Horizontal split bar");
        if (Type == QAccessible::Value)
            return QString::number(Position());
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    // In screen coordinates, as every interface gives its place.
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const TBarAreas bars = FSplit->Bars();
        const QRect area = ToRect(FVertical ? bars.Vertical : bars.Horizontal);
        return QRect(FSplit->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Separator; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.invisible = !FSplit->isVisible();
        state.disabled = !FSplit->isEnabled();
        state.focusable = (FSplit->focusPolicy() & Qt::TabFocus) != 0;
        state.movable = !FSplit->Locked();
        state.readOnly = FSplit->Locked();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        return Type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : nullptr;
    }

    QVariant currentValue() const override { return isValid() ? Position() : 0; }
    // Moves the bar as the arrow keys do.
    void setCurrentValue(const QVariant& Value) override
    {
        if (!isValid() || FSplit->Locked() || FSplit->Dragging())
            return;
        const int32_t to = std::clamp(Value.toInt(), -MaxExtent, MaxExtent);
        const int32_t inset = FSplit->Inset();
        if (FVertical)
            FSplit->DropBars(sbVertical, QPoint(to + inset, FSplit->PositionY() + inset));
        else
            FSplit->DropBars(sbHorizontal, QPoint(FSplit->PositionX() + inset, to + inset));
    }
    QVariant maximumValue() const override
    {
        if (!isValid())
            return 0;
        return FVertical ? FSplit->MaxPositionX() : FSplit->MaxPositionY();
    }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    int32_t Position() const { return FVertical ? FSplit->PositionX() : FSplit->PositionY(); }

    QPointer<ToxCustomSplit> FSplit;
    bool FVertical;
};

namespace {

class TSplitAccessible : public QAccessibleWidget {
public:
    explicit TSplitAccessible(ToxCustomSplit* Split)
        : QAccessibleWidget(Split, QAccessible::Splitter)
    {
    }
    ~TSplitAccessible() override
    {
        for (QAccessible::Id id : FBarIds) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    QString text(QAccessible::Text Type) const override
    {
        QString text = QAccessibleWidget::text(Type);
        // A split has no caption of its own.
        if (Type == QAccessible::Name && text.isEmpty())
            text = widget()->objectName();
        return text;
    }

    // The child widgets, then the bars there are.
    int childCount() const override
    {
        return static_cast<int>(ChildWidgets().size() + ShownBars().size());
    }
    QAccessibleInterface* child(int Index) const override
    {
        if (Index < 0)
            return nullptr;
        const std::vector<QWidget*> widgets = ChildWidgets();
        const auto index = static_cast<size_t>(Index);
        if (index < widgets.size())
            return QAccessible::queryAccessibleInterface(widgets[index]);
        const std::vector<TSplitBarAccessible*> bars = ShownBars();
        return index - widgets.size() < bars.size() ? bars[index - widgets.size()] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        if (Child == nullptr)
            return -1;
        const std::vector<QWidget*> widgets = ChildWidgets();
        const std::vector<TSplitBarAccessible*> bars = ShownBars();
        const auto bar = std::find(bars.begin(), bars.end(), Child);
        if (bar != bars.end())
            return static_cast<int>(widgets.size() + (bar - bars.begin()));
        const auto widget = std::find(widgets.begin(), widgets.end(), Child->object());
        return widget != widgets.end() ? static_cast<int>(widget - widgets.begin()) : -1;
    }

    TSplitBarAccessible* Bar(bool Vertical) const
    {
        QAccessible::Id& id = FBarIds[Vertical ? 0 : 1];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(
                new TSplitBarAccessible(Split(), Vertical));
        return static_cast<TSplitBarAccessible*>(QAccessible::accessibleInterface(id));
    }

private:
    ToxCustomSplit* Split() const { return static_cast<ToxCustomSplit*>(widget()); }

    // Panes in their order, so that a screen reader meets them as they are laid out.
    std::vector<QWidget*> ChildWidgets() const
    {
        const ToxCustomSplit* split = Split();
        std::vector<QWidget*> widgets(split->Panes().begin(), split->Panes().end());
        for (QObject* object : split->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child == nullptr || child->isWindow() || qobject_cast<TDragOutline*>(child) ||
                std::find(widgets.begin(), widgets.end(), child) != widgets.end())
                continue;
            widgets.push_back(child);
        }
        return widgets;
    }
    std::vector<TSplitBarAccessible*> ShownBars() const
    {
        std::vector<TSplitBarAccessible*> bars;
        if (Split()->HasVerticalBar())
            bars.push_back(Bar(true));
        if (Split()->HasHorizontalBar())
            bars.push_back(Bar(false));
        return bars;
    }

    mutable std::array<QAccessible::Id, 2> FBarIds{};
};

QAccessibleInterface* SplitInterface(const QString&, QObject* Object)
{
    if (auto* split = qobject_cast<ToxCustomSplit*>(Object))
        return new TSplitAccessible(split);
    return nullptr;
}

}  // namespace

void InstallSplitAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(SplitInterface);
        return true;
    }();
    (void)installed;
}

void AnnounceBarMoves(ToxCustomSplit* Split, bool Vertical, bool Horizontal)
{
    auto* split = dynamic_cast<TSplitAccessible*>(QAccessible::queryAccessibleInterface(Split));
    if (split == nullptr)
        return;
    for (bool vertical : {true, false}) {
        TSplitBarAccessible* bar = split->Bar(vertical);
        if (!(vertical ? Vertical : Horizontal) || !bar->isValid())
            continue;
        QAccessibleValueChangeEvent event(bar, bar->currentValue());
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace tavo::split
