#pragma once
// The documentation catalogue file: a version header, the number of entries, then the
// entries' records one after another, with no class codes and nothing after the last.
#include <cstdint>
#include <memory>
#include <string>

#include "DocItem.h"
#include "objects/Objects7.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

// The catalogue's name in DocumentationFolder.
constexpr const char* CatalogueFileName = "TAVO_ENG.pdfv";

// What a load found besides the entries.
struct TCatalogueLoadInfo {
    int32_t Version = 0;        // the header's version number (0, -1 .. -4)
    int64_t DataOffset = 0;     // the position right after the header
    int32_t DeclaredCount = 0;  // the number of entries the file announces
    // False when the file ends before the entries it announces: the entries that are
    // there (the last one perhaps cut short) have been loaded. Also false for a file cut
    // inside its header or its count, which holds no entries.
    bool Complete = true;
};

// Reads the catalogue FileName as the documentation tab does: header checked against
// VerInfo, the count, then that many TDocItem0 records into a new collection. A name
// written with '\' or in another letter case is found as the platform resolves it.
// Errors: EFOpenError, EFVersionError; EReadError for a negative count. A count larger
// than the file can hold loads what is there (see Info) and allocates no more than that.
std::unique_ptr<objects::TObjectCollection> LoadCatalogue(const std::string& FileName,
                                                          objects::TFileVerInfo& VerInfo,
                                                          TCatalogueLoadInfo* Info = nullptr);

// Writes Catalogue (TDocItem0 items only) with VerInfo's header and the library's header
// settings. The file is replaced only once it has been written completely; EFCreateError
// or EWriteError otherwise, and an existing file stays as it was. Non-TDocItem0 items
// raise EObjectStream before anything is written.
void StoreCatalogue(const std::string& FileName, const objects::TObjectCollection& Catalogue,
                    objects::TFileVerInfo& VerInfo);

}  // namespace tavo::catalogue
