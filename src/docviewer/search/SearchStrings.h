#pragma once
// Numbered texts of the manual search (resources/strings/search.str).
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tavo::docviewer {

constexpr int32_t SSearchField = 10870;
constexpr int32_t SSearchHint = 10871;
constexpr int32_t SSearchResultsName = 10872;
constexpr int32_t SIndexingProgress = 10873;
constexpr int32_t SNoResults = 10874;
constexpr int32_t SOneResult = 10875;
constexpr int32_t SResults = 10876;
constexpr int32_t SResultsSoFar = 10877;
constexpr int32_t SNoWordsToFind = 10878;
constexpr int32_t SCannotSearch = 10879;
constexpr int32_t SResultPage = 10880;
constexpr int32_t SResultAccessible = 10881;
constexpr int32_t SIndexNotCreated = 10882;
constexpr int32_t SNoSqlDriver = 10883;
constexpr int32_t SIndexSetAside = 10884;
constexpr int32_t SDocumentIndexed = 10885;
constexpr int32_t SDocumentUnchanged = 10886;
constexpr int32_t SDocumentUnreadable = 10887;
constexpr int32_t SDocumentMissing = 10888;
constexpr int32_t SDocumentRemoved = 10889;
constexpr int32_t SIndexSummary = 10890;
constexpr int32_t SIndexInterrupted = 10891;
constexpr int32_t SIndexUnreadable = 10892;
constexpr int32_t SBestResults = 10893;
constexpr int32_t SNoTextSource = 10894;
constexpr int32_t SDocumentIndexedOnePage = 10896;
constexpr int32_t SDocumentUnchangedOnePage = 10897;

// String Id with its %s and %d placeholders replaced by Args in order.
QString SearchText(int32_t Id, const QStringList& Args = {});

}  // namespace tavo::docviewer
