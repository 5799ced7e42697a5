// The action lookup and its containers.
#include <QIcon>
#include <QPainter>

#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::lookup {

namespace {

// Holds an action's update; a child of the action, so it goes with it.
class TActionUpdate : public QObject {
public:
    TActionUpdate(QAction* Action, std::function<void(QAction&)> Update)
        : QObject(Action), FUpdate(std::move(Update))
    {
    }
    void Run(QAction& Action) const
    {
        if (FUpdate)
            FUpdate(Action);
    }

private:
    std::function<void(QAction&)> FUpdate;
};

TActionUpdate* FindUpdate(const QAction& Action)
{
    for (QObject* child : Action.children())
        if (auto* update = dynamic_cast<TActionUpdate*>(child))
            return update;
    return nullptr;
}

// The action's icon on the transparent colour in the shared glyph bitmap.
QImage* IconBitmap(const QIcon& Icon)
{
    QImage& bitmap = tools::GlyphBitmap();
    if (bitmap.width() != 16 || bitmap.height() != 16 || bitmap.format() != QImage::Format_RGB32)
        bitmap = QImage(16, 16, QImage::Format_RGB32);
    bitmap.fill(tools::ToQColor(tools::clFuchsia));
    QPainter painter(&bitmap);
    Icon.paint(&painter, QRect(0, 0, 16, 16));
    return &bitmap;
}

[[noreturn]] void IndexError(int32_t Index)
{
    throw platform::EListError(
        platform::Format(platform::LoadStr(SListIndexError), {int64_t{Index}}));
}

}  // namespace

void SetActionUpdate(QAction* Action, std::function<void(QAction&)> Update)
{
    if (!Action)
        return;
    delete FindUpdate(*Action);
    if (Update)
        new TActionUpdate(Action, std::move(Update));
}

void UpdateAction(QAction& Action)
{
    if (TActionUpdate* update = FindUpdate(Action))
        update->Run(Action);
}

// ---- TActionContainer -----------------------------------------------------------------

TActionContainer::TActionContainer(QObject* Owner) : QObject(Owner) {}

TActionContainer::~TActionContainer()
{
    SetActionsLookUp(nullptr);
}

void TActionContainer::SetAction(QAction* Value)
{
    if (Value == FAction)
        return;
    FAction = Value;
    if (FActionsLookUp)
        FActionsLookUp->NotifyLinks();
}

void TActionContainer::SetActionsLookUp(TActionsLookUp* Value)
{
    if (Value == FActionsLookUp)
        return;
    if (TActionsLookUp* old = FActionsLookUp) {
        FActionsLookUp = nullptr;
        old->RemoveContainer(this);
    }
    if (Value) {
        FActionsLookUp = Value;
        Value->AddContainer(this);
    }
}

std::string TActionContainer::FormName() const
{
    return platform::ToAnsi(objectName());
}

bool TActionContainer::ReadProperty(std::string_view Name, tools::TReader& Reader)
{
    if (Name != "Action")
        return false;
    const std::string name = Reader.ReadIdent();
    if (name == "nil") {
        SetAction(nullptr);
        return true;
    }
    // Actions are no form components of their own: they are found among the objects of
    // the form being read.
    auto* root = dynamic_cast<QObject*>(Reader.Root());
    QAction* action = root ? root->findChild<QAction*>(platform::FromAnsi(name)) : nullptr;
    if (!action)
        throw platform::EReadError(platform::Format(platform::LoadStr(SComponentNotFound), {name}));
    SetAction(action);
    return true;
}

void TActionContainer::WriteProperties(tools::TWriter& Writer)
{
    if (FAction && tools::IsFormIdent(platform::ToAnsi(FAction->objectName()))) {
        Writer.WritePropName("Action");
        Writer.WriteIdent(platform::ToAnsi(FAction->objectName()));
    }
}

// ---- TActionsLookUp -------------------------------------------------------------------

TActionsLookUp::TActionsLookUp(QObject* Owner) : TCustomLookUp2(Owner) {}

TActionsLookUp::~TActionsLookUp()
{
    // Each container leaves the list as it goes.
    while (!FContainers.empty())
        delete FContainers.back();
}

TActionContainer& TActionsLookUp::Container(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        IndexError(Index);
    return *FContainers[static_cast<size_t>(Index)];
}

TCustomLookUpItem* TActionsLookUp::GetItem(int32_t Index)
{
    TActionContainer& container = Container(Index);
    TScratchLookUpItem& item = ScratchItem();
    item.SetImageIndex(-1);
    if (QAction* action = container.Action()) {
        UpdateAction(*action);
        // The update may have destroyed the action.
        action = container.Action();
    }
    if (QAction* action = container.Action()) {
        item.SetEnabled(action->isEnabled() && action->isVisible());
        item.SetCaption(platform::ToAnsi(action->text()));
        item.SetHint(platform::ToAnsi(action->toolTip()));
        item.SetGlyph(action->icon().isNull() ? nullptr : IconBitmap(action->icon()));
    } else {
        item.SetCaption({});
        item.SetHint({});
        item.SetEnabled(false);
    }
    container.SetCachedEnabled(item.GetEnabled());
    return &item;
}

void TActionsLookUp::Clear()
{
    while (!FContainers.empty())
        delete FContainers.back();
    NotifyLinks();
}

std::vector<tools::TFormComponent*> TActionsLookUp::FormChildren() const
{
    std::vector<tools::TFormComponent*> children;
    for (TActionContainer* container : FContainers)
        if (container->parent() && container->parent() == parent())
            children.push_back(container);
    return children;
}

void TActionsLookUp::ReadingChild(tools::TFormComponent& Child)
{
    if (auto* container = dynamic_cast<TActionContainer*>(&Child))
        container->SetActionsLookUp(this);
}

void TActionsLookUp::AddContainer(TActionContainer* Container)
{
    FContainers.push_back(Container);
    NotifyLinks();
}

void TActionsLookUp::RemoveContainer(TActionContainer* Container)
{
    std::erase(FContainers, Container);
    NotifyLinks();
}

}  // namespace tavo::lookup
