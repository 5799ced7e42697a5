#include "PdfPanel.h"

#include <QEvent>

namespace tavo::docviewer {

TPdfPanel::TPdfPanel(QWidget* Parent) : QFrame(Parent) {}

void TPdfPanel::AddTopItem(QWidget* Item)
{
    Item->setParent(this);
    Item->installEventFilter(this);
    FTop.emplace_back(Item);
    Realign();
}

void TPdfPanel::SetClientControl(QWidget* Control)
{
    if (FClient)
        FClient->removeEventFilter(this);
    FClient = Control;
    if (Control)
        Control->installEventFilter(this);
    Realign();
}

void TPdfPanel::Realign()
{
    if (FAligning)
        return;
    FAligning = true;
    int y = 0;
    for (const QPointer<QWidget>& item : FTop) {
        if (!item || item->isHidden())
            continue;
        int h = item->minimumHeight() > 0 && item->minimumHeight() == item->maximumHeight()
                    ? item->minimumHeight()
                    : item->sizeHint().height();
        item->setGeometry(0, y, width(), h);
        y += h;
    }
    if (FClient && FClient->parentWidget() == this)
        FClient->setGeometry(0, y, width(), std::max(0, height() - y));
    FAligning = false;
}

void TPdfPanel::resizeEvent(QResizeEvent* Event)
{
    QFrame::resizeEvent(Event);
    Realign();
}

bool TPdfPanel::eventFilter(QObject* Watched, QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        Realign();
        break;
    case QEvent::ParentChange:
        if (Watched == FClient && FClient->parentWidget() != this)
            SetClientControl(nullptr);
        break;
    default:
        break;
    }
    return QFrame::eventFilter(Watched, Event);
}

}  // namespace tavo::docviewer
