// TLookUpList: the list bound to a lookup component, and the action refresh of an embedded
// list of actions.
#include <QTimer>

#include "lookup/LookUpList.h"
#include "tools/ControlHelp.h"
#include "tools/TextRoutines.h"

namespace tavo::lookup {

namespace {

constexpr int ActionRefreshMs = 100;

}  // namespace

TLookUpList::TLookUpList(QWidget* Parent) : TLookUpRowsOf(TLookUpRows::rfListMode, Parent) {}

TLookUpList::TLookUpList(QWidget* Owner, TPopupMode Mode)
    : TLookUpRowsOf(TLookUpRows::rfListMode, Owner, Mode)
{
}

TLookUpList* TLookUpList::CreatePopup(QWidget* Owner)
{
    return new TLookUpList(Owner, TPopupMode{});
}

void TLookUpList::WindowCreating()
{
    if (TCustomLookUp* lookup = LookUp())
        SetSlimRows(lookup->SlimRows());
}

void TLookUpList::RowsChanged()
{
    RecreateWnd();
    UpdateActionTimer();
}

void TLookUpList::LookUpDestroying(TCustomLookUp& Sender)
{
    TLookUpRowsOf::LookUpDestroying(Sender);
    ClosePopup();
}

bool TLookUpList::GetAddEditItem() const
{
    return Rows().AddEditItem();
}

void TLookUpList::ChooseItem(int32_t Index)
{
    TCustomLookUp* lookup = LookUp();
    if (lookup && Index >= 0 && Index < lookup->Count()) {
        if (auto* actions = dynamic_cast<TActionsLookUp*>(lookup)) {
            const QPointer<QAction> action = actions->Container(Index).Action();
            TCustomLookUpList::ChooseItem(Index);
            if (action)
                action->trigger();
            return;
        }
    } else if (lookup && Index >= lookup->Count() && GetAddEditItem()) {
        // The popup stays until its close rules remove it.
        EditItems();
        return;
    }
    TCustomLookUpList::ChooseItem(Index);
}

void TLookUpList::EditItems()
{
    TCustomLookUp* lookup = LookUp();
    if (!lookup)
        return;
    if (QWidget* owner = OwnerControl())
        lookup->EditItems(owner, tools::HintText(tools::ControlHint(owner)), OnSetText);
    else
        lookup->EditItems(nullptr, {}, OnSetText);
}

TLookUpMeasureItemEvent TLookUpList::MeasureHandler() const
{
    if (OnMeasureItem)
        return OnMeasureItem;
    TCustomLookUp* shown = LookUp();
    if (shown && (shown->DrawStyle() == ldsLookUpDraw || shown->OnMeasureItem)) {
        QPointer<TCustomLookUp> lookup = shown;
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
    TCustomLookUp* shown = LookUp();
    if (shown && (shown->DrawStyle() == ldsLookUpDraw || shown->OnDrawItem)) {
        QPointer<TCustomLookUp> lookup = shown;
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
    const bool wanted = Embedded() && dynamic_cast<TActionsLookUp*>(LookUp()) != nullptr;
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
    auto* actions = dynamic_cast<TActionsLookUp*>(LookUp());
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
