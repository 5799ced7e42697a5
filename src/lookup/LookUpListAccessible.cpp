#include "lookup/LookUpListAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "lookup/LookUpList.h"
#include "platform/AnsiText.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

QString CellText(const std::string& Caption)
{
    std::string text = Caption;
    if (size_t bar = text.find('|'); bar != std::string::npos)
        text.erase(bar, 1);
    return platform::FromAnsi(text);
}

class TCellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TCellAccessible(TCustomLookUpList* List, int Index) : FList(List), FIndex(Index) {}

    bool isValid() const override { return FList && FIndex < FList->CellCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FList ? FList->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return FList ? QAccessible::queryAccessibleInterface(FList.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text Type) const override
    {
        if (!isValid())
            return {};
        if (Type == QAccessible::Name)
            return CellText(FList->GetItemCaption(FIndex));
        if (Type == QAccessible::Description) {
            const std::string hint = FList->GetItemHint(FIndex);
            return hint.find('|') != std::string::npos ? platform::FromAnsi(tools::HintText(hint))
                                                       : QString();
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell =
            FList->ItemRect(FIndex).ToQRect().translated(FList->ClientRect().topLeft());
        return QRect(FList->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        const bool hot = FList->HotIndex() == FIndex;
        state.selected = hot;
        state.focused = hot;
        state.disabled = !FList->IsItemEnabled(FIndex);
        state.invisible = !FList->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType Type) override
    {
        return Type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& Name) override
    {
        if (Name == pressAction() && isValid() && FList->IsItemEnabled(FIndex))
            FList->ChooseItem(FIndex);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TCustomLookUpList> FList;
    int FIndex;
};

class TListAccessible : public QAccessibleWidget {
public:
    explicit TListAccessible(TCustomLookUpList* List) : QAccessibleWidget(List, QAccessible::List)
    {
    }
    ~TListAccessible() override
    {
        for (QAccessible::Id id : FCells)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text Type) const override
    {
        QString text = QAccessibleWidget::text(Type);
        if (Type != QAccessible::Name || !text.isEmpty())
            return text;
        // A popup has no name of its own: the lookup's caption, or the control it belongs to.
        if (auto* list = qobject_cast<TLookUpList*>(List()); list && list->LookUp())
            text = platform::FromAnsi(list->LookUp()->Caption());
        if (text.isEmpty() && List()->OwnerControl())
            text = List()->OwnerControl()->accessibleName();
        return text.isEmpty() ? List()->objectName() : text;
    }

    int childCount() const override { return List()->CellCount(); }
    QAccessibleInterface* child(int Index) const override
    {
        if (Index < 0 || Index >= childCount())
            return nullptr;
        while (FCells.size() <= static_cast<size_t>(Index))
            FCells.push_back(QAccessible::registerAccessibleInterface(
                new TCellAccessible(List(), static_cast<int>(FCells.size()))));
        return QAccessible::accessibleInterface(FCells[static_cast<size_t>(Index)]);
    }
    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        for (size_t i = 0; i < FCells.size(); ++i)
            if (QAccessible::accessibleInterface(FCells[i]) == Child)
                return static_cast<int>(i) < childCount() ? static_cast<int>(i) : -1;
        return -1;
    }
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        const TCustomLookUpList* list = List();
        const QPoint at = list->mapFromGlobal(QPoint(X, Y)) - list->ClientRect().topLeft();
        for (int i = 0; i < childCount(); ++i)
            if (list->ItemRect(i).Contains(at.x(), at.y()))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return child(List()->HotIndex()); }

private:
    TCustomLookUpList* List() const { return static_cast<TCustomLookUpList*>(widget()); }

    mutable std::vector<QAccessible::Id> FCells;
};

QAccessibleInterface* ListInterface(const QString&, QObject* Object)
{
    if (auto* list = qobject_cast<TCustomLookUpList*>(Object))
        return new TListAccessible(list);
    return nullptr;
}

}  // namespace

void InstallLookUpListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ListInterface);
        return true;
    }();
    (void)installed;
}

void LookUpListLayoutChanged(TCustomLookUpList* List)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(List, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void LookUpListHotChanged(TCustomLookUpList* List)
{
    if (!QAccessible::isActive() || List->HotIndex() < 0)
        return;
    QAccessibleEvent focus(List, QAccessible::Focus);
    focus.setChild(List->HotIndex());
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(List, QAccessible::Selection);
    selection.setChild(List->HotIndex());
    QAccessible::updateAccessibility(&selection);
}

}  // namespace tavo::lookup
