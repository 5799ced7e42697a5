// check: what a user of the disc would trip over, found before the disc is burnt.
#include <QObject>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <unistd.h>

#include "AuthorCommands.h"
#include "CatalogueTool.h"
#include "JsonLine.h"
#include "ToolSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/search/ManualIndexer.h"
#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "platform/DiscPath.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/PdfTextSource.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;
using platform::Format;
using platform::TPdfFacts;

namespace {

// The parts of a disc the shell needs, relative to its folder as the shell names them.
constexpr const char* kShell = "tavo-shell";
constexpr const char* kPlugins[] = {"plugins/libtavo-pdfreader.so", "plugins/libtavo-webengine.so"};
constexpr const char* kPrograms[] = {"setup\\HD\\setuphd.exe", "Setup\\Acrobat\\SetupAcrobat.exe"};
constexpr const char* kDocumentation = "Setup\\PdfViewer\\Documentation\\";

std::string Utf8(const QString& Text)
{
    return Text.toStdString();
}

class TDiscCheck {
public:
    TDiscCheck(const fs::path& Disc, objects::TFileVerInfo& VerInfo)
        : FDisc(Disc), FVerInfo(VerInfo)
    {
    }

    std::vector<TDiscProblem> Run(TDiscSummary* Summary);

private:
    std::string Shown(const fs::path& File) const
    {
        const fs::path Relative = File.lexically_relative(FDisc);
        return Relative.empty() || *Relative.begin() == ".." ? File.string() : Relative.string();
    }
    void Add(TDiscProblem Problem) { FProblems.push_back(std::move(Problem)); }
    void CheckParts();
    void CheckCatalogue(const platform::IPdfOutlineSource& Source);
    const TPdfFacts& Facts(const platform::IPdfOutlineSource& Source, const fs::path& Document,
                           const QStringList& Names);

    fs::path FDisc;
    objects::TFileVerInfo& FVerInfo;
    std::vector<TDiscProblem> FProblems;
    std::map<fs::path, TPdfFacts> FFacts;
    int32_t FEntries = 0;
    size_t FDocuments = 0;
};

void TDiscCheck::CheckParts()
{
    const fs::path Shell = platform::ResolveDiscPath(FDisc, kShell);
    std::error_code Ignored;
    if (!fs::is_regular_file(Shell, Ignored))
        Add({"missing-shell", Format(Utf8Str(SFileMissing), {Shown(Shell)}), -1, Shown(Shell)});
    for (const char* Plugin : kPlugins) {
        const fs::path File = platform::ResolveDiscPath(FDisc, Plugin);
        if (!fs::is_regular_file(File, Ignored))
            Add({"missing-plugin", Format(Utf8Str(SFileMissing), {Shown(File)}), -1, Shown(File)});
    }
    for (const char* Program : kPrograms) {
        const fs::path File = platform::ResolveDiscPath(FDisc, Program);
        if (!fs::is_regular_file(File, Ignored))
            Add({"missing-program", Format(Utf8Str(SFileMissing), {Shown(File)}), -1, Shown(File)});
        else if (::access(File.c_str(), X_OK) != 0)
            Add({"not-executable", Format(Utf8Str(SNotExecutable), {Shown(File)}), -1,
                 Shown(File)});
    }
}

const TPdfFacts& TDiscCheck::Facts(const platform::IPdfOutlineSource& Source,
                                   const fs::path& Document, const QStringList& Names)
{
    auto Found = FFacts.find(Document);
    if (Found != FFacts.end())
        return Found->second;
    TPdfFacts Facts = Source.Inspect(QString::fromStdString(Document.string()), -1, Names);
    const char* Kind = nullptr;
    switch (Facts.State) {
    case TPdfFacts::pfReadable:
    case TPdfFacts::pfMissing:  // said of the entries that name it
        break;
    case TPdfFacts::pfEmpty:
    case TPdfFacts::pfNoPages:
        Kind = "empty-document";
        break;
    case TPdfFacts::pfEncrypted:
        Kind = "encrypted-document";
        break;
    case TPdfFacts::pfUnreadable:
    case TPdfFacts::pfDamaged:
        Kind = "damaged-document";
        break;
    }
    if (Kind)
        Add({Kind, Format(Utf8Str(SDocumentProblem), {Shown(Document), Utf8(Facts.Error)}), -1,
             Shown(Document)});
    return FFacts.emplace(Document, std::move(Facts)).first->second;
}

bool IsPdf(const fs::path& File)
{
    return platform::SameNameIgnoringCase(File.extension().string(), ".pdf");
}

void TDiscCheck::CheckCatalogue(const platform::IPdfOutlineSource& Source)
{
    const TDocumentFolder Folder(FDisc.string() + "/" + kDocumentation);
    const fs::path File =
        platform::ResolveDiscPath(FDisc, std::string(kDocumentation) + CatalogueFileName);
    std::unique_ptr<objects::TObjectCollection> Entries;
    try {
        TCatalogueLoadInfo Info;
        Entries = LoadCatalogue(File.string(), FVerInfo, &Info);
        if (!Info.Complete)
            throw platform::EReadError(Format(Utf8Str(SFileEndsEarly), {Shown(File)}));
    } catch (const platform::Exception& Error) {
        Add({"catalogue-unreadable",
             Format(Utf8Str(SCatalogueUnreadable), {Shown(File), ToConsole(Error.Message())}), -1,
             Shown(File)});
        return;
    }
    const TDocCatalogue Catalogue(std::move(Entries), StandardDocTypes(), Folder, File);
    FEntries = Catalogue.Count();
    // Each document is opened once, with every destination its entries name.
    std::map<fs::path, QStringList> Names;
    for (int32_t I = 0; I < Catalogue.Count(); ++I) {
        const fs::path Document = Catalogue.Document(I);
        if (!Document.empty() && !Catalogue.Item(I).Destination().empty())
            Names[Document] << QString::fromStdString(
                platform::AnsiToUtf8(Catalogue.Item(I).Destination()));
    }
    std::set<fs::path> Named;
    for (int32_t I = 0; I < Catalogue.Count(); ++I) {
        const TDocItem0& Item = Catalogue.Item(I);
        const fs::path Document = Catalogue.Document(I);
        if (Document.empty())
            continue;
        const std::string Caption = platform::AnsiToUtf8(Item.Caption(Catalogue.Types()));
        std::error_code Ignored;
        if (!fs::is_regular_file(Document, Ignored)) {
            Add({"missing-document",
                 Format(Utf8Str(SEntryDocumentMissing),
                        {int64_t{I}, Caption, platform::AnsiToUtf8(Item.StoredFileName())}),
                 I, platform::AnsiToUtf8(Item.StoredFileName())});
            continue;
        }
        Named.insert(Document);
        const TPdfFacts& Facts = this->Facts(Source, Document, Names[Document]);
        if (Facts.State != TPdfFacts::pfReadable)
            continue;
        const int32_t Page = Item.PlainPageNumber();
        if (Page > Facts.Pages)
            Add({"missing-page",
                 Format(Utf8Str(SPageMissing), {int64_t{I}, Caption, int64_t{Page}, Shown(Document),
                                                int64_t{Facts.Pages}}),
                 I, Shown(Document), Page, Facts.Pages});
        if (!Item.Destination().empty()) {
            const std::string Name = platform::AnsiToUtf8(Item.Destination());
            if (Facts.Destinations.value(QString::fromStdString(Name)) == 0)
                Add({"missing-destination",
                     Format(Utf8Str(SDestinationMissing),
                            {int64_t{I}, Caption, Shown(Document), Name}),
                     I, Shown(Document), 0, 0, Name});
        }
    }
    FDocuments = Named.size();
    // Documents that no entry opens, in a stable order; each is still looked at.
    std::vector<fs::path> Unnamed;
    std::error_code Error;
    for (fs::recursive_directory_iterator It(Folder.Path(), Error), End; !Error && It != End;
         It.increment(Error)) {
        if (!It->is_regular_file(Error) || !IsPdf(It->path()))
            continue;
        const fs::path Canonical = fs::weakly_canonical(It->path(), Error);
        if (!Named.count(Canonical))
            Unnamed.push_back(Canonical);
    }
    std::sort(Unnamed.begin(), Unnamed.end());
    for (const fs::path& Document : Unnamed) {
        Add({"unnamed-document", Format(Utf8Str(SDocumentUnnamed), {Shown(Document)}), -1,
             Shown(Document)});
        Facts(Source, Document, {});
    }
}

std::vector<TDiscProblem> TDiscCheck::Run(TDiscSummary* Summary)
{
    CheckParts();
    TManualScope Reader((FDisc / "Setup/PdfViewer/Documentation" / CatalogueFileName).string());
    const std::unique_ptr<QObject> Component = docviewer::CreateTextSource();
    const auto* Source = qobject_cast<platform::IPdfOutlineSource*>(Component.get());
    if (!Source)
        throw platform::Exception(
            Format(Utf8Str(SNoOutlineSource),
                   {Utf8(platform::TComponentRegistry::Instance().PluginFile(
                       QString::fromLatin1(platform::kPdfTextSourceClassId)))}));
    CheckCatalogue(*Source);
    if (Summary)
        *Summary = {FEntries, FDocuments};
    return std::move(FProblems);
}

void PrintJson(const TDiscProblem& Problem, std::ostream& Out)
{
    Out << "{\"kind\": " << JsonText(Problem.Kind);
    if (Problem.Entry >= 0)
        Out << ", \"entry\": " << Problem.Entry;
    if (!Problem.File.empty())
        Out << ", \"file\": " << JsonText(Problem.File);
    if (Problem.Page > 0)
        Out << ", \"page\": " << Problem.Page << ", \"pages\": " << Problem.Pages;
    if (!Problem.Destination.empty())
        Out << ", \"destination\": " << JsonText(Problem.Destination);
    Out << ", \"message\": " << JsonText(Problem.Message) << "}\n";
}

}  // namespace

std::vector<TDiscProblem> FindDiscProblems(const fs::path& Disc, objects::TFileVerInfo& VerInfo,
                                           TDiscSummary* Summary)
{
    return TDiscCheck(Disc, VerInfo).Run(Summary);
}

int CheckDisc(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
              std::ostream& Out, std::ostream& Err)
{
    const std::optional<TDiscCommandArgs> Read = ReadDiscCommandArgs(Args, "--json", 1, Err);
    if (!Read)
        return kUsageError;
    const bool AsJson = Read->Flag;
    const std::vector<std::string>& Folders = Read->Operands;
    std::error_code Ignored;
    TDiscSummary Summary;
    const std::vector<TDiscProblem> Problems = FindDiscProblems(
        fs::weakly_canonical(fs::absolute(Folders[0]), Ignored), VerInfo, &Summary);
    for (const TDiscProblem& Problem : Problems) {
        if (AsJson)
            PrintJson(Problem, Out);
        else
            Out << Problem.Message << '\n';
    }
    if (!AsJson) {
        if (Problems.empty())
            Out << (Format(Utf8Str(SDiscReady),
                           {int64_t{Summary.Entries}, static_cast<int64_t>(Summary.Documents)}))
                << '\n';
        else if (Problems.size() == 1)
            Out << (Utf8Str(SOneProblem)) << '\n';
        else
            Out << (Format(Utf8Str(SProblems), {static_cast<int64_t>(Problems.size())})) << '\n';
    }
    return Problems.empty() ? 0 : 1;
}

}  // namespace tavo::catalogue
