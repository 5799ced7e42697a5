#pragma once
// What the tool's commands share: console texts and the scope in which the reader
// component is found.
#include <QCoreApplication>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tavo::catalogue {

// Messages hold string-table texts (Windows-1250) and file names (UTF-8 here); a text that
// is valid UTF-8 already is printed as it is.
std::string ToConsole(const std::string& Text);
// A string-table text in UTF-8, for messages whose values are UTF-8.
std::string Utf8Str(int32_t Ident);

// The arguments of a command on a disc folder (check, image): its one Flag and its operands,
// the first of them a folder. Nothing, with the reason written to Err, for an unknown
// option, another number of operands than Operands, or a first operand that is no folder.
struct TDiscCommandArgs {
    bool Flag = false;
    std::vector<std::string> Operands;
};
std::optional<TDiscCommandArgs> ReadDiscCommandArgs(const std::vector<std::string>& Args,
                                                    const std::string& Flag, size_t Operands,
                                                    std::ostream& Err);

// What the manual search needs of Qt in a program without windows: the application object
// (Qt SQL finds its driver through it) and the components. Besides where the shell finds
// them, they are looked for in plugins/ of the disc whose Setup/PdfViewer/Documentation
// holds the catalogue, and in the build tree's sample disc when the tool runs from there.
// Both are put back.
class TManualScope {
public:
    explicit TManualScope(const std::string& Catalogue);
    ~TManualScope();
    TManualScope(const TManualScope&) = delete;
    TManualScope& operator=(const TManualScope&) = delete;

private:
    std::unique_ptr<QCoreApplication> FApplication;
    bool FHadPath = false;
    std::string FSavedPath;
};

}  // namespace tavo::catalogue
