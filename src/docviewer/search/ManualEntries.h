#pragma once
// The manual as the table of contents shows it: the documents its entries name and, for a
// place in a document, the entry it belongs to. Built from the same rules as the tree, so
// hidden entries, '<...>' entries and entries without a caption name no document here.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tavo::catalogue {
class TDocCatalogue;
class TDocItem0;
}  // namespace tavo::catalogue

namespace tavo::docviewer {

struct TManualEntry {
    int32_t Node = 0;    // in the catalogue's table of contents
    int32_t Index = -1;  // of the record in the catalogue
    const catalogue::TDocItem0* Item = nullptr;
    QString Caption;
    QString File;         // the entry's document (TDocCatalogue::Document)
    int32_t Page = 0;     // its page; 0 when that is an expression (no page move)
    QString Destination;  // the named destination it opens at, when it names one
};

// Where the named destinations of a document lie: pages by name, 0 for a name it lacks.
using TDestinationPages = QHash<QString, int32_t>;

// The page an entry opens at: its destination's where that lies in the document, else its
// own page (0: none).
int32_t EntryPage(const TManualEntry& Entry, const TDestinationPages& Destinations);

class TManualEntries {
public:
    TManualEntries() = default;
    // Catalogue is not owned and must outlive this.
    explicit TManualEntries(const catalogue::TDocCatalogue* Catalogue);

    // The documents in the order the table of contents first names them.
    const QStringList& Files() const { return FFiles; }
    // The named destinations the entries of each document open at, by document.
    const QHash<QString, QStringList>& Destinations() const { return FDestinations; }
    const std::vector<TManualEntry>& Entries() const { return FEntries; }

    // The entry a place belongs to: of File's entries, the one opening nearest at or before
    // Page (the first in the table's order among equals); before the first of them, the
    // first. None when no shown entry names File. Destinations: where File's named
    // destinations lie (see EntryPage).
    const TManualEntry* EntryFor(const QString& File, int32_t Page,
                                 const TDestinationPages& Destinations = {}) const;

private:
    const catalogue::TDocCatalogue* FCatalogue = nullptr;
    std::vector<TManualEntry> FEntries;  // in display order
    QHash<int32_t, int32_t> FByNode;     // into FEntries
    QStringList FFiles;
    QHash<QString, QStringList> FDestinations;
};

}  // namespace tavo::docviewer
