#pragma once
// What the viewer's files share: its numbered texts as QString and the delegate that marks
// the entry in view.
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <cstdint>

namespace tavo::docviewer {

QString ViewerText(int32_t Id);

// Draws the entry whose part of the document is on screen in bold; the selection stays
// where the user put it, so marking never opens anything.
class TCurrentEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QPersistentModelIndex Marked;

protected:
    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override
    {
        QStyledItemDelegate::initStyleOption(Option, Index);
        if (Marked.isValid() && Index == Marked)
            Option->font.setBold(true);
    }
};

}  // namespace tavo::docviewer
