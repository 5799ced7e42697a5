#pragma once
// The manual as the table of contents shows it: the documents its entries name and, for a
// place in a document, the entry it belongs to. Built from the same rules as the tree, so
// hidden entries, '<...>' entries and entries without a caption name no document here.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "objects/Objects7.h"

namespace tavo::catalogue {
class TDocItem0;
}

namespace tavo::docviewer {

struct TManualEntry {
    int32_t Index = -1;  // of the record in the catalogue
    const catalogue::TDocItem0* Item = nullptr;
    QString Caption;
    QString File;      // DocumentKey of the entry
    int32_t Page = 0;  // where it opens; 0 when its page is an expression (no page move)
};

// The document an entry names, as the index keys it: the file on this file system, with
// links and "." resolved. Empty for an entry without a file.
QString DocumentKey(const catalogue::TDocItem0& Item);

class TManualEntries {
public:
    TManualEntries() = default;
    // Catalogue is not owned and must outlive this.
    explicit TManualEntries(const objects::TObjectCollection* Catalogue);

    // The documents in the order the table of contents first names them.
    const QStringList& Files() const { return FFiles; }
    const std::vector<TManualEntry>& Entries() const { return FEntries; }

    // The entry a place belongs to: of File's entries, the one opening nearest at or before
    // Page (the first in the table's order among equals); before the first of them, the
    // first. None when no shown entry names File.
    const TManualEntry* EntryFor(const QString& File, int32_t Page) const;

private:
    std::vector<TManualEntry> FEntries;            // in display order
    QHash<QString, std::vector<int32_t>> FByFile;  // into FEntries, in display order
    QStringList FFiles;
};

}  // namespace tavo::docviewer
