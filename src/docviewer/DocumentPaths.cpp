#include "DocumentPaths.h"

namespace tavo::docviewer {

std::string DocumentationFolder;
std::string ReaderSetupPath;

}  // namespace tavo::docviewer
