#include "CatalogueBytes.h"

namespace tavo::test {

std::string Int32Bytes(int32_t Value)
{
    const auto U = static_cast<uint32_t>(Value);
    return {static_cast<char>(U & 0xFF), static_cast<char>((U >> 8) & 0xFF),
            static_cast<char>((U >> 16) & 0xFF), static_cast<char>(U >> 24)};
}

std::string TextBytes(const std::string& Text)
{
    const auto N = static_cast<uint16_t>(Text.size());
    return std::string{static_cast<char>(N & 0xFF), static_cast<char>(N >> 8)} + Text;
}

std::string RecordBytes(const TRecordBytes& R)
{
    return Int32Bytes(R.Level) + TextBytes(R.Caption) + TextBytes(R.Hint) + TextBytes(R.FileName) +
           std::string(1, static_cast<char>(R.Visible)) + TextBytes(R.Pages) +
           TextBytes(R.Destination) + Int32Bytes(R.CaptionTyp) + Int32Bytes(R.Typ);
}

std::string LongHeader(const std::string& Version)
{
    std::string Header = "VXFILEVERINF" + Version;
    Header += std::string("\x01\x00", 2) + Int32Bytes(80);
    for (const char* Text : {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ",
                             "TAVO           ", ">=95           "}) {
        std::string Field(Text);
        Field.resize(16, '\0');
        Header += Field;
    }
    return Header;
}

}  // namespace tavo::test
