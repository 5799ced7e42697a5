#pragma once
// tavo-catalogue: the catalogue tool for the people who author discs.
//   dump FILE          the header and every record as JSON lines (UTF-8)
//   tree FILE          the table of contents, one node a line
//   build SOURCE OUT   a catalogue from JSON lines
//   index FILE         builds or refreshes the search index of the manual FILE describes
//   search FILE QUERY  finds QUERY in that manual, results as JSON lines
//   import, check, image: the disc author's commands (AuthorCommands.h)
//   --help, --version
// Errors print the message on Err and give 1; message boxes go to Err as "caption: text".
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "objects/FileVerInfo.h"

namespace tavo::catalogue {

// The libraries as the shell starts them (object streams, tools, the identity's caption
// numbers and header settings, the catalogue's version descriptor), stopped again in
// reverse order. The document types are the standard table.
class TCatalogueToolModules {
public:
    TCatalogueToolModules();
    ~TCatalogueToolModules();
    TCatalogueToolModules(const TCatalogueToolModules&) = delete;
    TCatalogueToolModules& operator=(const TCatalogueToolModules&) = delete;

    objects::TFileVerInfo& CatalogueVerInfo();
};

// Exit status of a command line the tool does not understand (the usage goes to Err).
inline constexpr int kUsageError = 2;

// Runs one command (Args without the program name); returns the exit status: 0, 1 for an
// error of the command, kUsageError. With Progress, long work reports how far it is on Err.
int RunCatalogueTool(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
                     std::ostream& Out, std::ostream& Err, bool Progress = false);

}  // namespace tavo::catalogue
