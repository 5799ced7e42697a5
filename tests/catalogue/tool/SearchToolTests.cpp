// tavo-catalogue's index and search commands on a copy of the sample disc (its reader
// component found in the disc's plugins/) and as the program, killed while indexing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <map>
#include <sstream>

#include "CatalogueTool.h"
#include "JsonLine.h"
#include "TestEnvironment.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status;
    std::string Out, Err;
};

class SearchTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A disc of the test's own: the documents, and the reader component in plugins/.
        FDisc = fs::absolute(test::TestFolder() / "disc");
        FDocs = FDisc / "Setup" / "PdfViewer" / "Documentation";
        fs::create_directories(FDocs / "Katalog");
        for (const char* doc : {"Opis.pdf", "Podrecznik.pdf", "Firma.pdf", "Katalog/Cennik.pdf"})
            fs::copy_file(fs::path(SAMPLE_DOCUMENTATION) / doc, FDocs / doc);
        fs::create_directory_symlink(READER_PLUGIN_DIR, FDisc / "plugins");
        ::unsetenv("TAVO_PLUGIN_PATH");
        ASSERT_EQ(Run({"build", SAMPLE_SOURCE, Catalogue()}).Status, 0);
    }

    TRun Run(const std::vector<std::string>& Args)
    {
        std::ostringstream Out, Err;
        const int Status = catalogue::RunCatalogueTool(Args, FModules.CatalogueVerInfo(), Out, Err);
        return {Status, Out.str(), Err.str()};
    }
    std::string Catalogue() const { return (FDocs / "TAVO_ENG.pdfv").string(); }

    catalogue::TCatalogueToolModules FModules;
    fs::path FDisc, FDocs;
};

std::vector<catalogue::TJsonObject> JsonLines(const std::string& Text)
{
    std::vector<catalogue::TJsonObject> lines;
    std::istringstream in(Text);
    for (std::string line; std::getline(in, line);) {
        std::string error;
        std::optional<catalogue::TJsonObject> object = catalogue::ParseJsonObject(line, error);
        EXPECT_TRUE(object) << line << ": " << error;
        if (object)
            lines.push_back(*object);
    }
    return lines;
}

const catalogue::TJsonValue& Key(const catalogue::TJsonObject& Object, const std::string& Name)
{
    for (const auto& [key, value] : Object)
        if (key == Name)
            return value;
    static const catalogue::TJsonValue none;
    ADD_FAILURE() << "no key " << Name;
    return none;
}

TEST_F(SearchTool, IndexSaysWhatItDidAndDoesNothingTwice)
{
    TRun r = Run({"index", Catalogue()});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::string index = (test::TestFolder() / "home" / ".cache" / "tavo").string();
    const std::string head = "Opis.pdf: indexed, 3 pages\n"
                             "Podrecznik.pdf: indexed, 6 pages\n"
                             "Katalog/Cennik.pdf: indexed, 2 pages\n"
                             "Firma.pdf: indexed, 1 page\n"
                             "Index " +
                             index;
    EXPECT_EQ(r.Out.substr(0, head.size()), head);
    EXPECT_TRUE(r.Out.ends_with(".sqlite: 4 documents, 12 pages (4 indexed, 0 unchanged)\n"))
        << r.Out;

    r = Run({"index", Catalogue()});
    EXPECT_NE(r.Out.find("Podrecznik.pdf: unchanged, 6 pages\nKatalog/Cennik.pdf: unchanged, 2 "
                         "pages\nFirma.pdf: unchanged, 1 page\n"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("(0 indexed, 4 unchanged)"), std::string::npos);

    // The author replaces a document: only that one is read again.
    fs::copy_file(FDocs / "Opis.pdf", FDocs / "Firma.pdf", fs::copy_options::overwrite_existing);
    r = Run({"index", Catalogue()});
    EXPECT_NE(r.Out.find("Firma.pdf: indexed, 3 pages\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("14 pages (1 indexed, 3 unchanged)"), std::string::npos) << r.Out;
}

TEST_F(SearchTool, SearchPrintsTheResultsAsJsonLines)
{
    TRun r = Run({"search", Catalogue(), "CIEPLA"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::vector<catalogue::TJsonObject> hits = JsonLines(r.Out);
    ASSERT_EQ(hits.size(), 1u);
    ASSERT_EQ(hits[0].size(), 5u);
    EXPECT_EQ(hits[0][0].first, "entry");
    EXPECT_EQ(Key(hits[0], "entry").Integer, 6);  // the record's index, as dump numbers it
    EXPECT_EQ(Key(hits[0], "caption").Text, "Straty ciepła");
    EXPECT_EQ(Key(hits[0], "file").Text, fs::weakly_canonical(FDocs / "Podrecznik.pdf").string());
    EXPECT_EQ(Key(hits[0], "page").Integer, 4);
    EXPECT_EQ(Key(hits[0], "snippet").Text,
              "Straty «ciepła» The heat loss of a room is the sum of its transmission and "
              "ventilation losses. Page 4");

    // A prefix across the manual, best first; each hit with its entry.
    r = Run({"search", Catalogue(), "radiat*"});
    const std::vector<catalogue::TJsonObject> many = JsonLines(r.Out);
    EXPECT_EQ(many.size(), 6u);
    for (const catalogue::TJsonObject& hit : many)
        EXPECT_NE(Key(hit, "snippet").Text.find("«"), std::string::npos);

    // Text that would be syntax elsewhere finds what it says, or nothing, calmly.
    for (const char* hostile : {"NEAR(", "\"", "*", "a OR b", "') --"}) {
        r = Run({"search", Catalogue(), hostile});
        EXPECT_TRUE(r.Status == 0 || r.Err == "The search has no words to find.\n")
            << hostile << ": " << r.Err;
        EXPECT_EQ(r.Err.find("cannot"), std::string::npos) << r.Err;
    }
    r = Run({"search", Catalogue(), "\"*"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "The search has no words to find.\n");
}

TEST_F(SearchTool, DocumentsThatCannotBeSearchedAreNamedAndFail)
{
    fs::remove(FDocs / "Firma.pdf");
    test::WriteFile(FDocs / "Katalog" / "Cennik.pdf", "not a pdf");
    TRun r = Run({"index", Catalogue()});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Out.find("Katalog/Cennik.pdf: cannot be read: the file is damaged or is not a "
                         "PDF document.\nFirma.pdf: missing\n"),
              std::string::npos)
        << r.Out;
    // search still finds what can be found, and says on Err what it could not search.
    r = Run({"search", Catalogue(), "dobor"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(JsonLines(r.Out).size(), 1u);
    EXPECT_EQ(r.Err, "Katalog/Cennik.pdf: cannot be read: the file is damaged or is not a PDF "
                     "document.\nFirma.pdf: missing\n");
}

TEST_F(SearchTool, WrongArgumentsGiveTheUsageThatNamesBothCommands)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"index"}, {"search", Catalogue()}, {"index", Catalogue(), "x"}, {"search"}}) {
        const TRun r = Run(args);
        EXPECT_EQ(r.Status, catalogue::kUsageError);
        EXPECT_NE(r.Err.find("tavo-catalogue index FILE"), std::string::npos) << r.Err;
        EXPECT_NE(r.Err.find("tavo-catalogue search FILE QUERY"), std::string::npos) << r.Err;
    }
    const TRun missing = Run({"index", (FDocs / "none.pdfv").string()});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, "Cannot open file " + (FDocs / "none.pdfv").string() + "\n");
}

// The program stopped dead while it writes the index: the next run trusts what was
// finished, goes on with the rest, and nothing is set aside.
TEST_F(SearchTool, KilledWhileIndexingTheNextRunGoesOn)
{
    std::string source;
    for (int i = 1; i <= 8; ++i) {
        const std::string name = "dlugi" + std::to_string(i) + ".pdf";
        fs::copy_file(LONG_DOCUMENT, FDocs / name);
        source +=
            "{\"caption\": \"Długi " + std::to_string(i) + "\", \"fileName\": \":" + name + "\"}\n";
    }
    const std::string catalogue = (FDocs / "DLUGI.pdfv").string();
    ASSERT_EQ(
        Run({"build", test::WriteFile(FDocs / "dlugi.jsonl", source).string(), catalogue}).Status,
        0);

    QProcess tool;
    tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    tool.start(CATALOGUE_TOOL, {"index", QString::fromStdString(catalogue)});
    ASSERT_TRUE(tool.waitForStarted());
    QByteArray out;
    while (!out.contains("indexed") && tool.state() == QProcess::Running) {
        tool.waitForReadyRead(30000);
        out += tool.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("dlugi1.pdf: indexed, 1000 pages")) << out.toStdString();
    ::kill(static_cast<pid_t>(tool.processId()), SIGKILL);
    tool.waitForFinished();

    const TRun again = Run({"index", catalogue});
    EXPECT_EQ(again.Status, 0);
    EXPECT_EQ(again.Err, "");  // nothing damaged, nothing set aside
    EXPECT_NE(again.Out.find("dlugi1.pdf: unchanged, 1000 pages\n"), std::string::npos)
        << again.Out;
    for (int i = 2; i <= 8; ++i) {
        const std::string name = "dlugi" + std::to_string(i) + ".pdf: ";
        EXPECT_TRUE(again.Out.find(name + "indexed, 1000 pages\n") != std::string::npos ||
                    again.Out.find(name + "unchanged, 1000 pages\n") != std::string::npos)
            << again.Out;
    }
    EXPECT_NE(again.Out.find("8 documents, 8000 pages"), std::string::npos) << again.Out;
    EXPECT_EQ(JsonLines(Run({"search", catalogue, "\"page 777 of\""}).Out).size(), 8u);
}

// A catalogue of the author's own, outside any disc: the tool run from the build tree finds
// the reader built beside it; a copy of the tool with no reader anywhere says so plainly.
TEST_F(SearchTool, OutsideADiscTheReaderIsFoundInTheBuildTreeOrItsAbsenceExplained)
{
    const fs::path own = fs::absolute(test::TestFolder() / "own");
    fs::create_directories(own);
    fs::copy_file(FDocs / "Opis.pdf", own / "Opis.pdf");
    const std::string source =
        test::WriteFile(own / "own.jsonl", "{\"caption\": \"Opis\", \"fileName\": \":Opis.pdf\"}\n")
            .string();
    const std::string catalogue = (own / "own.pdfv").string();
    ASSERT_EQ(Run({"build", source, catalogue}).Status, 0);

    TRun r = Run({"index", catalogue});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Opis.pdf: indexed, 3 pages\n"), std::string::npos) << r.Out;
    r = Run({"search", catalogue, "Opis"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_FALSE(JsonLines(r.Out).empty());

    // The program alone in a folder of its own, no reader on the disc, none installed.
    const fs::path lone = test::TestFolder() / "lone" / "tools";
    fs::create_directories(lone);
    fs::copy_file(CATALOGUE_TOOL, lone / "tavo-catalogue");
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("TAVO_PLUGIN_PATH");
    tool.setProcessEnvironment(env);
    tool.start(QString::fromStdString((lone / "tavo-catalogue").string()),
               {"index", QString::fromStdString(catalogue)});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_TRUE(err.startsWith("The PDF reader component is missing")) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::fromStdString((lone / "plugins").string())))
        << err.toStdString();
    EXPECT_TRUE(err.contains("TAVO_PLUGIN_PATH"));
    EXPECT_FALSE(err.contains("Class not registered"));
}

// Hits on every page of a document without an outline, whose entries name pages 1 and 5
// and the destinations on pages 3 and 8: each caption is the entry the page belongs to.
TEST_F(SearchTool, SearchCaptionsFollowWhereDestinationsLie)
{
    fs::copy_file(DESTINATIONS_DOCUMENT, FDocs / "cele.pdf");
    const std::string source =
        test::WriteFile(
            FDocs / "cele.jsonl",
            "{\"caption\": \"Wstęp\", \"fileName\": \":cele.pdf\", \"pages\": \"1\"}\n"
            "{\"caption\": \"Rozdział A\", \"fileName\": \":cele.pdf\", \"destination\": "
            "\"rozdzial-a\"}\n"
            "{\"caption\": \"Rozdział B\", \"fileName\": \":cele.pdf\", \"pages\": \"5\"}\n"
            "{\"caption\": \"Rozdział C\", \"fileName\": \":cele.pdf\", \"destination\": "
            "\"rozdzial-c\"}\n")
            .string();
    const std::string catalogue = (FDocs / "CELE.pdfv").string();
    ASSERT_EQ(Run({"build", source, catalogue}).Status, 0);
    const TRun r = Run({"search", catalogue, "grzejnik"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    std::map<int64_t, std::string> captions;
    for (const catalogue::TJsonObject& hit : JsonLines(r.Out))
        captions[Key(hit, "page").Integer] = Key(hit, "caption").Text;
    EXPECT_EQ(captions, (std::map<int64_t, std::string>{{1, "Wstęp"},
                                                        {2, "Wstęp"},
                                                        {3, "Rozdział A"},
                                                        {4, "Rozdział A"},
                                                        {5, "Rozdział B"},
                                                        {6, "Rozdział B"},
                                                        {7, "Rozdział B"},
                                                        {8, "Rozdział C"},
                                                        {9, "Rozdział C"},
                                                        {10, "Rozdział C"}}));
}

}  // namespace
