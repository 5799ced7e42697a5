#pragma once
// Texts of the manual search: the numbered ones by name (strings/StringIds.h), and counts.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "strings/StringIds.h"

namespace tavo::docviewer {

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
