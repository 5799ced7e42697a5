#include "TextRoutines.h"

#include <array>

namespace tavo::tools {

bool IsBlank(std::string_view Text)
{
    return Text.find_first_not_of(' ') == std::string_view::npos;
}

std::string Trimmed(std::string_view Text)
{
    size_t first = Text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    size_t last = Text.find_last_not_of(' ');
    return std::string(Text.substr(first, last - first + 1));
}

void TrimText(std::string& Text)
{
    Text = Trimmed(Text);
}

std::string Spaces(int32_t Count)
{
    return Count > 0 ? std::string(static_cast<size_t>(Count), ' ') : std::string();
}

std::string AlignRight(std::string_view Text, int32_t Width)
{
    if (Width > 0 && IsBlank(Text))
        return Spaces(Width);
    std::string s = Trimmed(Text);
    auto length = static_cast<int64_t>(s.size());
    if (length < Width || Width < 1)
        return Spaces(static_cast<int32_t>(Width - length)) + s;
    s.resize(static_cast<size_t>(Width));
    return s;
}

std::string HintCaption(std::string_view Text)
{
    return std::string(Text.substr(0, Text.find('|')));
}

std::string HintText(std::string_view Text)
{
    size_t bar = Text.find('|');
    return Trimmed(bar == std::string_view::npos ? Text : Text.substr(bar + 1));
}

std::string StripAccelerators(std::string_view Text)
{
    std::string s;
    s.reserve(Text.size());
    for (char c : Text)
        if (c != '&')
            s += c;
    return s;
}

namespace {

// Upper case of every Windows-1250 byte: ASCII, the Central European letters of 0x8A..0xBF
// and the accented block 0xE0..0xFE (less the division sign); 0xDF (sharp s) has none.
constexpr std::array<unsigned char, 256> MakeUpperTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int i = 'a'; i <= 'z'; ++i)
        t[i] = static_cast<unsigned char>(i - 32);
    constexpr unsigned char pairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
                                          {0x9F, 0x8F}, {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA},
                                          {0xBF, 0xAF}, {0xBE, 0xBC}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    for (int i = 0xE0; i <= 0xFE; ++i)
        if (i != 0xF7)
            t[i] = static_cast<unsigned char>(i - 0x20);
    return t;
}

constexpr std::array<unsigned char, 256> UpperTable = MakeUpperTable();

}  // namespace

char AnsiUpperChar(char C)
{
    return static_cast<char>(UpperTable[static_cast<unsigned char>(C)]);
}

bool IsAnsiPrefixOf(std::string_view Text, std::string_view Name)
{
    if (Text.size() > Name.size())
        return false;
    for (size_t i = 0; i < Text.size(); ++i)
        if (AnsiUpperChar(Text[i]) != AnsiUpperChar(Name[i]))
            return false;
    return true;
}

}  // namespace tavo::tools
