#include "CatalogueTool.h"

#include <QCoreApplication>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "AuthorCommands.h"
#include "JsonLine.h"
#include "ToolSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/search/ManualEntries.h"
#include "docviewer/search/ManualIndex.h"
#include "docviewer/search/ManualIndexer.h"
#include "docviewer/search/ManualSearch.h"
#include "docviewer/search/SearchStrings.h"
#include "identity/ApplCons.h"
#include "identity/Version.h"
#include "objects/Objects7.h"
#include "platform/Codec.h"
#include "platform/ComponentRegistry.h"
#include "platform/DiscPath.h"
#include "platform/Folders.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"
#include "tools/TextToNumber.h"
#include "tools/ToolsModule.h"

namespace tavo::catalogue {

namespace fs = std::filesystem;
using platform::Format;
using platform::LoadStr;

namespace {

std::string Json(const std::string& Ansi)
{
    return JsonText(platform::AnsiToUtf8(Ansi));
}

// The folder of File with a trailing separator: the documentation folder of the catalogue.
TDocumentFolder FolderOf(const std::string& File)
{
    std::error_code Ignored;
    fs::path Absolute = fs::absolute(File, Ignored);
    std::string Folder = Absolute.parent_path().string();
    if (Folder.empty() || Folder.back() != '/')
        Folder += '/';
    return TDocumentFolder(Folder);
}

// Pages written as expressions, evaluated as the viewer does: a bad one reports itself.
int32_t PageExpression(const std::string& Text)
{
    int32_t Value = NullInt;
    tools::TextToInt(Text, Value);
    return Value;
}

// Message boxes of the libraries as "caption: text" lines; questions are answered No.
class TPresenterScope {
public:
    explicit TPresenterScope(std::ostream& Err)
        : FSavedEnabled(tools::MessagesEnabled),
          FSaved(tools::SetMessagePresenter([&Err](const tools::TMessageBoxRequest& Request) {
              Err << ToConsole(Request.Caption) << ": " << ToConsole(Request.Text) << '\n';
              const uint16_t Buttons = Request.Flags & 0x000F;
              return Buttons == tools::MB_YESNO || Buttons == tools::MB_YESNOCANCEL ? tools::IDNO
                                                                                    : tools::IDOK;
          }))
    {
        tools::MessagesEnabled = true;
    }
    ~TPresenterScope()
    {
        tools::SetMessagePresenter(FSaved);
        tools::MessagesEnabled = FSavedEnabled;
    }
    TPresenterScope(const TPresenterScope&) = delete;
    TPresenterScope& operator=(const TPresenterScope&) = delete;

private:
    bool FSavedEnabled;
    tools::TMessagePresenter FSaved;
};

const char* Bool(bool Value)
{
    return Value ? "true" : "false";
}

int Dump(const std::string& File, objects::TFileVerInfo& VerInfo, std::ostream& Out,
         std::ostream& Err)
{
    const TDocumentFolder Folder = FolderOf(File);
    const TDocTypes& Types = StandardDocTypes();
    TCatalogueLoadInfo Info;
    std::unique_ptr<objects::TObjectCollection> Catalogue = LoadCatalogue(File, VerInfo, &Info);
    Out << "{\"version\": " << Json(VerInfo.Versions(-Info.Version))
        << ", \"versionNumber\": " << Info.Version << ", \"dataOffset\": " << Info.DataOffset
        << ", \"count\": " << Info.DeclaredCount << "}\n";
    for (int32_t I = 0; I < Catalogue->Count(); ++I) {
        const auto& Item = static_cast<const TDocItem0&>(*Catalogue->ItemAt(I));
        // Computed before the line is written: a bad page expression reports itself first.
        const int32_t Page = Item.PageNumber(PageExpression);
        Out << "{\"index\": " << I << ", \"level\": " << Item.StoredLevel()
            << ", \"caption\": " << Json(Item.StoredCaption())
            << ", \"hint\": " << Json(Item.Hint())
            << ", \"fileName\": " << Json(Item.StoredFileName())
            << ", \"visibleForUser\": " << Bool(Item.VisibleForUser())
            << ", \"pages\": " << Json(Item.Pages())
            << ", \"destination\": " << Json(Item.Destination())
            << ", \"captionTyp\": " << Item.CaptionTyp() << ", \"typ\": " << Item.Typ()
            << ", \"shownLevel\": " << Item.Level()
            << ", \"shownCaption\": " << Json(Item.Caption(Types))
            << ", \"isDocItem\": " << Bool(Item.IsDocItem(Types))
            << ", \"typeImageIndex\": " << Item.TypeImageIndex(Types)
            << ", \"pageNumber\": " << Page
            << ", \"resolvedFileName\": " << JsonText(Item.ResolvedFileName(Folder).string())
            << "}\n";
    }
    if (!Info.Complete) {
        Err << ToConsole(Format(LoadStr(SFileEndsEarly), {File})) << '\n';
        return 1;
    }
    return 0;
}

void PrintNodes(const TToc& Toc, std::ostream& Out)
{
    for (int32_t Node : Toc.DisplayOrder()) {
        int Depth = 0;
        for (int32_t Up = Toc.Parent(Node); Up != TToc::Root; Up = Toc.Parent(Up))
            ++Depth;
        Out << std::string(static_cast<size_t>(Depth) * 2, ' ') << '[' << Toc.Picture(Node) << "] "
            << platform::AnsiToUtf8(Toc.Caption(Node)) << '\n';
    }
}

int Tree(const std::string& File, objects::TFileVerInfo& VerInfo, std::ostream& Out,
         std::ostream& Err)
{
    TCatalogueLoadInfo Info;
    std::unique_ptr<objects::TObjectCollection> Catalogue = LoadCatalogue(File, VerInfo, &Info);
    TToc Toc;
    Toc.Build(Catalogue.get(), StandardDocTypes());
    PrintNodes(Toc, Out);
    if (!Info.Complete) {
        Err << ToConsole(Format(LoadStr(SFileEndsEarly), {File})) << '\n';
        return 1;
    }
    return 0;
}

class TLineError : public platform::Exception {
public:
    using Exception::Exception;
};

// The keys dump writes besides the stored ones; build passes over them, so that a dump
// builds the same catalogue again.
bool IsComputedKey(const std::string& Key)
{
    for (const char* Name : {"index", "shownLevel", "shownCaption", "isDocItem", "typeImageIndex",
                             "pageNumber", "resolvedFileName"})
        if (Key == Name)
            return true;
    return false;
}

bool IsHeaderKey(const std::string& Key)
{
    return Key == "version" || Key == "versionNumber" || Key == "dataOffset" || Key == "count";
}

std::string AnsiValue(const std::string& Key, const TJsonValue& Value)
{
    if (Value.Kind != TJsonValue::jvText)
        throw TLineError(Format(LoadStr(SNotText), {Key}));
    std::optional<std::string> Ansi = platform::Utf8ToAnsi(Value.Text);
    if (!Ansi)
        throw TLineError(Format(LoadStr(SNotInCodePage), {Key}));
    if (Ansi->size() > objects::MaxStreamText)
        throw TLineError(Format(LoadStr(STextTooLongForRecord), {Key}));
    return *Ansi;
}

int32_t IntValue(const std::string& Key, const TJsonValue& Value, bool NullAllowed)
{
    if (Value.Kind == TJsonValue::jvNull && NullAllowed)
        return NullInt;
    if (Value.Kind != TJsonValue::jvInteger || Value.Integer < INT32_MIN ||
        Value.Integer > INT32_MAX)
        throw TLineError(Format(LoadStr(SNotInteger), {Key}));
    return static_cast<int32_t>(Value.Integer);
}

// The entry a source line describes, or none for dump's header line.
std::unique_ptr<TDocItem0> EntryOf(const TJsonObject& Object, const TDocumentFolder& Folder)
{
    bool Header = false;
    for (const auto& [Key, Value] : Object)
        Header = Header || Key == "version";
    auto Item = std::make_unique<TDocItem0>();
    for (const auto& [Key, Value] : Object) {
        if (Header && IsHeaderKey(Key))
            continue;
        if (Header || (!IsComputedKey(Key) && Key != "level" && Key != "caption" && Key != "hint" &&
                       Key != "fileName" && Key != "visibleForUser" && Key != "pages" &&
                       Key != "destination" && Key != "captionTyp" && Key != "typ"))
            throw TLineError(Format(LoadStr(SUnknownKey), {Key}));
        if (Key == "level") {
            Item->SetLevel(IntValue(Key, Value, false));
            // The tree leaves deeper entries out: refused here rather than lost there.
            if (Item->StoredLevel() > MaxTocLevel)
                throw TLineError(Format(LoadStr(SLevelTooDeep),
                                        {int64_t{Item->StoredLevel()}, int64_t{MaxTocLevel}}));
        } else if (Key == "caption")
            Item->SetCaption(AnsiValue(Key, Value));
        else if (Key == "hint")
            Item->SetHint(AnsiValue(Key, Value));
        else if (Key == "fileName")
            Item->SetFileName(AnsiValue(Key, Value), Folder);
        else if (Key == "pages")
            Item->SetPages(AnsiValue(Key, Value));
        else if (Key == "destination")
            Item->SetDestination(AnsiValue(Key, Value));
        else if (Key == "captionTyp")
            Item->SetCaptionTyp(IntValue(Key, Value, true));
        else if (Key == "typ")
            Item->SetTyp(IntValue(Key, Value, true));
        else if (Key == "visibleForUser") {
            if (Value.Kind != TJsonValue::jvBool)
                throw TLineError(Format(LoadStr(SNotLogical), {Key}));
            Item->SetVisibleForUser(Value.Bool);
        }
    }
    return Header ? nullptr : std::move(Item);
}

int Build(const std::string& Source, const std::string& Output, objects::TFileVerInfo& VerInfo)
{
    std::ifstream In(Source, std::ios::binary);
    if (!In)
        throw platform::EFOpenError::ForFile(Source);
    const TDocumentFolder Folder = FolderOf(Output);
    objects::TObjectCollection Catalogue;
    std::string Line;
    int64_t Number = 0;
    while (std::getline(In, Line)) {
        ++Number;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        const size_t First = Line.find_first_not_of(" \t");
        if (First == std::string::npos || Line[First] == '#')
            continue;
        try {
            std::string Reason;
            std::optional<TJsonObject> Object = ParseJsonObject(Line, Reason);
            if (!Object)
                throw TLineError(Format(LoadStr(SNotJsonObject), {Reason}));
            if (std::unique_ptr<objects::TStreamableObject> Item = EntryOf(*Object, Folder))
                Catalogue.InsertOwned(Item);
        } catch (const TLineError& Error) {
            throw platform::EReadError(
                Format(LoadStr(SLineError), {Source, Number, Error.Message()}));
        }
    }
    if (In.bad())
        throw platform::EReadError(Format(LoadStr(SCannotRead), {Source}));
    try {
        StoreCatalogue(Output, Catalogue, VerInfo);
    } catch (const platform::EWriteError& Error) {
        // The old catalogue, if any, is still there; say which file could not be written.
        throw platform::EWriteError(Format(LoadStr(SCannotWriteFile), {Output, Error.Message()}));
    }
    return 0;
}

std::string Utf8(const QString& Text)
{
    return Text.toStdString();
}

// A document as the author knows it: below the catalogue's folder, else the whole path.
std::string DocumentName(const QString& File, const std::string& Catalogue)
{
    std::error_code Ignored;
    const fs::path Folder =
        fs::weakly_canonical(fs::absolute(Catalogue, Ignored).parent_path(), Ignored);
    const fs::path Relative = fs::path(File.toStdString()).lexically_relative(Folder);
    if (Relative.empty() || Relative.begin()->string() == "..")
        return File.toStdString();
    return Relative.string();
}

// The index of the manual Catalogue describes, brought up to date. Events of documents that
// Report accepts are printed on Lines; progress goes to Err when asked for.
docviewer::TRefreshReport
UpdateIndex(docviewer::TManualIndex& Index, const docviewer::TManualEntries& Entries,
            const std::string& Catalogue, std::ostream& Lines, std::ostream& Err, bool Progress,
            const std::function<bool(const docviewer::TIndexEvent&)>& Report)
{
    using docviewer::SearchText;
    using docviewer::TIndexEvent;
    if (!Index.SetAside().empty())
        Err << Utf8(SearchText(SIndexSetAside, {QString::fromStdString(Index.File().string()),
                                                QString::fromStdString(Index.SetAside().string())}))
            << '\n';
    const std::unique_ptr<QObject> Source = docviewer::CreateTextSource();
    docviewer::TRefreshCallbacks Callbacks;
    if (Progress)
        Callbacks.Progress = [&Err](int Done, int Total, const QString&) {
            Err << '\r'
                << Utf8(SearchText(SIndexingProgress,
                                   {QString::number(std::min(Done + 1, Total)),
                                    docviewer::CountText(docviewer::cntDocuments, Total)}))
                << (Done == Total ? "\n" : "") << std::flush;
        };
    Callbacks.Event = [&](const TIndexEvent& Event) {
        if (!Report(Event))
            return;
        const QString Name = QString::fromStdString(DocumentName(Event.File, Catalogue));
        const QString Pages = docviewer::CountText(docviewer::cntPages, Event.Pages);
        switch (Event.Kind) {
        case TIndexEvent::ieIndexed:
            Lines << Utf8(SearchText(SDocumentIndexed, {Name, Pages}));
            break;
        case TIndexEvent::ieUnchanged:
            Lines << Utf8(SearchText(SDocumentUnchanged, {Name, Pages}));
            break;
        case TIndexEvent::ieUnreadable:
            Lines << Utf8(SearchText(SDocumentUnreadable, {Name, Event.Error}));
            break;
        case TIndexEvent::ieMissing:
            Lines << Utf8(SearchText(SDocumentMissing, {Name}));
            break;
        case TIndexEvent::ieRemoved:
            Lines << Utf8(SearchText(SDocumentRemoved, {Name}));
            break;
        }
        Lines << '\n' << std::flush;
    };
    std::atomic<bool> Stop{false};
    return docviewer::RefreshIndex(Index, Entries.Files(), docviewer::TextSourceOf(*Source),
                                   Callbacks, Stop, Entries.Destinations(),
                                   docviewer::IndexReaders());
}

int IndexManual(const std::string& File, objects::TFileVerInfo& VerInfo, std::ostream& Out,
                std::ostream& Err, bool Progress)
{
    const TDocCatalogue Catalogue(LoadCatalogue(File, VerInfo), StandardDocTypes(), FolderOf(File),
                                  fs::absolute(File));
    TManualScope Manual(File);
    const docviewer::TManualEntries Entries(&Catalogue);
    docviewer::TManualIndex Index(docviewer::ManualIndexFile(Catalogue.File()));
    const docviewer::TRefreshReport Report =
        UpdateIndex(Index, Entries, File, Out, Err, Progress,
                    [](const docviewer::TIndexEvent&) { return true; });
    Out << Utf8(docviewer::SearchText(
               SIndexSummary,
               {QString::fromStdString(Index.File().string()),
                docviewer::CountText(docviewer::cntDocuments, Report.Documents),
                docviewer::CountText(docviewer::cntPages, static_cast<int>(Report.Pages)),
                QString::number(Report.Indexed), QString::number(Report.Unchanged)}))
        << '\n';
    return Report.Unreadable > 0 || Report.Missing > 0 ? 1 : 0;
}

int SearchManual(const std::string& File, const std::string& Text, objects::TFileVerInfo& VerInfo,
                 std::ostream& Out, std::ostream& Err, bool Progress)
{
    const TDocCatalogue Catalogue(LoadCatalogue(File, VerInfo), StandardDocTypes(), FolderOf(File),
                                  fs::absolute(File));
    TManualScope Manual(File);
    const docviewer::TSearchQuery Query = docviewer::ParseSearchQuery(QString::fromStdString(Text));
    if (Query.IsEmpty()) {
        Err << Utf8(docviewer::SearchText(SNoWordsToFind)) << '\n';
        return 1;
    }
    const docviewer::TManualEntries Entries(&Catalogue);
    docviewer::TManualIndex Index(docviewer::ManualIndexFile(Catalogue.File()));
    // Searched as the disc is now; only documents that cannot be searched are mentioned.
    UpdateIndex(Index, Entries, File, Err, Err, Progress, [](const docviewer::TIndexEvent& E) {
        return E.Kind == docviewer::TIndexEvent::ieUnreadable ||
               E.Kind == docviewer::TIndexEvent::ieMissing;
    });
    for (const docviewer::TSearchResult& Result : docviewer::SearchManual(Index, Entries, Query))
        Out << "{\"entry\": " << Result.Entry->Index
            << ", \"caption\": " << JsonText(Utf8(Result.Entry->Caption))
            << ", \"file\": " << JsonText(Utf8(Result.File)) << ", \"page\": " << Result.Page
            << ", \"snippet\": "
            << JsonText(Utf8(Result.Snippet.Marked(QStringLiteral("«"), QStringLiteral("»"))))
            << "}\n";
    return 0;
}

}  // namespace

TCatalogueToolModules::TCatalogueToolModules()
{
    objects::StartObjectsModule();
    tools::StartToolsCore();
    identity::StartApplCons(identity::TSettingsStores::Skip);
}

TCatalogueToolModules::~TCatalogueToolModules()
{
    identity::StopApplCons();
    tools::StopToolsCore();
    objects::StopObjectsModule();
}

objects::TFileVerInfo& TCatalogueToolModules::CatalogueVerInfo()
{
    return *identity::CatalogueVerInfo();
}

int RunCatalogueTool(const std::vector<std::string>& Args, objects::TFileVerInfo& VerInfo,
                     std::ostream& Out, std::ostream& Err, bool Progress)
{
    TPresenterScope Presenter(Err);
    const std::string Command = Args.empty() ? std::string() : Args[0];
    if (Args.size() == 1 && (Command == "--help" || Command == "-h")) {
        Out << ToConsole(LoadStr(SUsage)) << '\n';
        return 0;
    }
    if (Args.size() == 1 && Command == "--version") {
        Out << "tavo-catalogue " << identity::kVersion << '\n';
        return 0;
    }
    // One handler for every command: errors reach the user the same way whichever failed.
    try {
        if (Command == "import")
            return ImportDocuments(Args, Out, Err);
        if (Command == "check")
            return CheckDisc(Args, VerInfo, Out, Err);
        if (Command == "image")
            return ImageDisc(Args, VerInfo, Out, Err);
        const bool Known =
            (Args.size() == 2 && (Command == "dump" || Command == "tree" || Command == "index")) ||
            (Args.size() == 3 && (Command == "build" || Command == "search"));
        if (!Known) {
            Err << ToConsole(LoadStr(SUsage)) << '\n';
            return kUsageError;
        }
        if (Command == "dump")
            return Dump(Args[1], VerInfo, Out, Err);
        if (Command == "tree")
            return Tree(Args[1], VerInfo, Out, Err);
        if (Command == "index")
            return IndexManual(Args[1], VerInfo, Out, Err, Progress);
        if (Command == "search")
            return SearchManual(Args[1], Args[2], VerInfo, Out, Err, Progress);
        return Build(Args[1], Args[2], VerInfo);
    } catch (const docviewer::EManualIndex& Error) {
        Out.flush();
        Err << Utf8(Error.Text()) << '\n';
        return 1;
    } catch (const platform::Exception& Error) {
        Out.flush();
        Err << ToConsole(Error.Message()) << '\n';
        return 1;
    }
}

}  // namespace tavo::catalogue
