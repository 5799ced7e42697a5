#include "DiscPath.h"

#include <string>
#include <vector>

namespace tavo::platform {

namespace fs = std::filesystem;

namespace {

char32_t Fold(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
        return c + 1;
    return c;
}

// Next code point of a UTF-8 text; a malformed byte stands for itself.
char32_t Next(std::string_view s, size_t& i)
{
    auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0xC0 && b < 0xE0 && i + 1 < s.size() && (s[i + 1] & 0xC0) == 0x80) {
        char32_t cp = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F);
        i += 2;
        return cp;
    }
    ++i;
    return b < 0x80 ? b : 0x110000 + b;  // multi-byte rest: compared byte by byte
}

std::vector<std::string> Split(std::string_view path)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!cur.empty())
                parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(std::move(cur));
    return parts;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view A, std::string_view B)
{
    size_t i = 0, j = 0;
    while (i < A.size() && j < B.size())
        if (Fold(Next(A, i)) != Fold(Next(B, j)))
            return false;
    return i == A.size() && j == B.size();
}

std::optional<size_t> FolderPrefix(std::string_view Path, std::string_view Folder)
{
    if (Folder.empty())
        return std::nullopt;
    auto separator = [](char32_t c) { return c == '\\' || c == '/'; };
    size_t i = 0, j = 0;
    while (j < Folder.size()) {
        if (i >= Path.size())
            return std::nullopt;
        const char32_t a = Next(Path, i);
        const char32_t b = Next(Folder, j);
        if (!(separator(a) && separator(b)) && Fold(a) != Fold(b))
            return std::nullopt;
    }
    return i;
}

fs::path ResolveDiscPath(const fs::path& Base, std::string_view Relative)
{
    fs::path result = Base;
    if (!result.has_filename() && result.has_relative_path())
        result = result.parent_path();  // "disc/" and "disc" are the same folder
    bool matching = true;               // once a component is missing, the rest is kept as written
    for (const std::string& part : Split(Relative)) {
        if (part == ".")
            continue;
        if (part == "..") {
            result = result.parent_path();
            continue;
        }
        std::error_code ec;
        fs::path exact = result / part;
        if (!matching || fs::exists(fs::symlink_status(exact, ec))) {
            result = exact;
            continue;
        }
        // Of several spellings ("Setup", "SETUP") the first in byte order wins, so the
        // choice does not depend on the directory's order.
        fs::path found;
        for (fs::directory_iterator it(result, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (SameNameIgnoringCase(name, part) && (found.empty() || it->path() < found))
                found = it->path();
        }
        if (found.empty()) {
            matching = false;
            result = exact;
        } else {
            result = found;
        }
    }
    return result;
}

fs::path ResolvePath(std::string_view Path)
{
    bool absolute = !Path.empty() && (Path[0] == '/' || Path[0] == '\\');
    std::error_code ec;
    return ResolveDiscPath(absolute ? fs::path("/") : fs::current_path(ec), Path);
}

}  // namespace tavo::platform
