// Turns the string table sources into a sorted C++ array and a header of named numbers.
//
// A source line is either blank, a comment starting with '#', or
//     NUMBER NAME "text"
// where NAME is the C++ name the code uses for the number (it may be left out for a text
// that only a computed number reaches) and the text uses the C escapes \\ \" \n \t and
// \xNN (for Windows-1250 bytes). Any other line, a duplicate number or name, a name that is
// not an identifier or a bad escape stops the build with the file and line, so a typo never
// turns into a silently missing message.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

struct Entry {
    std::string Name;  // empty when the line names no constant
    std::string Text;  // raw bytes
    std::string Where;
};

bool Fail(const std::string& where, const std::string& what)
{
    std::cerr << where << ": error: " << what << "\n";
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseText(const std::string& s, size_t pos, std::string& out, const std::string& where)
{
    if (pos >= s.size() || s[pos] != '"')
        return Fail(where, "expected a quoted text after the number and name");
    ++pos;
    while (pos < s.size() && s[pos] != '"') {
        char c = s[pos++];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= s.size())
            return Fail(where, "escape at the end of the line");
        char e = s[pos++];
        switch (e) {
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            int hi = pos < s.size() ? HexDigit(s[pos]) : -1;
            int lo = pos + 1 < s.size() ? HexDigit(s[pos + 1]) : -1;
            if (hi < 0 || lo < 0)
                return Fail(where, "\\x needs two hex digits");
            out += static_cast<char>(hi * 16 + lo);
            pos += 2;
            break;
        }
        default:
            return Fail(where, std::string("unknown escape \\") + e);
        }
    }
    if (pos >= s.size())
        return Fail(where, "unterminated text");
    ++pos;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\r'))
        ++pos;
    if (pos != s.size())
        return Fail(where, "unexpected characters after the text");
    return true;
}

std::string CLiteral(const std::string& bytes)
{
    std::string r = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {
            r += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);  // octal never swallows a following digit
            r += buf;
        }
    }
    return r + "\"";
}

bool IsIdentifierStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Reads the optional NAME at pos (which is past the number's blanks); leaves pos on the text.
bool ParseName(const std::string& s, size_t& pos, std::string& name, const std::string& where)
{
    if (pos >= s.size() || s[pos] == '"')
        return true;
    size_t end = pos;
    while (end < s.size() && s[end] != ' ' && s[end] != '\t' && s[end] != '"')
        ++end;
    name = s.substr(pos, end - pos);
    if (!IsIdentifierStart(name[0]) ||
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") !=
            std::string::npos)
        return Fail(where, "'" + name + "' is not a valid name");
    // Names the compiler reserves would make the generated header fail far from this line.
    if (name.find("__") != std::string::npos ||
        (name[0] == '_' && name.size() > 1 && name[1] >= 'A' && name[1] <= 'Z'))
        return Fail(where, "'" + name + "' is a reserved name");
    pos = s.find_first_not_of(" \t", end);
    if (pos == std::string::npos)
        pos = s.size();
    return true;
}

// Writes Text to Path unless the file already holds it, so an unchanged table rebuilds nothing.
bool WriteIfChanged(const char* Path, const std::string& Text)
{
    {
        std::ifstream old(Path, std::ios::binary);
        std::stringstream cur;
        cur << old.rdbuf();
        if (old && cur.str() == Text)
            return true;
    }
    std::ofstream file(Path, std::ios::binary | std::ios::trunc);
    file << Text;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: strgen OUTPUT.cpp OUTPUT.h SOURCE.str...\n";
        return 2;
    }
    std::map<int32_t, Entry> table;
    std::map<std::string, std::string> names;  // name -> where it was given
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i]);
        if (!in) {
            std::cerr << argv[i] << ": error: cannot read\n";
            return 1;
        }
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) {
            std::string where = std::string(argv[i]) + ":" + std::to_string(n);
            size_t p = line.find_first_not_of(" \t\r");
            if (p == std::string::npos || line[p] == '#')
                continue;
            size_t q = p;
            while (q < line.size() && line[q] >= '0' && line[q] <= '9')
                ++q;
            if (q == p || q - p > 9 || q >= line.size() || (line[q] != ' ' && line[q] != '\t')) {
                ok = Fail(where, "expected NUMBER NAME \"text\"");
                continue;
            }
            int32_t number = std::stoi(line.substr(p, q - p));
            q = line.find_first_not_of(" \t", q);
            Entry e{{}, {}, where};
            if (q == std::string::npos || !ParseName(line, q, e.Name, where) ||
                !ParseText(line, q, e.Text, where)) {
                ok = false;
                continue;
            }
            if (!e.Name.empty()) {
                auto [named, fresh] = names.emplace(e.Name, where);
                if (!fresh) {
                    ok = Fail(where, "the name " + e.Name + " is also given at " + named->second);
                    continue;
                }
            }
            auto [it, inserted] = table.emplace(number, e);
            if (!inserted)
                ok = Fail(where, "string " + std::to_string(number) + " is also defined at " +
                                     it->second.Where);
        }
    }
    if (!ok)
        return 1;

    std::ostringstream out;
    out << "// Generated by strgen from resources/strings; do not edit.\n"
           "#include \"StringTableData.h\"\n\n"
           "namespace tavo::platform {\n\n"
           "const StringTableEntry kStringTable[] = {\n";
    for (const auto& [number, e] : table)
        out << "    {" << number << ", " << CLiteral(e.Text) << ", " << e.Text.size() << "},\n";
    out << "};\n\nconst std::size_t kStringTableSize = " << table.size() << ";\n\n"
        << "}  // namespace tavo::platform\n";

    // The names sit in an inline namespace of tavo, so code in any of the project's
    // namespaces uses them unqualified, and a number missing from the table is a compile error.
    std::ostringstream ids;
    ids << "// Generated by strgen from resources/strings; do not edit.\n"
           "// The numbers of the string table by the names the code uses.\n"
           "#pragma once\n"
           "#include <cstdint>\n\n"
           "namespace tavo {\n"
           "inline namespace strings {\n\n";
    for (const auto& [number, e] : table)
        if (!e.Name.empty())
            ids << "constexpr int32_t " << e.Name << " = " << number << ";\n";
    ids << "\n}  // namespace strings\n"
           "}  // namespace tavo\n";

    return WriteIfChanged(argv[1], out.str()) && WriteIfChanged(argv[2], ids.str()) ? 0 : 1;
}
