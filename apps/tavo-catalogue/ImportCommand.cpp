// import: catalogue source (JSON lines, as build reads them) from each document's outline.
#include <QObject>
#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>

#include "AuthorCommands.h"
#include "CatalogueTool.h"
#include "JsonLine.h"
#include "ToolSupport.h"
#include "catalogue/DocTypes.h"
#include "catalogue/Toc.h"
#include "docviewer/search/ManualIndexer.h"
#include "objects/ObjectStream.h"
#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "platform/Format.h"
#include "platform/PdfTextSource.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;
using objects::NullInt;
using platform::Format;

namespace {

std::string Utf8(const QString& Text)
{
    return Text.toStdString();
}

// A whole decimal number from 0 to Max, nothing else.
std::optional<int32_t> SmallNumber(std::string_view Text, int32_t Max)
{
    if (Text.empty() || Text.size() > 9)
        return std::nullopt;
    int32_t Value = 0;
    for (char C : Text) {
        if (C < '0' || C > '9')
            return std::nullopt;
        Value = Value * 10 + (C - '0');
    }
    return Value <= Max ? std::optional<int32_t>(Value) : std::nullopt;
}

struct TImportOptions {
    int32_t Depth = MaxTocLevel;  // outline levels below a document's entry
    TLevelTypes Types;
    bool Replace = false;
    std::vector<std::string> Documents;
};

class TUsage : public platform::Exception {
public:
    using Exception::Exception;
};

TImportOptions ParseImport(const std::vector<std::string>& Args)
{
    TImportOptions Options;
    bool OptionsEnd = false;
    for (size_t I = 1; I < Args.size(); ++I) {
        const std::string& Arg = Args[I];
        if (OptionsEnd || Arg.empty() || Arg[0] != '-') {
            Options.Documents.push_back(Arg);
            continue;
        }
        if (Arg == "--") {
            OptionsEnd = true;
        } else if (Arg == "--replace") {
            Options.Replace = true;
        } else if (Arg == "--depth" || Arg == "--type-of-level") {
            if (I + 1 >= Args.size())
                throw TUsage(Format(Utf8Str(SNeedsValue), {Arg}));
            const std::string& Value = Args[++I];
            if (Arg == "--depth") {
                const std::optional<int32_t> Depth = SmallNumber(Value, MaxTocLevel);
                if (!Depth)
                    throw TUsage(Format(Utf8Str(SBadDepth), {Arg, Value, int64_t{MaxTocLevel}}));
                Options.Depth = *Depth;
            } else {
                const auto LevelType = ParseLevelType(Value);
                if (!LevelType)
                    throw TUsage(
                        Format(Utf8Str(SBadLevelType), {Arg, Value, int64_t{MaxTocLevel}}));
                Options.Types.ByLevel[LevelType->first] = LevelType->second;
            }
        } else {
            throw TUsage(Utf8Str(SUsage));
        }
    }
    if (Options.Documents.empty())
        throw TUsage(Utf8Str(SUsage));
    return Options;
}

// The lines written and what was said about them.
class TImportWriter {
public:
    TImportWriter(const TImportOptions& Options, std::ostream& Err) : FOptions(Options), FErr(Err)
    {
    }

    void Entry(int32_t Level, const QString& Caption, const std::string& FileName, int32_t Page,
               const QString& Destination)
    {
        ++FLine;
        std::string CaptionText = Utf8(Caption);
        if (!platform::Utf8ToAnsi(CaptionText)) {
            if (FOptions.Replace) {
                const std::string Replaced =
                    platform::AnsiToUtf8(platform::Utf8ToAnsiLossy(CaptionText));
                Say(Format(Utf8Str(SCaptionReplaced), {FLine, CaptionText, Replaced}));
                CaptionText = Replaced;
            } else {
                Say(Format(Utf8Str(SCaptionNotInCodePage), {FLine, CaptionText}));
                FRefused = true;
            }
        }
        std::string DestinationText = Utf8(Destination);
        if (!DestinationText.empty() && !platform::Utf8ToAnsi(DestinationText)) {
            Say(Format(Utf8Str(SDestinationNotInCodePage),
                       {FLine, DestinationText, int64_t{std::max(Page, 1)}}));
            FRefused = FRefused || !FOptions.Replace;
            DestinationText.clear();
        }
        FLines << "{\"level\": " << Level << ", \"caption\": " << JsonText(CaptionText)
               << ", \"fileName\": " << JsonText(FileName);
        if (Page > 0)
            FLines << ", \"pages\": " << JsonText(std::to_string(Page));
        if (!DestinationText.empty())
            FLines << ", \"destination\": " << JsonText(DestinationText);
        const int32_t Type = FOptions.Types.Of(Level);
        if (Type != NullInt)
            FLines << ", \"captionTyp\": " << Type;
        FLines << "}\n";
    }

    void Failed(const std::string& Message)
    {
        Say(Message);
        FFailed = true;
    }
    void Refuse() { FRefused = true; }

    // Writes the lines unless something was refused or failed; returns the exit status.
    int Finish(std::ostream& Out)
    {
        if (FFailed)
            return 1;
        if (FRefused) {
            Say(Utf8Str(SNothingWritten));
            return 1;
        }
        Out << FLines.str() << std::flush;
        return 0;
    }
    int64_t NextLine() const { return FLine + 1; }

private:
    void Say(const std::string& Message) { FErr << Message << '\n'; }

    const TImportOptions& FOptions;
    std::ostream& FErr;
    std::ostringstream FLines;
    int64_t FLine = 0;
    bool FRefused = false;
    bool FFailed = false;
};

}  // namespace

int32_t TLevelTypes::Of(int32_t Level) const
{
    auto Found = ByLevel.upper_bound(Level);
    if (Found == ByLevel.begin())
        return NullInt;
    return std::prev(Found)->second;
}

std::optional<std::pair<int32_t, int32_t>> ParseLevelType(std::string_view Text)
{
    const size_t Equals = Text.find('=');
    if (Equals == std::string_view::npos)
        return std::nullopt;
    const std::optional<int32_t> Level = SmallNumber(Text.substr(0, Equals), MaxTocLevel);
    const std::string_view Type = Text.substr(Equals + 1);
    if (!Level)
        return std::nullopt;
    if (Type == "none")
        return std::make_pair(*Level, NullInt);
    const std::optional<int32_t> Id = SmallNumber(Type, 999);
    if (!Id || !StandardDocTypes().Find(*Id))
        return std::nullopt;
    return std::make_pair(*Level, *Id);
}

int ImportDocuments(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err)
{
    TImportOptions Options;
    try {
        Options = ParseImport(Args);
    } catch (const TUsage& Error) {
        Err << Error.Message() << '\n';
        return kUsageError;
    }
    TManualScope Reader{std::string()};
    const std::unique_ptr<QObject> Component = docviewer::CreateTextSource();
    const auto* Source = qobject_cast<platform::IPdfOutlineSource*>(Component.get());
    if (!Source) {
        Err << (Format(Utf8Str(SNoOutlineSource),
                       {Utf8(platform::TComponentRegistry::Instance().PluginFile(
                           QString::fromLatin1(platform::kPdfTextSourceClassId)))}))
            << '\n';
        return 1;
    }
    TImportWriter Writer(Options, Err);
    std::map<std::string, std::string> Names;  // each document's file name, letter case folded
    for (const std::string& Document : Options.Documents) {
        const platform::TPdfFacts Facts =
            Source->Inspect(QString::fromStdString(Document), Options.Depth - 1, {});
        if (Facts.State != platform::TPdfFacts::pfReadable) {
            Writer.Failed(Format(Utf8Str(SCannotReadDocument), {Document, Utf8(Facts.Error)}));
            continue;
        }
        // The documents go beside the catalogue, in its documentation folder.
        const std::string Name = fs::path(Document).filename().string();
        if (!platform::Utf8ToAnsi(Name)) {
            Writer.Failed(Format(Utf8Str(SLineError),
                                 {Document, Writer.NextLine(),
                                  Format(Utf8Str(SNotInCodePage), {std::string("fileName")})}));
            continue;
        }
        // The shell matches names without regard to letter case when the exact one is absent.
        const std::string Folded = QString::fromStdString(Name).toCaseFolded().toStdString();
        if (const auto [Earlier, New] = Names.emplace(Folded, Document); !New) {
            Writer.Failed(Format(Utf8Str(SSameName), {Earlier->second, Document}));
            continue;
        }
        const std::string FileName = ":" + Name;
        Writer.Entry(0, Facts.Title.isEmpty() ? QString::fromStdString(Name) : Facts.Title,
                     FileName, 0, {});
        for (const platform::TPdfOutlineItem& Item : Facts.Outline)
            Writer.Entry(Item.Depth + 1, Item.Title, FileName, Item.Page, Item.Destination);
    }
    return Writer.Finish(Out);
}

}  // namespace tavo::catalogue
