#include "ManualSearch.h"

namespace tavo::docviewer {

std::vector<TSearchResult> SearchManual(TManualIndex& Index, const TManualEntries& Entries,
                                        const TSearchQuery& Query, int Limit)
{
    std::vector<TSearchResult> results;
    for (TIndexHit& hit : Index.Search(Query, Limit)) {
        const TManualEntry* entry = Entries.EntryFor(hit.File, hit.Page);
        if (!entry)
            continue;
        results.push_back(
            {entry, std::move(hit.File), hit.Page, MakeSnippet(hit.Text, Query), hit.Rank});
    }
    return results;
}

}  // namespace tavo::docviewer
