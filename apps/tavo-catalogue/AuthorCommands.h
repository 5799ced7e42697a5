#pragma once
// The disc author's commands: catalogue source from the documents' outlines, the check of
// a disc folder, and its image. Each returns the tool's exit status.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/FileVerInfo.h"

namespace tavo::catalogue {

// The document types import gives its entries, by level; a level without one takes the
// deepest level's below it. NullInt: no type.
struct TLevelTypes {
    std::map<int32_t, int32_t> ByLevel{{0, 23}, {1, 1}};
    int32_t Of(int32_t Level) const;
};

// One "--type-of-level" value, "LEVEL=TYPE" (TYPE an Id of the standard type table or
// "none"); none when it is not one.
std::optional<std::pair<int32_t, int32_t>> ParseLevelType(std::string_view Text);

// A problem check finds. Kind is stable, for scripts: missing-shell, missing-plugin,
// missing-program, not-executable, catalogue-unreadable, missing-document, missing-page,
// missing-destination, unnamed-document, damaged-document, encrypted-document,
// empty-document.
struct TDiscProblem {
    std::string Kind;
    std::string Message;  // UTF-8
    int32_t Entry = -1;   // the catalogue entry, when it is one's
    std::string File;     // relative to the disc folder when inside it
    int32_t Page = 0;
    int32_t Pages = 0;
    std::string Destination;
};

struct TDiscSummary {
    int32_t Entries = 0;
    size_t Documents = 0;
};

// Everything check looks at in the disc folder Disc (absolute). Raises when the reader
// component cannot be had.
std::vector<TDiscProblem> FindDiscProblems(const std::filesystem::path& Disc,
                                           objects::TFileVerInfo& VerInfo,
                                           TDiscSummary* Summary = nullptr);

//   import [--depth N] [--type-of-level L=T]... [--replace] DOC.pdf...
int ImportDocuments(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
//   check [--json] DISC-FOLDER
int CheckDisc(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
              std::ostream& Out, std::ostream& Err);
//   image [--force] DISC-FOLDER OUT.iso
int ImageDisc(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
              std::ostream& Out, std::ostream& Err);

}  // namespace tavo::catalogue
