#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/StringTable.h"
#include "strings/StringIds.h"

using namespace tavo::platform;
namespace fs = std::filesystem;

namespace {

// A number handed to the string table as it stands in the source, not by its name.
struct TLiteralId {
    std::string Where;
    long Number;
};

// The functions whose first argument is a string number: the table's own, the message boxes,
// and every function of the sources whose first parameter goes straight to LoadStr (the
// libraries' small text helpers).
std::set<std::string> StringFunctions(const std::vector<std::string>& Lines)
{
    std::set<std::string> names = {"LoadStr",      "StringExists",    "MessageById", "InfoMessage",
                                   "ErrorMessage", "ErrorMessageFmt", "AskYesNo",    "MessageText"};
    static const std::regex declaration(R"(\b(\w+)\s*\(\s*int32_t\s+(\w+)\b)");
    for (size_t i = 0; i < Lines.size(); ++i) {
        std::smatch m;
        if (!std::regex_search(Lines[i], m, declaration))
            continue;
        const std::regex passes("LoadStr\\(\\s*" + m[2].str() + "\\b");
        for (size_t j = i; j < Lines.size() && j < i + 8; ++j)
            if (std::regex_search(Lines[j], passes)) {
                names.insert(m[1].str());
                break;
            }
    }
    return names;
}

std::vector<std::string> SplitLines(const std::string& Text)
{
    std::vector<std::string> lines;
    std::istringstream in(Text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void FindLiterals(const std::string& File, const std::vector<std::string>& Lines,
                  const std::set<std::string>& Functions, std::vector<TLiteralId>& Found)
{
    // A caption number 0 means the program's caption; every other bare number is an id.
    static const std::regex twoIds(R"(\b(MessageById|MessageText)\s*\(\s*(\d+)\s*,\s*(\d*))");
    static const std::regex copied(
        R"(\bconstexpr\s+(?:std::)?int32_t\s+(?:S|Id)[A-Z]\w*\s*=\s*(\d+))");
    std::string alternatives;
    for (const std::string& f : Functions)
        alternatives += (alternatives.empty() ? "" : "|") + f;
    const std::regex call("\\b(?:" + alternatives + ")\\s*\\(\\s*(\\d+)");
    for (size_t i = 0; i < Lines.size(); ++i) {
        const std::string& line = Lines[i];
        const std::string where = File + ":" + std::to_string(i + 1);
        auto add = [&](const std::string& digits) {
            if (!digits.empty() && std::stol(digits) != 0)
                Found.push_back({where, std::stol(digits)});
        };
        for (std::sregex_iterator it(line.begin(), line.end(), twoIds), end; it != end; ++it) {
            add((*it)[2].str());
            if ((*it)[1] == "MessageById")
                add((*it)[3].str());
        }
        for (std::sregex_iterator it(line.begin(), line.end(), call), end; it != end; ++it)
            if (line.compare(it->position(), 11, "MessageById") != 0 &&
                line.compare(it->position(), 11, "MessageText") != 0)
                add((*it)[1].str());
        for (std::sregex_iterator it(line.begin(), line.end(), copied), end; it != end; ++it)
            add((*it)[1].str());
    }
}

std::vector<TLiteralId> LiteralIds(const std::string& File, const std::string& Text)
{
    const std::vector<std::string> lines = SplitLines(Text);
    std::vector<TLiteralId> found;
    FindLiterals(File, lines, StringFunctions(lines), found);
    return found;
}

std::string ReadFile(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string RunCommand(const std::string& Command, int& Status)
{
    std::string output;
    FILE* pipe = popen((Command + " 2>&1").c_str(), "r");
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    Status = pipe ? pclose(pipe) : -1;
    return output;
}

}  // namespace

TEST(StringTable, LoadsTheShellsTexts)
{
    EXPECT_EQ(LoadStr(500), "Computer program Tavo C.H.");
    EXPECT_EQ(LoadStr(501), "Tavo C.H. - Error");
    EXPECT_EQ(LoadStr(503), "Tavo C.H. - Confirmation");
    EXPECT_EQ(LoadStr(507),
              "The program Tavo C.H. has not been installed on this computer. Do you want to "
              "install it ?");
}

TEST(StringTable, MissingNumbersLoadAsEmptyText)
{
    EXPECT_EQ(LoadStr(506), "");
    EXPECT_FALSE(StringExists(506));
    EXPECT_EQ(LoadStr(-1), "");
    EXPECT_EQ(LoadStr(0x7FFFFFFF), "");
    EXPECT_TRUE(StringExists(500));
}

TEST(StringTable, GeneratedNamesAreTheNumbersOfTheirTexts)
{
    EXPECT_EQ(tavo::IdCaptionProgram, 500);
    EXPECT_EQ(LoadStr(tavo::SReadingDocument), "Reading document");
    EXPECT_EQ(LoadStr(tavo::SColourNavyBlue), "Navy blue");
    EXPECT_EQ(LoadStr(tavo::SStack), "Stack");
}

// A name missing from the table does not compile; a bare number must not slip past, so the
// product's sources name every string they use.
TEST(StringTable, TheProductNamesEveryStringItUses)
{
    std::vector<TLiteralId> found;
    size_t files = 0;
    for (const char* folder : {"src", "plugins", "apps"})
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(TAVO_SOURCE_DIR) / folder)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() ||
                (path.extension() != ".cpp" && path.extension() != ".h"))
                continue;
            ++files;
            for (TLiteralId& id :
                 LiteralIds(path.lexically_relative(TAVO_SOURCE_DIR).string(), ReadFile(path)))
                found.push_back(id);
        }
    EXPECT_GT(files, 100u);
    for (const TLiteralId& id : found)
        ADD_FAILURE() << id.Where << ": string " << id.Number << " is used by its number"
                      << (StringExists(id.Number) ? "; use its name from strings/StringIds.h"
                                                  : ", and the table has no such string");
}

TEST(StringTable, TheScanFindsNumbersGivenInsteadOfNames)
{
    const std::string source = R"(
QString ViewerText(int32_t Id)
{
    return FromAnsi(LoadStr(Id));
}
constexpr int32_t SInstallerNotStarted = 10841;
void F()
{
    setWindowTitle(FromAnsi(LoadStr(500)));
    ErrorMessageFmt( 20036, {Text});
    MessageById(0, 507, MB_YESNO);
    MessageById(501, SReadError, MB_OK);
    Name = ViewerText(10845);
    QTimer::singleShot(500, this, [] {});
    Index = Items->IndexOfId(5);
    Other = LoadStr(SReadingDocument);
}
)";
    std::vector<long> numbers;
    for (const TLiteralId& id : LiteralIds("x.cpp", source))
        numbers.push_back(id.Number);
    EXPECT_EQ(numbers, (std::vector<long>{10841, 500, 20036, 507, 501, 10845}));
}

// strgen stops the build with the file and line of a bad source line.
TEST(StringTable, GeneratorRefusesBadNamesWithTheirPlace)
{
    const fs::path folder = fs::temp_directory_path() / ("strgen-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
    auto generate = [&](const std::string& Source, int& Status) {
        std::ofstream(folder / "a.str") << Source;
        return RunCommand(std::string(STRGEN_PATH) + " " + (folder / "out.cpp").string() + " " +
                              (folder / "out.h").string() + " " + (folder / "a.str").string(),
                          Status);
    };
    int status = 0;
    std::string said =
        generate("# texts\n10 SFirst \"one\"\n11 \"unnamed\"\n12 SThird \"a\\\"b\"\n", status);
    EXPECT_EQ(status, 0) << said;
    const std::string header = ReadFile(folder / "out.h");
    EXPECT_NE(header.find("constexpr int32_t SFirst = 10;"), std::string::npos) << header;
    EXPECT_NE(header.find("constexpr int32_t SThird = 12;"), std::string::npos) << header;
    EXPECT_EQ(header.find("= 11;"), std::string::npos) << header;

    said = generate("10 SFirst \"one\"\n11 SFirst \"two\"\n", status);
    EXPECT_NE(status, 0);
    EXPECT_NE(said.find("a.str:2: error: the name SFirst is also given at"), std::string::npos)
        << said;
    EXPECT_NE(said.find("a.str:1"), std::string::npos) << said;

    for (const char* bad : {"10 1st \"one\"\n", "10 S-First \"one\"\n", "10 __S \"one\"\n",
                            "10 SFirst\n", "10 SFirst one\n"}) {
        said = generate(bad, status);
        EXPECT_NE(status, 0) << bad;
        EXPECT_NE(said.find("a.str:1: error:"), std::string::npos) << bad << said;
    }
    fs::remove_all(folder);
}
