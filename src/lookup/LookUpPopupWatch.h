#pragma once
#include <QPointer>

// Inside the lookup library: the bookkeeping of popup lists. One application-wide event
// filter watches the input while popup lists exist; it is installed by the first and
// removed with the last.
namespace tavo::lookup {

class TCustomLookUpList;

void PopupListCreated();
void PopupListDestroyed(TCustomLookUpList* List);
// Makes List the current popup list, closing the one before.
void MakeCurrentPopupList(TCustomLookUpList* List);

// While a choice is handled no popup list is current, so that what the handler shows (a
// dialog, another window) is not taken for a reason to close; afterwards the current one
// comes back unless List closed.
class TPopupSuspension {
public:
    explicit TPopupSuspension(TCustomLookUpList* List);
    ~TPopupSuspension();
    TPopupSuspension(const TPopupSuspension&) = delete;
    TPopupSuspension& operator=(const TPopupSuspension&) = delete;

private:
    QPointer<QObject> FList;
    QPointer<QObject> FSaved;
};

}  // namespace tavo::lookup
