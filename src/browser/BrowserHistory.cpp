// The shell's own navigation history: distinct addresses in the order of their first
// visit, with a current position, driven by before-navigate for every frame.
#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "BrowserTab.h"

namespace tavo::browser {

namespace {

// Menu captions take '&' as an accelerator mark; an address shows as it is and the
// entry keeps the address itself, so a query such as "?a=1&b=2" is navigated whole.
QAction* HistoryEntry(QMenu* Menu, const QString& Address)
{
    auto* entry = new QAction(QString(Address).replace(u'&', QStringLiteral("&&")), Menu);
    entry->setData(Address);
    return entry;
}

void ClearMenu(QMenu* Menu)
{
    // The entry being chosen may be the one that is removed: it goes later.
    for (QAction* entry : Menu->actions()) {
        Menu->removeAction(entry);
        entry->deleteLater();
    }
}

void InsertAtTop(QMenu* Menu, QAction* Entry)
{
    QList<QAction*> entries = Menu->actions();
    Menu->insertAction(entries.isEmpty() ? nullptr : entries.first(), Entry);
}

}  // namespace

void TBrowserTab::BrowserBeforeNavigate(const QString& Address)
{
    if (!FHistory)
        return;
    QString s = Address;
    if (s.isEmpty())
        s = FAddress;
    if (s.isEmpty())
        return;
    int32_t p = -1;
    for (int32_t i = 0; i < FHistory->size(); ++i) {
        if (QString::compare(FHistory->at(i), s, Qt::CaseInsensitive) == 0) {
            p = i;
            break;
        }
    }
    if (p < 0) {
        FHistory->append(s);
        p = static_cast<int32_t>(FHistory->size()) - 1;
    }
    FAddressEditsHandled = false;
    SetAddressText(s);
    FAddressEditsHandled = true;
    RebuildMenus(p);
    FHistoryIndex = p;
    FBackAction->setEnabled(p != 0);
    FForwardAction->setEnabled(p != FHistory->size() - 1);
}

void TBrowserTab::RebuildMenus(int32_t Position)
{
    // Both menus list the nearest entry first.
    ClearMenu(ForwardPopupMenu);
    for (int32_t i = static_cast<int32_t>(FHistory->size()) - 1; i > Position; --i)
        InsertAtTop(ForwardPopupMenu, HistoryEntry(ForwardPopupMenu, FHistory->at(i)));
    ClearMenu(BackPopupMenu);
    for (int32_t i = 0; i < Position; ++i)
        InsertAtTop(BackPopupMenu, HistoryEntry(BackPopupMenu, FHistory->at(i)));
}

void TBrowserTab::dxBackBtnClick()
{
    if (!FHistory || FHistoryIndex < 1)
        return;
    FAddress = FHistory->at(FHistoryIndex - 1);
    NavigateToAddress();
}

void TBrowserTab::dxForwardBtnClick()
{
    if (!FHistory || FHistoryIndex < 0 || FHistoryIndex + 1 >= FHistory->size())
        return;
    FAddress = FHistory->at(FHistoryIndex + 1);
    NavigateToAddress();
}

void TBrowserTab::dxBarHistoryClick(QAction* Entry)
{
    if (!Entry)
        return;
    FAddress = Entry->data().toString();
    NavigateToAddress();
}

}  // namespace tavo::browser
