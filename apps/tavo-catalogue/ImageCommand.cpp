// image: the ISO 9660 image of a disc folder, made by the same script as the build's sample
// image, with the shell, its components and their runtime added when the folder lacks them.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <ostream>

#include "AuthorCommands.h"
#include "CatalogueTool.h"
#include "ToolSupport.h"
#include "platform/DiscPath.h"
#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;
using platform::Format;

namespace {

class EImage : public platform::Exception {
public:
    using Exception::Exception;
};

// Where the tool's companions are: beside it in the build tree (tools/, with the sample
// disc next to it), or below lib/tavo/ of an installation (bin/ holding the shell).
fs::path Companion(const std::string& Name)
{
    const fs::path Here = platform::ExecutableFolder();
    for (const fs::path& Candidate : {Here / Name, Here / ".." / "lib" / "tavo" / Name}) {
        std::error_code Ignored;
        if (fs::exists(Candidate, Ignored))
            return Candidate.lexically_normal();
    }
    throw EImage(Format(Utf8Str(SCannotMakeImage), {(Here / Name).string() + ": not found"}));
}

// The shell and the components the tool came with: the build tree's sample disc, or the
// installation's bin/ and lib/tavo/plugins/.
fs::path ShellSource(const std::string& Part)
{
    const fs::path Here = platform::ExecutableFolder();
    const fs::path BuildDisc = (Here / TAVO_BUILD_PLUGINS_RELATIVE / "..").lexically_normal();
    const fs::path Installed =
        Part.rfind("plugins/", 0) == 0 ? Here / ".." / "lib" / "tavo" / Part : Here / Part;
    for (const fs::path& Candidate : {BuildDisc / Part, Installed.lexically_normal()}) {
        std::error_code Ignored;
        if (fs::is_regular_file(Candidate, Ignored))
            return Candidate;
    }
    return {};
}

// Runs Program; what it printed is passed on when Echo is set, and told when it failed.
void Run(const fs::path& Program, const QStringList& Arguments, std::ostream& Err, bool Echo)
{
    QProcess Process;
    Process.setProcessChannelMode(QProcess::MergedChannels);
    Process.start(QString::fromStdString(Program.string()), Arguments);
    if (!Process.waitForFinished(-1) || Process.exitStatus() != QProcess::NormalExit ||
        Process.exitCode() != 0) {
        const QByteArray Said = Process.readAll().trimmed();
        throw EImage(
            Format(Utf8Str(SCannotMakeImage),
                   {Program.filename().string() + ": " +
                    (Said.isEmpty() ? Process.errorString().toStdString() : Said.toStdString())}));
    }
    if (Echo)
        Err << Process.readAll().toStdString() << std::flush;
}

bool Missing(const fs::path& Disc, const std::string& Part)
{
    std::error_code Ignored;
    return !fs::is_regular_file(platform::ResolveDiscPath(Disc, Part), Ignored);
}

}  // namespace

int ImageDisc(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
              std::ostream& Out, std::ostream& Err)
{
    const std::optional<TDiscCommandArgs> Read = ReadDiscCommandArgs(Args, "--force", 2, Err);
    if (!Read)
        return kUsageError;
    const bool Force = Read->Flag;
    const std::vector<std::string>& Names = Read->Operands;
    std::error_code Ignored;
    const fs::path Disc = fs::weakly_canonical(fs::absolute(Names[0]), Ignored);
    const fs::path Image = fs::absolute(Names[1]);
    TManualScope Application((Disc / "Setup/PdfViewer/Documentation/TAVO_ENG.pdfv").string());
    try {
        // What the image adds is no problem of the folder.
        const std::vector<std::string> Parts = {"tavo-shell", "plugins/libtavo-pdfreader.so",
                                                "plugins/libtavo-webengine.so"};
        std::vector<std::pair<std::string, fs::path>> Added;
        for (const std::string& Part : Parts)
            if (Missing(Disc, Part))
                if (const fs::path Source = ShellSource(Part); !Source.empty())
                    Added.emplace_back(Part, Source);
        size_t Problems = 0;
        for (const TDiscProblem& Problem : FindDiscProblems(Disc, VerInfo)) {
            bool WillAdd = false;
            for (const auto& [Part, Source] : Added)
                WillAdd = WillAdd || Problem.File == fs::path(Part).string();
            if (WillAdd)
                continue;
            Err << Problem.Message << '\n';
            ++Problems;
        }
        if (Problems > 0 && !Force) {
            Err << (Utf8Str(SHasProblems)) << '\n';
            return 1;
        }
        // The author's folder is never changed: what is added goes into a copy.
        fs::path Source = Disc;
        QTemporaryDir Work;
        if (!Added.empty() || !fs::is_directory(Disc / "lib", Ignored)) {
            if (!Work.isValid())
                throw EImage(Format(Utf8Str(SCannotMakeImage), {Work.errorString().toStdString()}));
            Source = fs::path(Work.path().toStdString()) / "disc";
            fs::copy(Disc, Source, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
            for (const auto& [Part, From] : Added) {
                fs::create_directories((Source / Part).parent_path());
                fs::copy_file(From, Source / Part);
                Err << (Format(Utf8Str(SPartAdded),
                               {Image.filename().string(), Part, From.string()}))
                    << '\n';
            }
            Run(Companion("tavo-bundle-runtime"),
                {QStringLiteral("--state"), Work.filePath(QStringLiteral("runtime")),
                 QString::fromStdString(Source.string())},
                Err, true);
        }
        Run(Companion("tavo-make-iso"),
            {QString::fromStdString(Source.string()),
             QString::fromStdString(Companion("autorun").string()),
             QString::fromStdString(Image.string())},
            Err, false);
        const int64_t Megabytes =
            static_cast<int64_t>((fs::file_size(Image) + (1 << 20) - 1) >> 20);
        Out << (Format(Utf8Str(SImageWritten), {Image.string(), Megabytes})) << '\n';
        return 0;
    } catch (const fs::filesystem_error& Error) {
        Err << (Format(Utf8Str(SCannotMakeImage), {std::string(Error.what())})) << '\n';
        return 1;
    } catch (const EImage& Error) {
        Err << Error.Message() << '\n';
        return 1;
    }
}

}  // namespace tavo::catalogue
