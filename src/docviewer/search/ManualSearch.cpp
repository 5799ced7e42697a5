#include "ManualSearch.h"

namespace tavo::docviewer {

std::vector<TSearchResult> SearchManual(TManualIndex& Index, const TManualEntries& Entries,
                                        const TSearchQuery& Query, int Limit)
{
    std::vector<TSearchResult> results;
    // Where each document's named destinations lie, read once per search.
    QHash<QString, TDestinationPages> destinations;
    for (TIndexHit& hit : Index.Search(Query, Limit)) {
        auto known = destinations.find(hit.File);
        if (known == destinations.end())
            known = destinations.insert(hit.File, Entries.Destinations().contains(hit.File)
                                                      ? Index.Destinations(hit.File)
                                                      : TDestinationPages());
        const TManualEntry* entry = Entries.EntryFor(hit.File, hit.Page, *known);
        if (!entry)
            continue;
        results.push_back(
            {entry, std::move(hit.File), hit.Page, MakeSnippet(hit.Text, Query), hit.Rank});
    }
    return results;
}

}  // namespace tavo::docviewer
