#pragma once
// The version header that opens every file written or read through the versioned stream
// constructors: one TFileVerInfo describes one kind of file, and the header settings
// below are the same for every file the application writes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo::objects {

// The first 12 bytes of a header in the long form.
constexpr std::string_view FileSignature = "VXFILEVERINF";
constexpr size_t VersionTextLength = 12;
// Size of the descriptive block written into long headers: five 16-byte texts.
constexpr int32_t HeaderBlockSize = 80;
constexpr size_t HeaderTextLength = 16;

class TFileVerInfo {
public:
    // Signature: write the long form. V0 is the version text written into new files,
    // V1..V4 older texts still accepted when reading. Each text is cut to 12 characters or
    // padded with spaces to 12, so an empty slot is twelve spaces.
    TFileVerInfo(bool Signature, std::string_view V0, std::string_view V1 = {},
                 std::string_view V2 = {}, std::string_view V3 = {}, std::string_view V4 = {});

    bool Signature() const { return FSignature; }
    // Versions(0) is the current version; Versions(1..4) are older ones.
    const std::string& Versions(int32_t Index) const;
    // 0 or -n: the version of the file most recently opened for reading with this object.
    int32_t ReadVersion() const { return FReadVersion; }
    // Set by the stream's header step.
    void SetReadVersion(int32_t Value) { FReadVersion = Value; }

    // The version number (0, -1 .. -4) of a 12-byte version text, or 1 when none matches.
    int32_t MatchVersion(std::string_view Text) const;

private:
    bool FSignature;
    std::array<std::string, 5> FVersions;
    int32_t FReadVersion = 0;
};

// Header settings of every long-form header this application writes. The library clears
// them when it starts; the application sets them before it writes files (they are not used
// for reading). HeaderTexts: five descriptive texts, each written as a 16-byte field.
extern uint16_t HeaderFormat;
extern std::array<std::string, 5> HeaderTexts;

// Sets both header settings in one call.
void SetHeaderSettings(uint16_t Format, const std::array<std::string, 5>& Texts);

// The library's own descriptor: long form, current version "STANDARD_4.0", no older ones.
// Exists while the library is started; null otherwise.
TFileVerInfo* DefaultVerInfo();

// Used by the module's start and stop.
void CreateDefaultVerInfo();
void FreeDefaultVerInfo();

}  // namespace tavo::objects
