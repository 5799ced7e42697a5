// TLookUpList: the list bound to a lookup component, and the action refresh of an embedded
// list of actions.
#include <QTimer>

#include "lookup/LookUpList.h"
#include "tools/ControlHelp.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

constexpr int ActionRefreshMs = 100;

// ListMode is on while the list fetches what it displays, and off again on every way out.
class TListModeGuard {
public:
    TListModeGuard(TCustomLookUp* LookUp, bool On) : FLookUp(On ? LookUp : nullptr)
    {
        if (FLookUp)
            FLookUp->SetListMode(true);
    }
    ~TListModeGuard()
    {
        if (FLookUp)
            FLookUp->SetListMode(false);
    }
    TListModeGuard(const TListModeGuard&) = delete;
    TListModeGuard& operator=(const TListModeGuard&) = delete;

private:
    TCustomLookUp* FLookUp;
};

}  // namespace

TLookUpList::TLookUpList(QWidget* Parent) : TCustomLookUpList(Parent) {}

TLookUpList::TLookUpList(QWidget* Owner, TPopupMode Mode) : TCustomLookUpList(Owner, Mode) {}

TLookUpList* TLookUpList::CreatePopup(QWidget* Owner)
{
    return new TLookUpList(Owner, TPopupMode{});
}

TLookUpList::~TLookUpList()
{
    Relink(this, FLookUp, nullptr);
}

void TLookUpList::SetLookUp(TCustomLookUp* Value)
{
    if (!Relink(this, FLookUp, Value))
        return;
    if (FLookUp)
        SetSlimRows(FLookUp->SlimRows());
    RecreateWnd();
    UpdateActionTimer();
}

void TLookUpList::WindowCreating()
{
    if (FLookUp)
        SetSlimRows(FLookUp->SlimRows());
}

void TLookUpList::LookUpChanged(TCustomLookUp&)
{
    RecreateWnd();
    UpdateActionTimer();
}

void TLookUpList::LookUpDestroying(TCustomLookUp&)
{
    SetLookUp(nullptr);
    // A popup with nothing left to choose from goes too.
    ClosePopup();
}

TCustomLookUpItem* TLookUpList::ListItem(int32_t Index, bool InListMode) const
{
    if (!FLookUp || Index < 0 || Index >= FLookUp->Count())
        return nullptr;
    const TListModeGuard guard(FLookUp, InListMode);
    return FLookUp->GetItem(Index);
}

bool TLookUpList::GetAddEditItem() const
{
    return FLookUp && FLookUp->AddEditItem();
}

int32_t TLookUpList::GetItemCount() const
{
    return FLookUp ? FLookUp->Count() : 0;
}

std::string TLookUpList::GetItemCaption(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::GetItemCaption(Index);
    const TCustomLookUpItem* item = ListItem(Index, true);
    return item ? tools::StripAccelerators(item->GetCaption()) : std::string();
}

std::string TLookUpList::GetItemHint(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::GetItemHint(Index);
    const TCustomLookUpItem* item = ListItem(Index, false);
    return item ? item->GetHint() : std::string();
}

std::string TLookUpList::GetItemIdStr(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::GetItemIdStr(Index);
    const TCustomLookUpItem* item = ListItem(Index, false);
    return item ? item->GetIdStr() : std::string();
}

int32_t TLookUpList::GetItemId(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::GetItemId(Index);
    const TCustomLookUpItem* item = ListItem(Index, false);
    return item ? item->GetId() : NullInt;
}

const QImage* TLookUpList::GetItemGlyph(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::GetItemGlyph(Index);
    const TCustomLookUpItem* item = ListItem(Index, true);
    return item ? item->GetGlyph() : nullptr;
}

bool TLookUpList::IsItemEnabled(int32_t Index) const
{
    if (!FLookUp || Index >= FLookUp->Count())
        return TCustomLookUpList::IsItemEnabled(Index);
    const TCustomLookUpItem* item = ListItem(Index, false);
    return isEnabled() && item && item->GetEnabled();
}

void TLookUpList::ChooseItem(int32_t Index)
{
    if (FLookUp && Index >= 0 && Index < FLookUp->Count()) {
        if (auto* actions = dynamic_cast<TActionsLookUp*>(FLookUp.data())) {
            const QPointer<QAction> action = actions->Container(Index).Action();
            TCustomLookUpList::ChooseItem(Index);
            if (action)
                action->trigger();
            return;
        }
    } else if (FLookUp && Index >= FLookUp->Count() && GetAddEditItem()) {
        // The popup stays until its close rules remove it.
        EditItems();
        return;
    }
    TCustomLookUpList::ChooseItem(Index);
}

void TLookUpList::EditItems()
{
    if (!FLookUp)
        return;
    if (QWidget* owner = OwnerControl())
        FLookUp->EditItems(owner, tools::HintText(tools::ControlHint(owner)), OnSetText);
    else
        FLookUp->EditItems(nullptr, {}, OnSetText);
}

TLookUpMeasureItemEvent TLookUpList::MeasureHandler() const
{
    if (OnMeasureItem)
        return OnMeasureItem;
    if (FLookUp && (FLookUp->DrawStyle() == ldsLookUpDraw || FLookUp->OnMeasureItem)) {
        QPointer<TCustomLookUp> lookup = FLookUp;
        return [lookup](QWidget* Control, QPainter& Canvas, TDisplayStyle Style, int32_t Index,
                        int32_t& Width, int32_t& Height, int32_t& GlyphsWidth) {
            if (lookup)
                lookup->MeasureItem(Control, Canvas, Style, Index, Width, Height, GlyphsWidth);
        };
    }
    return {};
}

TLookUpDrawItemEvent TLookUpList::DrawHandler() const
{
    if (OnDrawItem)
        return OnDrawItem;
    if (FLookUp && (FLookUp->DrawStyle() == ldsLookUpDraw || FLookUp->OnDrawItem)) {
        QPointer<TCustomLookUp> lookup = FLookUp;
        return [lookup](QWidget* Control, QPainter& Canvas, TDisplayStyle Style, int32_t Index,
                        int32_t Margin, const TRect& Rect, TAlignment Alignment,
                        TOwnerDrawState State) {
            if (lookup)
                lookup->DrawItem(Control, Canvas, Style, Index, Margin, Rect, Alignment, State);
        };
    }
    return {};
}

// ---- Action refresh -------------------------------------------------------------------

void TLookUpList::UpdateActionTimer()
{
    const bool wanted = Embedded() && dynamic_cast<TActionsLookUp*>(FLookUp.data()) != nullptr;
    if (!wanted) {
        delete FActionTimer;
        FActionTimer = nullptr;
        return;
    }
    if (!FActionTimer) {
        FActionTimer = new QTimer(this);
        FActionTimer->setInterval(ActionRefreshMs);
        connect(FActionTimer, &QTimer::timeout, this, &TLookUpList::RefreshActions);
        FActionTimer->start();
    }
}

void TLookUpList::RefreshActions()
{
    auto* actions = dynamic_cast<TActionsLookUp*>(FLookUp.data());
    if (!actions || !isVisible())
        return;
    const QPointer<TLookUpList> self(this);
    FActionTimer->stop();
    std::vector<QPointer<TActionContainer>> containers(actions->Containers().begin(),
                                                       actions->Containers().end());
    for (size_t i = 0; i < containers.size() && self; ++i) {
        TActionContainer* container = containers[i];
        QAction* action = container ? container->Action() : nullptr;
        if (!action)
            continue;
        UpdateAction(*action);
        if (!container || !container->Action())
            continue;
        action = container->Action();
        const bool state = action->isEnabled() && action->isVisible();
        if (state != container->CachedEnabled()) {
            container->SetCachedEnabled(state);
            const QRect client = ClientRect();
            update(ItemRect(static_cast<int32_t>(i)).ToQRect().translated(client.topLeft()));
        }
    }
    if (self && FActionTimer)
        FActionTimer->start();
}

}  // namespace tavo::lookup
