#pragma once
// A search of the whole manual: the index's pages, each given the entry of the table of
// contents it belongs to and a snippet. Pages of documents no shown entry names are left
// out: the reader could not reach them from the table.
#include <QString>
#include <cstdint>
#include <vector>

#include "ManualEntries.h"
#include "ManualIndex.h"
#include "SearchQuery.h"
#include "Snippet.h"

namespace tavo::docviewer {

// Results shown at most; the best come first.
inline constexpr int kMaxSearchResults = 200;

struct TSearchResult {
    const TManualEntry* Entry = nullptr;  // never none
    QString File;
    int32_t Page = 0;
    TSnippet Snippet;
    double Rank = 0;
};

std::vector<TSearchResult> SearchManual(TManualIndex& Index, const TManualEntries& Entries,
                                        const TSearchQuery& Query, int Limit = kMaxSearchResults);

}  // namespace tavo::docviewer
