#include "Errors.h"

#include "FrameworkStrings.h"
#include "StringTable.h"

namespace tavo::platform {

EFOpenError EFOpenError::ForFile(const std::string& FileName)
{
    return EFOpenError(ReplaceFirstS(LoadStr(SFOpenError), FileName));
}

EFCreateError EFCreateError::ForFile(const std::string& FileName)
{
    return EFCreateError(ReplaceFirstS(LoadStr(SFCreateError), FileName));
}

}  // namespace tavo::platform

namespace tavo::platform {

EAbstractError::EAbstractError() : Exception(LoadStr(SAbstractError)) {}

}  // namespace tavo::platform
