// Popup lists: placement against their owner or a screen rectangle, the one current popup
// list, and the application-wide watching of input while popups exist.
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "lookup/LookUpList.h"
#include "lookup/LookUpPopupWatch.h"

namespace tavo::lookup {

namespace {

QPointer<TCustomLookUpList> CurrentPopup;
int LivePopups = 0;
std::optional<QRect> WorkAreaOverride;

// Stands for the thread hooks of a popup list: every key goes to the current popup list
// and no further; a press outside it, a window's deactivation, the focus moving away or the
// owner's window moving closes it.
class TPopupWatcher : public QObject {
public:
    TPopupWatcher()
    {
        connect(qApp, &QApplication::focusChanged, this, [](QWidget*, QWidget* Now) {
            TCustomLookUpList* popup = CurrentPopup;
            if (popup && !popup->Closing() && Now && Now->window() != popup)
                popup->ClosePopup();
        });
    }

    bool eventFilter(QObject* Target, QEvent* Event) override
    {
        TCustomLookUpList* popup = CurrentPopup;
        if (!popup || popup->Closing())
            return false;
        switch (Event->type()) {
        case QEvent::ShortcutOverride:
            // No shortcut of the window fires while the popup has the keys.
            Event->accept();
            return true;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(Event);
            popup->HandleKey(key->key(), key->modifiers());
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(Event);
            const QRect area(popup->mapToGlobal(QPoint(0, 0)), popup->size());
            if (mouse->button() == Qt::LeftButton &&
                area.contains(mouse->globalPosition().toPoint()))
                return false;
            popup->ClosePopup();
            return false;  // the press goes on to what it was meant for
        }
        case QEvent::WindowDeactivate:
            // The popup's own activation (where a platform activates it regardless) takes
            // the activation from the window it opened from: no reason to close. Any other
            // window becoming active, the popup's deactivation among them, is.
            if (QApplication::activeWindow() != popup)
                popup->ClosePopup();
            return false;
        case QEvent::ApplicationDeactivate:
            popup->ClosePopup();
            return false;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
            // The window of the control the popup hangs under moved away from it (a drag by
            // its title bar reaches no one here) or went.
            if (QWidget* owner = popup->OwnerControl(); owner && Target == owner->window())
                popup->ClosePopup();
            return false;
        default:
            return false;
        }
    }
};

QPointer<TPopupWatcher> Watcher;

void InstallWatcher()
{
    if (Watcher || !qApp)
        return;
    Watcher = new TPopupWatcher;
    qApp->installEventFilter(Watcher);
}

void RemoveWatcher()
{
    if (!Watcher)
        return;
    if (qApp)
        qApp->removeEventFilter(Watcher);
    delete Watcher;
}

}  // namespace

void PopupListCreated()
{
    ++LivePopups;
}

void PopupListDestroyed(TCustomLookUpList* List)
{
    if (CurrentPopup == List)
        CurrentPopup = nullptr;
    if (--LivePopups <= 0) {
        LivePopups = 0;
        RemoveWatcher();
    }
}

void MakeCurrentPopupList(TCustomLookUpList* List)
{
    if (TCustomLookUpList* previous = CurrentPopup; previous && previous != List)
        previous->ClosePopup();
    CurrentPopup = List;
    InstallWatcher();
}

TPopupSuspension::TPopupSuspension(TCustomLookUpList* List)
    : FList(List), FSaved(CurrentPopup.data())
{
    CurrentPopup = nullptr;
}

TPopupSuspension::~TPopupSuspension()
{
    auto* list = qobject_cast<TCustomLookUpList*>(FList.data());
    auto* saved = qobject_cast<TCustomLookUpList*>(FSaved.data());
    if (!list || list->Closing() || CurrentPopup)
        return;
    if (saved && !saved->Closing())
        CurrentPopup = saved;
}

// ---- TCustomLookUpList: the popup side -----------------------------------------------

TCustomLookUpList* TCustomLookUpList::CurrentPopupList()
{
    return CurrentPopup;
}

QRect TCustomLookUpList::WorkArea(QPoint Point)
{
    if (WorkAreaOverride)
        return *WorkAreaOverride;
    QScreen* screen = QGuiApplication::screenAt(Point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TCustomLookUpList::SetWorkAreaOverride(std::optional<QRect> Area)
{
    WorkAreaOverride = Area;
}

void TCustomLookUpList::ClosePopup()
{
    if (FEmbedded || FClosing)
        return;
    FClosing = true;
    hide();
    if (CurrentPopup == this)
        CurrentPopup = nullptr;
    deleteLater();
}

void TCustomLookUpList::OpenPopup()
{
    if (FEmbedded || FClosing)
        return;
    RecreateWnd();
    PlayPopupSound();
    MakeCurrentPopupList(this);
    PlacePopup();
    show();
}

void TCustomLookUpList::PlacePopup()
{
    const int32_t w = width();
    const int32_t h = height();
    QPoint p = pos();
    QRect area;
    if (QWidget* owner = FOwnerControl) {
        if (owner->width() <= 0)
            return;
        // Right-aligned with a wider owner, left-aligned otherwise; below it if there is
        // room, else above it, else at the top beside it.
        const int32_t x = w < owner->width() ? owner->width() - w : 0;
        p = owner->mapToGlobal(QPoint(x, owner->height()));
        area = WorkArea(owner->mapToGlobal(owner->rect().center()));
        if (p.y() + h > area.bottom() + 1)
            p.ry() -= h + owner->height();
        if (p.y() < area.top()) {
            p.setY(area.top());
            p.rx() += owner->width();
        }
    } else {
        const QRect anchor = FAnchorRect.ToQRect();
        if (anchor.width() <= 0)
            return;
        area = WorkArea(anchor.center());
        p = QPoint(FAnchorRect.Left, FAnchorRect.Bottom);
        if (p.y() + h > area.bottom() + 1)
            p.setY(FAnchorRect.Top - h);
        if (p.y() < area.top())
            p.setX(FAnchorRect.Right);
    }
    // Within the work area: at its right edge at most, and never above or left of it.
    if (p.x() + w > area.right() + 1)
        p.setX(area.right() + 1 - w);
    if (p.y() + h > area.bottom() + 1)
        p.setY(area.bottom() + 1 - h);
    p.setX(std::max(p.x(), area.left()));
    p.setY(std::max(p.y(), area.top()));
    move(p);
}

// ---- Opening a popup from a lookup ---------------------------------------------------

namespace {

TLookUpList* NewPopup(TCustomLookUp& LookUp, QWidget* Owner, TReturnStr ReturnStr,
                      const TSetTextEvent& OnSetText)
{
    TLookUpList* list = TLookUpList::CreatePopup(Owner);
    list->SetLookUpReturnStr(ReturnStr);
    list->OnSetText = OnSetText;
    list->SetDisplayStyle(LookUp.DisplayStyle());
    list->SetColumns(static_cast<uint16_t>(LookUp.Columns()));
    list->SetLookUp(&LookUp);
    // Styles without a visible caption show it as a hint.
    list->SetShowHint(LookUp.DisplayStyle() != dsCaption &&
                      LookUp.DisplayStyle() != dsCaptionGlyph);
    return list;
}

}  // namespace

void TCustomLookUp::PopupAt(int32_t X, int32_t Y, int32_t Width, int32_t Height,
                            TReturnStr ReturnStr, const TSetTextEvent& OnSetText)
{
    UpdateItems();
    TLookUpList* list = NewPopup(*this, nullptr, ReturnStr, OnSetText);
    list->SetAnchorRect({X, Y, X + Width, Y + Height});
    list->OpenPopup();
}

void TCustomLookUp::PopupUnder(QWidget* Control, TReturnStr ReturnStr,
                               const TSetTextEvent& OnSetText)
{
    UpdateItems();
    // What the control under the popup was doing with the mouse ends here: a drag, a held
    // button, an open menu.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    NewPopup(*this, Control, ReturnStr, OnSetText)->OpenPopup();
}

}  // namespace tavo::lookup
