// tavo-catalogue's three commands on catalogues written byte by byte, in-process and as
// the program the disc's build runs.
#include <gtest/gtest.h>

#include <QProcess>
#include <sstream>

#include "CatalogueBytes.h"
#include "CatalogueTool.h"
#include "TestEnvironment.h"

using namespace tavo;
using test::Int32Bytes;
using test::LongHeader;
using test::RecordBytes;
using test::TRecordBytes;
namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status;
    std::string Out, Err;
};

class Tool : public ::testing::Test {
protected:
    void SetUp() override { FFolder = fs::absolute(test::TestFolder()); }

    TRun Run(const std::vector<std::string>& Args)
    {
        std::ostringstream Out, Err;
        const int Status = catalogue::RunCatalogueTool(Args, FModules.CatalogueVerInfo(), Out, Err);
        return {Status, Out.str(), Err.str()};
    }
    std::string Write(const std::string& Name, const std::string& Bytes)
    {
        return test::WriteFile(FFolder / Name, Bytes).string();
    }
    std::string Folder() const { return FFolder.string(); }

    catalogue::TCatalogueToolModules FModules;
    fs::path FFolder;
};

// Three entries as a disc author would write them.
std::string Sample()
{
    TRecordBytes Chapter;
    Chapter.Caption = "Zdj\xEA"
                      "cia";
    Chapter.FileName = ":Katalog\\Cennik.pdf";
    Chapter.Pages = "12-15";
    Chapter.Destination = "ceny";
    TRecordBytes Price;
    Price.Level = 1;
    Price.CaptionTyp = 3;
    Price.Visible = 1;
    Price.Pages = "-";
    TRecordBytes Hidden;
    Hidden.Level = -3;
    Hidden.Caption = "<Intern>";
    Hidden.Hint = "say \"hi\"\\";
    Hidden.Visible = 0;
    Hidden.Typ = 5;
    return LongHeader() + Int32Bytes(3) + RecordBytes(Chapter) + RecordBytes(Price) +
           RecordBytes(Hidden);
}

std::string SampleDump(const std::string& Folder)
{
    return "{\"version\": \"KALPDFV_1.00\", \"versionNumber\": 0, \"dataOffset\": 110, "
           "\"count\": 3}\n"
           "{\"index\": 0, \"level\": 0, \"caption\": \"Zdjęcia\", \"hint\": \"\", "
           "\"fileName\": \":Katalog\\\\Cennik.pdf\", \"visibleForUser\": true, \"pages\": "
           "\"12-15\", \"destination\": \"ceny\", \"captionTyp\": -2147483647, \"typ\": "
           "-2147483647, \"shownLevel\": 0, \"shownCaption\": \"Zdjęcia\", \"isDocItem\": false, "
           "\"typeImageIndex\": -1, \"pageNumber\": 12, \"resolvedFileName\": \"" +
           Folder +
           "/Katalog/Cennik.pdf\"}\n"
           "{\"index\": 1, \"level\": 1, \"caption\": \"\", \"hint\": \"\", \"fileName\": \"\", "
           "\"visibleForUser\": true, \"pages\": \"-\", \"destination\": \"\", \"captionTyp\": 3, "
           "\"typ\": -2147483647, \"shownLevel\": 1, \"shownCaption\": \"Cennik\", \"isDocItem\": "
           "false, \"typeImageIndex\": 4, \"pageNumber\": -2147483647, \"resolvedFileName\": "
           "\"\"}\n"
           "{\"index\": 2, \"level\": -3, \"caption\": \"<Intern>\", \"hint\": \"say "
           "\\\"hi\\\"\\\\\", "
           "\"fileName\": \"\", \"visibleForUser\": false, \"pages\": \"\", \"destination\": \"\", "
           "\"captionTyp\": -2147483647, \"typ\": 5, \"shownLevel\": 0, \"shownCaption\": "
           "\"<Intern>\", \"isDocItem\": true, \"typeImageIndex\": -1, \"pageNumber\": 1, "
           "\"resolvedFileName\": \"\"}\n";
}

TEST_F(Tool, DumpShowsHeaderStoredValuesAndWhatTheViewerMakesOfThem)
{
    const TRun R = Run({"dump", Write("TAVO_ENG.pdfv", Sample())});
    EXPECT_EQ(R.Status, 0);
    EXPECT_EQ(R.Out, SampleDump(Folder()));
    // The '-' page is no expression: the error box the library shows, on standard error.
    EXPECT_EQ(R.Err, "Tavo C.H. - Error: The argument missing.\n");
}

TEST_F(Tool, DumpOfAShortHeaderAndOfAnOlderlessVersion)
{
    const TRun R = Run({"dump", Write("s.pdfv", "KALPDFV_1.00" + Int32Bytes(0))});
    EXPECT_EQ(R.Status, 0);
    EXPECT_EQ(R.Out, "{\"version\": \"KALPDFV_1.00\", \"versionNumber\": 0, \"dataOffset\": 12, "
                     "\"count\": 0}\n");
}

TEST_F(Tool, TreeShowsTheTableOfContents)
{
    TRecordBytes A, A1, A11, B, Deep;
    A.Caption = "A";
    A1.Level = 1;
    A1.Caption = "a1";
    A11.Level = 3;
    A11.CaptionTyp = 3;
    B.Caption = "B \x8A";
    Deep.Level = 65;
    Deep.Caption = "too deep";
    const std::string File =
        Write("t.pdfv", LongHeader() + Int32Bytes(5) + RecordBytes(A) + RecordBytes(A1) +
                            RecordBytes(A11) + RecordBytes(B) + RecordBytes(Deep));
    const TRun R = Run({"tree", File});
    EXPECT_EQ(R.Status, 0) << R.Err;
    // a11 hangs at the top (no node at level 2); B counts as a chapter since the entry
    // after it is deeper, though that one is left out.
    EXPECT_EQ(R.Out, "[0] A\n  [0] a1\n[4] Cennik\n[0] B Š\n");
}

TEST_F(Tool, BuildWritesTheCatalogueByteForByte)
{
    const std::string Source =
        Write("source.jsonl",
              "# The sample entries\n"
              "\n"
              "{\"caption\": \"Zdjęcia\", \"fileName\": \" " +
                  Folder() +
                  "/KATALOG\\\\Cennik.pdf \", \"pages\": \"12-15\", \"destination\": \" ceny\"}\r\n"
                  "{\"level\": 1, \"captionTyp\": 3, \"pages\": \"-\"}\n"
                  "  {\"level\": -3, \"caption\": \"<Intern>\", \"hint\": \"say \\\"hi\\\"\\\\\", "
                  "\"visibleForUser\": false, \"captionTyp\": null, \"typ\": 5}\n");
    const std::string Out = (FFolder / "TAVO_ENG.pdfv").string();
    const TRun R = Run({"build", Source, Out});
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(R.Out, "");
    std::string Expected = Sample();
    // The setter stored the folder-relative name with the letter case given.
    const std::string Given = ":KATALOG\\Cennik.pdf";
    Expected.replace(Expected.find(":Katalog\\Cennik.pdf"), Given.size(), Given);
    EXPECT_EQ(test::ReadFile(Out), Expected);
}

TEST_F(Tool, DumpBuildsTheSameCatalogueAgain)
{
    const std::string First = Write("TAVO_ENG.pdfv", Sample());
    const std::string Dumped = Write("dump.jsonl", Run({"dump", First}).Out);
    fs::create_directories(FFolder / "again");
    const std::string Second = (FFolder / "again" / "TAVO_ENG.pdfv").string();
    EXPECT_EQ(Run({"build", Dumped, Second}).Status, 0);
    EXPECT_EQ(test::ReadFile(Second), Sample());
}

TEST_F(Tool, BuildRefusesWhatTheCodePageCannotHoldAndNamesTheLine)
{
    const std::string Source = Write("bad.jsonl", "{\"caption\": \"Cennik\"}\n\n"
                                                  "{\"caption\": \"Прайс\"}\n");
    const std::string Out = (FFolder / "bad.pdfv").string();
    const TRun R = Run({"build", Source, Out});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Err, Source + ", line 3: the text of 'caption' cannot be written in the Central "
                              "European code page (Windows-1250)\n");
    EXPECT_FALSE(fs::exists(Out));
}

TEST_F(Tool, BuildReportsBadLines)
{
    const std::string Out = (FFolder / "x.pdfv").string();
    auto Error = [&](const std::string& Line) {
        const std::string Source = Write("e.jsonl", "{}\n" + Line + "\n");
        const TRun R = Run({"build", Source, Out});
        EXPECT_EQ(R.Status, 1);
        EXPECT_FALSE(fs::exists(Out));
        return R.Err.substr(R.Err.find(", line ") + 2);
    };
    EXPECT_EQ(Error("{\"level\": \"1\"}"),
              "line 2: the value of 'level' must be a whole number from -2147483648 to "
              "2147483647\n");
    EXPECT_EQ(Error("{\"level\": 2147483648}").substr(0, 30), "line 2: the value of 'level' m");
    EXPECT_EQ(Error("{\"level\": null}").substr(0, 30), "line 2: the value of 'level' m");
    EXPECT_EQ(Error("{\"visibleForUser\": 1}"),
              "line 2: the value of 'visibleForUser' must be true or false\n");
    EXPECT_EQ(Error("{\"caption\": 5}"), "line 2: the value of 'caption' must be a text\n");
    EXPECT_EQ(Error("{\"Caption\": \"x\"}"), "line 2: unknown key 'Caption'\n");
    EXPECT_EQ(Error("{\"caption\": \"x\""),
              "line 2: the line is not a JSON object: expected ',' or '}' at column 16\n");
    EXPECT_EQ(Error("{\"caption\": \"" + std::string(65536, 'x') + "\"}"),
              "line 2: the text of 'caption' is longer than 65535 characters\n");
    EXPECT_EQ(Error("{\"version\": \"KALPDFV_1.00\", \"level\": 1}"),
              "line 2: unknown key 'level'\n");
    // Deeper than the tree shows: refused here rather than left out of the tree.
    EXPECT_EQ(Error("{\"caption\": \"x\", \"level\": 65}"),
              "line 2: the level 65 is deeper than the table of contents can show (at most 64)\n");
    EXPECT_EQ(
        Run({"build", Write("deep.jsonl", "{\"caption\": \"x\", \"level\": 64}\n"), Out}).Status,
        0);
}

TEST_F(Tool, ACatalogueCutInsideItsHeaderOrCountEndsEarly)
{
    const std::string Whole = Sample();
    for (size_t Size = 24; Size <= 114; ++Size) {
        const std::string File = Write("cut.pdfv", Whole.substr(0, Size));
        const TRun R = Run({"dump", File});
        EXPECT_EQ(R.Status, 1) << Size << " bytes";
        EXPECT_NE(R.Err.find("ends before all of its objects"), std::string::npos)
            << Size << " bytes: " << R.Err;
        EXPECT_EQ(Run({"tree", File}).Status, 1) << Size << " bytes";
    }
}

TEST_F(Tool, ErrorsGiveStatusOneAndTheSystemsMessageUsageErrorsTwo)
{
    const std::string Missing = (FFolder / "none.pdfv").string();
    TRun R = Run({"dump", Missing});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Err, "Cannot open file " + Missing + "\n");
    EXPECT_EQ(Run({"build", Missing, Missing + "2"}).Err, "Cannot open file " + Missing + "\n");

    const std::string Other = Write("o.pdfv", LongHeader("KALPDFV_2.00") + Int32Bytes(0));
    R = Run({"tree", Other});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Err, "The incorrect file version '" + Other + "'\n");
    EXPECT_EQ(R.Out, "");

    const std::string Negative = Write("n.pdfv", LongHeader() + Int32Bytes(-1));
    EXPECT_EQ(Run({"dump", Negative}).Err,
              "The catalogue '" + Negative + "' is damaged: it announces -1 entries.\n");

    for (const std::vector<std::string>& Args : std::vector<std::vector<std::string>>{
             {}, {"dump"}, {"list", Other}, {"build", Other}, {"--help", "dump"}, {"-x"}}) {
        R = Run(Args);
        EXPECT_EQ(R.Status, 2);
        EXPECT_EQ(R.Err.substr(0, 7), "Usage:\n");
        EXPECT_EQ(R.Out, "");
    }
    R = Run({"--help"});
    EXPECT_EQ(R.Status, 0);
    EXPECT_EQ(R.Out.substr(0, 7), "Usage:\n");
    EXPECT_EQ(R.Err, "");
    R = Run({"--version"});
    EXPECT_EQ(R.Status, 0);
    EXPECT_EQ(R.Out, "tavo-catalogue 3.2.0\n");
}

TEST_F(Tool, DamagedCatalogueShowsWhatIsThereAndFails)
{
    TRecordBytes Entry;
    Entry.Caption = "Only";
    const std::string File =
        Write("d.pdfv", LongHeader() + Int32Bytes(1000000000) + RecordBytes(Entry));
    TRun R = Run({"dump", File});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(std::count(R.Out.begin(), R.Out.end(), '\n'), 2);
    EXPECT_NE(R.Out.find("\"count\": 1000000000"), std::string::npos);
    EXPECT_EQ(R.Err, "The file '" + File + "' ends before all of its objects have been read.\n");
    R = Run({"tree", File});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Out, "[2] Only\n");
}

TEST_F(Tool, TheProgramRunsTheSameCommands)
{
    const std::string File = Write("TAVO_ENG.pdfv", Sample());
    QProcess Program;
    Program.start(CATALOGUE_TOOL, {"dump", QString::fromStdString(File)});
    ASSERT_TRUE(Program.waitForFinished(30000));
    EXPECT_EQ(Program.exitCode(), 0);
    EXPECT_EQ(Program.readAllStandardOutput().toStdString(), SampleDump(Folder()));
    EXPECT_EQ(Program.readAllStandardError().toStdString(),
              "Tavo C.H. - Error: The argument missing.\n");

    Program.start(CATALOGUE_TOOL, {"tree", QString::fromStdString(File + "x")});
    ASSERT_TRUE(Program.waitForFinished(30000));
    EXPECT_EQ(Program.exitCode(), 1);
    EXPECT_EQ(Program.readAllStandardError().toStdString(), "Cannot open file " + File + "x\n");
}

}  // namespace

TEST_F(Tool, AShortWriteFailsClearlyAndKeepsTheOldCatalogue)
{
    // Enough entries to pass a 64 KiB file size limit, which fails writes as a full disk does.
    std::string Lines;
    for (int I = 0; I < 400; ++I)
        Lines += "{\"caption\": \"Entry " + std::to_string(I) + "\", \"hint\": \"" +
                 std::string(500, 'h') + "\"}\n";
    const std::string Source = Write("big.jsonl", Lines);
    const std::string Out = Write("TAVO_ENG.pdfv", Sample());
    QProcess Program;
    Program.start("/bin/sh",
                  {"-c", "trap '' XFSZ; ulimit -f 64; exec \"$0\" build \"$1\" \"$2\"",
                   CATALOGUE_TOOL, QString::fromStdString(Source), QString::fromStdString(Out)});
    ASSERT_TRUE(Program.waitForFinished(30000));
    EXPECT_EQ(Program.exitCode(), 1);
    EXPECT_EQ(Program.readAllStandardError().toStdString(),
              "Cannot write file " + Out + ": Stream write error (File too large)\n");
    EXPECT_EQ(test::ReadFile(Out), Sample());
    for (const auto& Entry : fs::directory_iterator(FFolder))
        EXPECT_EQ(Entry.path().filename().string().find("TAVO_ENG.pdfv."), std::string::npos)
            << Entry.path();

    // A device is never replaced: writing to /dev/full is refused before anything is written.
    const TRun R = Run({"build", Source, "/dev/full"});
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Err, "Cannot create file /dev/full\n");
}
