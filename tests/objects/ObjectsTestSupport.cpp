#include "ObjectsTestSupport.h"

#include <cstdio>

namespace tavo::test {

std::string Hex(std::string_view Text)
{
    std::string Bytes;
    for (size_t I = 0; I < Text.size();) {
        if (Text[I] == ' ') {
            ++I;
            continue;
        }
        Bytes += static_cast<char>(std::stoi(std::string(Text.substr(I, 2)), nullptr, 16));
        I += 2;
    }
    return Bytes;
}

std::string HexOf(const std::string& Bytes)
{
    std::string Text;
    char Part[4];
    for (unsigned char C : Bytes) {
        std::snprintf(Part, sizeof Part, Text.empty() ? "%02X" : " %02X", C);
        Text += Part;
    }
    return Text;
}

std::string FileBytes(const std::string& Name)
{
    return ReadFile(Name);
}

std::string WriteBytes(const std::string& Name, const std::string& Bytes)
{
    WriteFile(Name, Bytes);
    return Name;
}

}  // namespace tavo::test
