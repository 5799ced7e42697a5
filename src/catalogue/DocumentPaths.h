#pragma once
// Process-wide paths on the disc, set by the main window when it is created.
#include <string>

namespace tavo::catalogue {

// The folder of the catalogue and the documents, with a trailing separator.
extern std::string DocumentationFolder;

}  // namespace tavo::catalogue
