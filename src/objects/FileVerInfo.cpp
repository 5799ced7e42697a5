#include "FileVerInfo.h"

#include <memory>

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::objects {

uint16_t HeaderFormat = 0;
std::array<std::string, 5> HeaderTexts;

namespace {

std::unique_ptr<TFileVerInfo> GDefaultVerInfo;

std::string NormaliseVersion(std::string_view Text)
{
    std::string Result(Text.substr(0, VersionTextLength));
    Result.resize(VersionTextLength, ' ');
    return Result;
}

}  // namespace

TFileVerInfo::TFileVerInfo(bool Signature, std::string_view V0, std::string_view V1,
                           std::string_view V2, std::string_view V3, std::string_view V4)
    : FSignature(Signature), FVersions{NormaliseVersion(V0), NormaliseVersion(V1),
                                       NormaliseVersion(V2), NormaliseVersion(V3),
                                       NormaliseVersion(V4)}
{
}

const std::string& TFileVerInfo::Versions(int32_t Index) const
{
    if (Index < 0 || Index >= static_cast<int32_t>(FVersions.size()))
        throw platform::EListError(
            platform::Format(platform::LoadStr(SListIndexError), {int64_t{Index}}));
    return FVersions[static_cast<size_t>(Index)];
}

int32_t TFileVerInfo::MatchVersion(std::string_view Text) const
{
    for (size_t I = 0; I < FVersions.size(); ++I)
        if (Text == FVersions[I])
            return -static_cast<int32_t>(I);
    return 1;
}

void SetHeaderSettings(uint16_t Format, const std::array<std::string, 5>& Texts)
{
    HeaderFormat = Format;
    HeaderTexts = Texts;
}

TFileVerInfo* DefaultVerInfo()
{
    return GDefaultVerInfo.get();
}

void CreateDefaultVerInfo()
{
    GDefaultVerInfo = std::make_unique<TFileVerInfo>(true, "STANDARD_4.0");
}

void FreeDefaultVerInfo()
{
    GDefaultVerInfo.reset();
}

}  // namespace tavo::objects
