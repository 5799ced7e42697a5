#include "DocumentPaths.h"

namespace tavo::catalogue {

std::string DocumentationFolder;
std::string ReaderSetupPath;

}  // namespace tavo::catalogue
