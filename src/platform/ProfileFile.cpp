#include "ProfileFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "DiscPath.h"
#include "Folders.h"

namespace tavo::platform {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool SameAscii(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::string> ReadProfileValue(std::string_view Text, std::string_view Section,
                                            std::string_view Key)
{
    if (Text.substr(0, 3) == "\xEF\xBB\xBF")
        Text.remove_prefix(3);
    std::string_view section = Trim(Section), key = Trim(Key);
    bool inSection = false;
    while (!Text.empty()) {
        size_t nl = Text.find('\n');
        std::string_view line = Trim(Text.substr(0, nl));
        Text.remove_prefix(nl == std::string_view::npos ? Text.size() : nl + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            if (inSection)
                return std::nullopt;  // the first matching section has ended
            inSection = SameAscii(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection)
            continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || !SameAscii(Trim(line.substr(0, eq)), key))
            continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

fs::path ProfileFilePath(const std::string& FileName)
{
    bool hasFolder = FileName.find_first_of("/\\") != std::string::npos;
    if (!hasFolder)
        return ResolveDiscPath(WindowsFolder(), FileName);
    return ResolvePath(FileName);
}

uint32_t GetPrivateProfileString(const std::string& Section, const std::string& Key,
                                 const std::string& Default, char* Buffer, uint32_t Size,
                                 const std::string& FileName)
{
    std::optional<std::string> value;
    fs::path path = ProfileFilePath(FileName);
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    if (!ec && size <= MaxProfileFileSize) {
        std::ifstream in(path, std::ios::binary);
        std::string text(static_cast<size_t>(size), '\0');
        in.read(text.data(), static_cast<std::streamsize>(size));
        text.resize(static_cast<size_t>(std::max<std::streamsize>(0, in.gcount())));
        value = ReadProfileValue(text, Section, Key);
    }
    const std::string& result = value ? *value : Default;
    if (Size == 0 || Buffer == nullptr)
        return 0;
    uint32_t n = static_cast<uint32_t>(std::min<size_t>(result.size(), Size - 1));
    std::memcpy(Buffer, result.data(), n);
    Buffer[n] = '\0';
    return n;
}

}  // namespace tavo::platform
