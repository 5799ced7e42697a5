#include "DocumentPaths.h"

namespace tavo::catalogue {

std::string DocumentationFolder;

}  // namespace tavo::catalogue
