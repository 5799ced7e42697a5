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
constexpr int32_t SOnePage = 10895;
constexpr int32_t SPages = 10898;
constexpr int32_t SOneDocument = 10899;
constexpr int32_t SDocuments = 10900;
constexpr int32_t SOneNotSearched = 10901;
constexpr int32_t SNotSearched = 10902;
constexpr int32_t SStatusAndProblems = 10903;
constexpr int32_t SShowNotSearched = 10904;
constexpr int32_t SHideNotSearched = 10905;
constexpr int32_t SNotSearchedListName = 10906;
constexpr int32_t SReaderMissing = 10907;

// String Id with its %s and %d placeholders replaced by Args in order.
QString SearchText(int32_t Id, const QStringList& Args = {});

// Things counted in the texts of the search.
enum TCounted { cntResults, cntPages, cntDocuments, cntNotSearched };

// N things, as "1 document" or "5 documents". Every counted word goes through here, so that
// a translation gives it the plural forms of its language: Qt's translation of the "%n"
// text when one is installed (lupdate finds the texts here), else the string table's
// English singular and plural.
QString CountText(TCounted What, int N);

}  // namespace tavo::docviewer
