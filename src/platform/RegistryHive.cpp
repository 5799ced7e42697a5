#include "RegistryHive.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "AtomicFile.h"
#include "Codec.h"

namespace tavo::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

char FoldChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldChar(a[i]) != FoldChar(b[i]))
            return false;
    return true;
}

std::string NormalizePath(std::string_view Path)
{
    std::string out;
    for (char c : Path) {
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;  // no empty components
        out += c;
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

// ---- text form -------------------------------------------------------------------------

std::string Quote(std::string_view ansi)
{
    std::string s = "\"";
    for (char c : AnsiToUtf8(ansi)) {
        if (c == '\\' || c == '"')
            s += '\\';
        s += c;
    }
    return s + "\"";
}

bool NeedsHex(const HiveValue& v)
{
    if (v.Type == REG_DWORD)
        return v.Data.size() != 4;
    if (v.Type != REG_SZ)
        return true;
    for (unsigned char c : v.Data)
        if (c < 0x20)
            return true;  // control characters cannot stand in a quoted line
    return false;
}

std::string HexList(std::string_view bytes, size_t prefixLen)
{
    std::string s;
    size_t col = prefixLen;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(bytes[i]));
        s += buf;
        col += 2;
        if (i + 1 < bytes.size()) {
            s += ',';
            ++col;
            if (col > 76) {  // wrapped as regedit does
                s += "\\\n  ";
                col = 2;
            }
        }
    }
    return s;
}

std::string ValueLine(const HiveValue& v)
{
    std::string line = v.Name.empty() ? std::string("@") : Quote(v.Name);
    line += '=';
    if (!NeedsHex(v)) {
        if (v.Type == REG_SZ)
            return line + Quote(v.Data);
        uint32_t n = static_cast<unsigned char>(v.Data[0]) |
                     static_cast<unsigned char>(v.Data[1]) << 8 |
                     static_cast<unsigned char>(v.Data[2]) << 16 |
                     static_cast<uint32_t>(static_cast<unsigned char>(v.Data[3])) << 24;
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", n);
        return line + buf;
    }
    std::string data = v.Data;
    if (v.Type == REG_SZ || v.Type == REG_EXPAND_SZ)
        data += '\0';  // as stored on Windows: with the terminator
    char type[24];
    std::snprintf(type, sizeof type, "hex(%x):", v.Type);  // the type number is hex, as in hex(7)
    line += v.Type == REG_BINARY ? std::string("hex:") : std::string(type);
    return line + HexList(data, line.size());
}

class LineParser {
public:
    explicit LineParser(std::string_view s) : S(s) {}

    bool AtEnd() const { return P >= S.size(); }
    char Peek() const { return P < S.size() ? S[P] : '\0'; }
    bool Eat(char c)
    {
        if (Peek() != c)
            return false;
        ++P;
        return true;
    }
    bool EatWord(std::string_view w)
    {
        if (S.substr(P, w.size()) != w)
            return false;
        P += w.size();
        return true;
    }
    // A quoted name or text; returns it in Windows-1250.
    bool Quoted(std::string& out)
    {
        if (!Eat('"'))
            return false;
        std::string utf8;
        while (P < S.size() && S[P] != '"') {
            if (S[P] == '\\') {
                if (++P >= S.size())
                    return false;
            }
            utf8 += S[P++];
        }
        if (!Eat('"'))
            return false;
        out = Utf8ToAnsiLossy(utf8);
        return true;
    }
    bool Hex(std::string& out)
    {
        while (!AtEnd()) {
            int hi = Digit(Peek());
            if (hi < 0)
                return false;
            ++P;
            int lo = Digit(Peek());
            if (lo < 0)
                return false;
            ++P;
            out += static_cast<char>(hi * 16 + lo);
            if (AtEnd())
                break;
            if (!Eat(','))
                return false;
            while (Peek() == ' ')
                ++P;
        }
        return true;
    }
    bool Number(uint32_t& n, int base, size_t maxDigits)
    {
        size_t start = P;
        uint64_t v = 0;
        while (!AtEnd() && P - start < maxDigits) {
            int d =
                base == 16 ? Digit(Peek()) : (Peek() >= '0' && Peek() <= '9' ? Peek() - '0' : -1);
            if (d < 0)
                break;
            v = v * base + d;
            ++P;
        }
        if (P == start || v > 0xFFFFFFFFu)
            return false;
        n = static_cast<uint32_t>(v);
        return true;
    }

private:
    static int Digit(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = FoldChar(c);
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }
    std::string_view S;
    size_t P = 0;
};

bool ParseValue(std::string_view line, HiveValue& v)
{
    LineParser p(line);
    if (!p.Eat('@') && !p.Quoted(v.Name))
        return false;
    if (!p.Eat('='))
        return false;
    if (p.Peek() == '"') {
        v.Type = REG_SZ;
        return p.Quoted(v.Data) && p.AtEnd();
    }
    if (p.EatWord("dword:")) {
        uint32_t n;
        if (!p.Number(n, 16, 8) || !p.AtEnd())
            return false;
        v.Type = REG_DWORD;
        v.Data = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                  static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
        return true;
    }
    if (!p.EatWord("hex"))
        return false;
    v.Type = REG_BINARY;
    if (p.Eat('(')) {
        if (!p.Number(v.Type, 16, 8) || !p.Eat(')'))
            return false;
    }
    if (!p.Eat(':') || !p.Hex(v.Data))
        return false;
    if ((v.Type == REG_SZ || v.Type == REG_EXPAND_SZ) && !v.Data.empty() && v.Data.back() == '\0')
        v.Data.pop_back();
    return true;
}

std::string Timestamp()
{
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
}

// Lock held on "<hive>.lock" for the time of one change.
class FileLock {
public:
    explicit FileLock(const fs::path& file)
    {
        Fd = ::open((file.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (Fd >= 0 && ::flock(Fd, LOCK_EX) != 0) {
            ::close(Fd);
            Fd = -1;
        }
    }
    ~FileLock()
    {
        if (Fd >= 0)
            ::close(Fd);  // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return Fd >= 0; }

private:
    int Fd = -1;
};

}  // namespace

// ---- model -----------------------------------------------------------------------------

const HiveValue* HiveKey::FindValue(std::string_view Name) const
{
    for (const HiveValue& v : Values)
        if (SameName(v.Name, Name))
            return &v;
    return nullptr;
}

HiveValue* HiveKey::FindValue(std::string_view Name)
{
    return const_cast<HiveValue*>(std::as_const(*this).FindValue(Name));
}

std::string HiveData::Fold(std::string_view Path)
{
    std::string s = NormalizePath(Path);
    for (char& c : s)
        c = FoldChar(c);
    return s;
}

const HiveKey* HiveData::FindKey(std::string_view Path) const
{
    auto it = Keys.find(Fold(Path));
    return it == Keys.end() ? nullptr : &it->second;
}

HiveKey* HiveData::FindKey(std::string_view Path)
{
    return const_cast<HiveKey*>(std::as_const(*this).FindKey(Path));
}

bool HiveData::KeyExists(std::string_view Path) const
{
    std::string f = Fold(Path);
    if (f.empty())
        return true;  // the root
    auto it = Keys.lower_bound(f);
    if (it == Keys.end())
        return false;
    return it->first == f || it->first.compare(0, f.size() + 1, f + "\\") == 0;
}

HiveKey& HiveData::EnsureKey(std::string_view Path)
{
    std::string f = Fold(Path);
    auto it = Keys.find(f);
    if (it == Keys.end())
        it = Keys.emplace(f, HiveKey{NormalizePath(Path), {}}).first;
    return it->second;
}

std::vector<std::string> HiveData::SubKeyNames(std::string_view Path) const
{
    std::string f = Fold(Path);
    std::string prefix = f.empty() ? std::string() : f + "\\";
    std::vector<std::string> names;
    for (auto it = Keys.lower_bound(prefix); it != Keys.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0)
            break;
        std::string rest = it->second.Path.substr(std::min(prefix.size(), it->second.Path.size()));
        std::string name = rest.substr(0, rest.find('\\'));
        if (!name.empty() && (names.empty() || !SameName(names.back(), name)))
            names.push_back(name);
    }
    return names;
}

std::optional<HiveData> ParseHive(std::string_view Text, std::string_view RootName)
{
    // Join continued lines (a trailing backslash), drop '\r'.
    std::vector<std::string> lines;
    std::string cur;
    bool continued = false;
    size_t start = 0;
    if (Text.substr(0, 3) == "\xEF\xBB\xBF")
        start = 3;
    for (size_t i = start; i <= Text.size(); ++i) {
        if (i < Text.size() && Text[i] != '\n') {
            if (Text[i] != '\r')
                cur += Text[i];
            continue;
        }
        if (continued) {
            size_t p = cur.find_first_not_of(" \t");
            lines.back() += p == std::string::npos ? std::string() : cur.substr(p);
        } else {
            lines.push_back(cur);
        }
        cur.clear();
        continued = !lines.back().empty() && lines.back().back() == '\\' &&
                    lines.back().find("=hex") != std::string::npos;
        if (continued)
            lines.back().pop_back();
    }

    HiveData data;
    HiveKey* key = nullptr;
    bool sawHeader = false;
    std::string rootPrefix = std::string(RootName);
    for (const std::string& raw : lines) {
        size_t p = raw.find_first_not_of(" \t");
        if (p == std::string::npos || raw[p] == ';')
            continue;
        std::string_view line(raw);
        line.remove_prefix(p);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!sawHeader) {
            if (line != kHeader)
                return std::nullopt;
            sawHeader = true;
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']')
                return std::nullopt;
            std::string path = Utf8ToAnsiLossy(line.substr(1, line.size() - 2));
            if (!SameName(path.substr(0, rootPrefix.size()), rootPrefix))
                return std::nullopt;
            path.erase(0, rootPrefix.size());
            if (!path.empty() && path[0] != '\\')
                return std::nullopt;
            if (NormalizePath(path).empty())
                return std::nullopt;  // values need a key
            key = &data.EnsureKey(path);
            continue;
        }
        HiveValue v;
        if (!key || !ParseValue(line, v))
            return std::nullopt;
        if (HiveValue* old = key->FindValue(v.Name))
            *old = std::move(v);  // a later line wins, as on import
        else
            key->Values.push_back(std::move(v));
    }
    if (!sawHeader && !Text.empty() && Text.find_first_not_of(" \t\r\n") != std::string_view::npos)
        return std::nullopt;
    return data;
}

std::string SerializeHive(const HiveData& Data, std::string_view RootName)
{
    std::string out(kHeader);
    out += "\n";
    for (const auto& [folded, key] : Data.Keys) {
        out += "\n[" + std::string(RootName) + "\\" + AnsiToUtf8(key.Path) + "]\n";
        for (const HiveValue& v : key.Values)
            out += ValueLine(v) + "\n";
    }
    return out;
}

// ---- file ------------------------------------------------------------------------------

RegistryHive::RegistryHive(fs::path File, std::string RootName)
    : FFile(std::move(File)), FRootName(std::move(RootName))
{
}

RegistryHive::LoadState RegistryHive::LoadInto(HiveData& Data) const
{
    std::error_code ec;
    auto size = fs::file_size(FFile, ec);
    if (ec)
        return fs::exists(FFile, ec) ? LoadState::Unreadable : LoadState::Missing;
    if (size > MaxFileSize)
        return LoadState::Unreadable;
    std::ifstream in(FFile, std::ios::binary);
    if (!in)
        return LoadState::Unreadable;
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<size_t>(in.gcount()));
    auto parsed = ParseHive(text, FRootName);
    if (!parsed)
        return LoadState::Unreadable;
    Data = std::move(*parsed);
    return LoadState::Ok;
}

HiveData RegistryHive::Load() const
{
    HiveData data;
    LoadInto(data);
    return data;
}

bool RegistryHive::Modify(const std::function<bool(HiveData&)>& Change) const
{
    std::error_code ec;
    fs::create_directories(FFile.parent_path(), ec);
    if (ec && !fs::is_directory(FFile.parent_path()))
        return false;
    FileLock lock(FFile);
    if (!lock.Held())
        return false;
    RemoveStaleTemporaries(FFile);  // left by a writer killed midway
    HiveData data;
    if (LoadInto(data) == LoadState::Unreadable) {
        fs::path aside = FFile;
        aside += ".unreadable-" + Timestamp();
        for (int n = 2; fs::exists(aside, ec); ++n) {
            aside = FFile;
            aside += ".unreadable-" + Timestamp() + "-" + std::to_string(n);
        }
        fs::rename(FFile, aside, ec);
        if (ec)
            return false;  // never write over a file we could not read
        std::cerr << "tavo: the registry file " << FFile.string()
                  << " could not be read; it was kept as " << aside.string()
                  << " and a new one is started\n";
        data = HiveData();
    }
    if (!Change(data))
        return true;
    // Settings may hold what the user typed: readable by the user alone.
    return WriteFileAtomically(FFile, SerializeHive(data, FRootName), 0600);
}

}  // namespace tavo::platform
