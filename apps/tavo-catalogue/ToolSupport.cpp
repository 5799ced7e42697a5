#include "ToolSupport.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "platform/DiscPath.h"
#include "platform/Folders.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;

std::string ToConsole(const std::string& Text)
{
    std::optional<std::string> Ansi = platform::Utf8ToAnsi(Text);
    return Ansi ? Text : platform::AnsiToUtf8(Text);
}

std::string Utf8Str(int32_t Ident)
{
    return platform::AnsiToUtf8(platform::LoadStr(Ident));
}

TManualScope::TManualScope(const std::string& Catalogue)
{
    if (!QCoreApplication::instance()) {
        static int Argc = 1;
        static char Name[] = "tavo-catalogue";
        static char* Argv[] = {Name, nullptr};
        FApplication = std::make_unique<QCoreApplication>(Argc, Argv);
    }
    const char* Path = std::getenv("TAVO_PLUGIN_PATH");
    FHadPath = Path != nullptr;
    FSavedPath = Path ? Path : "";
    std::error_code Ignored;
    fs::path Folder = fs::absolute(Catalogue, Ignored).parent_path();
    bool OnDisc = true;
    for (const char* Expected : {"Documentation", "PdfViewer", "Setup"}) {
        OnDisc = OnDisc && platform::SameNameIgnoringCase(Folder.filename().string(), Expected);
        Folder = Folder.parent_path();
    }
    std::vector<fs::path> Added;
    if (OnDisc)
        Added.push_back(Folder / "plugins");
    // Started from the build tree: the components built beside it, on its sample disc.
    Added.push_back(platform::ExecutableFolder() / TAVO_BUILD_PLUGINS_RELATIVE);
    std::string Folders = FSavedPath;
    for (const fs::path& Extra : Added) {
        if (!fs::is_directory(Extra, Ignored))
            continue;
        const std::string Text = Extra.lexically_normal().string();
        Folders = Folders.empty() ? Text : Folders + ":" + Text;
    }
    if (!Folders.empty())
        ::setenv("TAVO_PLUGIN_PATH", Folders.c_str(), 1);
    platform::TComponentRegistry::Instance().Rescan();
}

TManualScope::~TManualScope()
{
    if (FHadPath)
        ::setenv("TAVO_PLUGIN_PATH", FSavedPath.c_str(), 1);
    else
        ::unsetenv("TAVO_PLUGIN_PATH");
    platform::TComponentRegistry::Instance().Rescan();
}

std::optional<TDiscCommandArgs> ReadDiscCommandArgs(const std::vector<std::string>& Args,
                                                    const std::string& Flag, size_t Operands,
                                                    std::ostream& Err)
{
    TDiscCommandArgs read;
    bool unknown = false;
    for (size_t i = 1; i < Args.size(); ++i) {
        if (Args[i] == Flag)
            read.Flag = true;
        else if (!Args[i].empty() && Args[i][0] == '-')
            unknown = true;
        else
            read.Operands.push_back(Args[i]);
    }
    if (unknown || read.Operands.size() != Operands) {
        Err << Utf8Str(SUsage) << '\n';
        return std::nullopt;
    }
    std::error_code ignored;
    if (!fs::is_directory(read.Operands[0], ignored)) {
        Err << platform::Format(Utf8Str(SNotDiscFolder), {read.Operands[0]}) << '\n';
        return std::nullopt;
    }
    return read;
}

}  // namespace tavo::catalogue
