// Which reader the viewer gets: none (the setup panel), the older interface only, and the
// installer button that puts the reader in place.
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "docviewer/PDFLib_TLB.h"
#include "docviewer/PdfLib_TLB_Old.h"
#include "docviewer/PdfTreeView.h"
#include "docviewer/ReaderPool.h"
#include "platform/ComponentRegistry.h"
#include "platform/ProgramStart.h"

using namespace tavo;
using docviewer::TF_DocPDFViewer;
using tavo::test::RecordedMessages;
using tavo::test::SampleDocumentation;
using tavo::test::SampleFile;
using tavo::test::TestFolder;
using tavo::test::WaitFor;
namespace fs = std::filesystem;

namespace {

class ReaderSetup : public tavo::test::ViewerTest {
protected:
    std::unique_ptr<objects::TObjectCollection> Manual()
    {
        auto c = std::make_unique<objects::TObjectCollection>();
        c->Insert(Entry(0, "Opis", ":Opis.pdf", "1"));
        c->Insert(Entry(0, "Opis, strona 3", ":Opis.pdf", "3"));
        c->Insert(Entry(0, "Firma", ":Firma.pdf"));
        return c;
    }
};

// Replaces the program starter for a test.
class RecordedStarts {
public:
    explicit RecordedStarts(bool Result = true)
        : FPrevious(platform::SetProgramStarter([this, Result](const std::string& Program) {
              Programs.push_back(Program);
              return Result;
          }))
    {
    }
    ~RecordedStarts() { platform::SetProgramStarter(FPrevious); }
    std::vector<std::string> Programs;

private:
    platform::ProgramStarter FPrevious;
};

TEST_F(ReaderSetup, WithoutAReaderTheSetupPanelShowsOnceWithoutAMessage)
{
    UsePluginFolder(QString::fromStdString((TestFolder() / "no-plugins").string()));
    RecordedMessages boxes;
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitFor([&] { return !viewer->FirstShow(); }));

    EXPECT_TRUE(viewer->P_AcrobatSetup->isVisible());
    EXPECT_FALSE(viewer->L_AcrobatLoading->isVisible());
    EXPECT_FALSE(viewer->L_NoDocMsg->isVisible());
    EXPECT_FALSE(docviewer::ReaderAvailable);
    EXPECT_FALSE(viewer->ControlPending());
    EXPECT_FALSE(viewer->ControlReady());
    EXPECT_FALSE(viewer->Timer->isActive());
    EXPECT_TRUE(boxes.Shown.empty());
    // The warning came before the attempt, as it does before every attempt.
    EXPECT_EQ(FWarnings, 1);

    // A reader installed meanwhile is not tried until the program starts again.
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    Select(*viewer, "Firma");
    Select(*viewer, "Opis, strona 3");
    EXPECT_EQ(viewer->CurrentControl(), nullptr);
    EXPECT_EQ(docviewer::NewControlPool[0], nullptr);
    EXPECT_TRUE(viewer->CurrentFile().empty());
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(ReaderSetup, TheInstallButtonOrItsFolderTextShowsAsTheDiscHasAnInstaller)
{
    UsePluginFolder(QString());
    for (bool installer : {true, false}) {
        docviewer::ReaderAvailable = true;
        docviewer::ReaderSetupPath = installer ? READER_SETUP : "  ";
        auto c = Manual();
        auto viewer = ShowViewer(c.get());
        ASSERT_TRUE(WaitFor([&] { return viewer->P_AcrobatSetup->isVisible(); }));
        EXPECT_EQ(viewer->Btn_InstalAcrobat->isVisible(), installer);
        EXPECT_EQ(viewer->L_AcrobatInstal->isVisible(), !installer);
        EXPECT_EQ(viewer->Btn_InstalAcrobat->text(), "Install Acrobat Reader");
    }
}

TEST_F(ReaderSetup, InstallStartsTheInstallerFromTheDiscAndEndsTheProgram)
{
    UsePluginFolder(QString());
    docviewer::ReaderSetupPath = "/disc/Setup\\Acrobat\\SetupAcrobat.exe";
    RecordedStarts starts;
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitFor([&] { return viewer->Btn_InstalAcrobat->isVisible(); }));
    QTest::mouseClick(viewer->Btn_InstalAcrobat, Qt::LeftButton);
    ASSERT_EQ(starts.Programs.size(), 1u);
    EXPECT_EQ(starts.Programs[0], docviewer::ReaderSetupPath);
    EXPECT_FALSE(viewer->isVisible());  // the window closed
}

TEST_F(ReaderSetup, AnInstallerThatCannotStartIsReportedAndTheProgramGoesOn)
{
    UsePluginFolder(QString());
    docviewer::ReaderSetupPath = (TestFolder() / "missing" / "SetupAcrobat.exe").string();
    RecordedMessages boxes;
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitFor([&] { return viewer->Btn_InstalAcrobat->isVisible(); }));
    QTest::mouseClick(viewer->Btn_InstalAcrobat, Qt::LeftButton);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_NE(boxes.Shown[0].Text.find(docviewer::ReaderSetupPath), std::string::npos);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ReaderSetup, TheDiscsInstallerPutsTheReaderWhereTheNextStartFindsIt)
{
    // No reader yet: the button starts the disc's real installer.
    fs::path data = TestFolder() / "data";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    UsePluginFolder(QString());
    docviewer::ReaderSetupPath = READER_SETUP;
    fs::path installed = data / "tavo" / "plugins" / "libtavo-pdfreader.so";
    {
        RecordedStarts starts;
        auto c = Manual();
        auto viewer = ShowViewer(c.get());
        ASSERT_TRUE(WaitFor([&] { return viewer->Btn_InstalAcrobat->isVisible(); }));
        QTest::mouseClick(viewer->Btn_InstalAcrobat, Qt::LeftButton);
        EXPECT_FALSE(viewer->isVisible());
        ASSERT_EQ(starts.Programs, std::vector<std::string>{READER_SETUP});
        viewer->FormClose();
    }
    // The installer itself, as a script would run it: its window waits for the user.
    QProcess setup;
    setup.start(QStringLiteral(READER_SETUP), {QStringLiteral("--silent")});
    ASSERT_TRUE(setup.waitForFinished(20000));
    EXPECT_EQ(setup.exitCode(), 0) << setup.readAllStandardError().toStdString();
    EXPECT_TRUE(setup.readAllStandardOutput().contains(data.string().c_str()));
    std::error_code ec;
    // What lies beside the installer (its run path differs from the plugins folder's copy).
    ASSERT_EQ(fs::file_size(installed, ec),
              fs::file_size(fs::path(READER_SETUP).parent_path() / "libtavo-pdfreader.so"));
    docviewer::StopViewerModule();  // the program ends
    docviewer::StartViewerModule();

    // The next start: no plugin folder of the disc, only the user's.
    UsePluginFolder(QString());
    EXPECT_EQ(platform::TComponentRegistry::Instance().PluginFile(platform::kPdfReaderClassId),
              QString::fromStdString(installed.string()));
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    EXPECT_EQ(ShownPage(*viewer), 1);
}

TEST_F(ReaderSetup, AReaderWithOnlyTheOlderInterfaceIsDrivenFromTheOlderPool)
{
    UsePluginFolder(QStringLiteral(OLD_READER_PLUGIN_DIR));
    auto c = Manual();
    auto viewer = ShowViewer(c.get());
    ASSERT_TRUE(WaitForControl(*viewer));
    EXPECT_TRUE(docviewer::UseOldControl);
    EXPECT_EQ(viewer->PdfControl(), nullptr);
    ASSERT_NE(viewer->PdfOldControl(), nullptr);
    EXPECT_EQ(docviewer::OldControlPool[0].data(), viewer->PdfOldControl());
    for (const auto& slot : docviewer::NewControlPool)
        EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(ShownPage(*viewer), 1);
    Select(*viewer, "Opis, strona 3");
    EXPECT_EQ(ShownPage(*viewer), 3);
    Select(*viewer, "Firma");
    EXPECT_EQ(viewer->CurrentFile(), SampleFile("Firma.pdf"));

    // Closing the main window frees the newer pool only; the older one goes with the module.
    viewer->FormClose();
    docviewer::FreeControlPool();
    EXPECT_NE(docviewer::OldControlPool[0], nullptr);
    docviewer::StopViewerModule();
    EXPECT_EQ(docviewer::OldControlPool[0], nullptr);
}

TEST_F(ReaderSetup, FreeingThePoolDeletesItsControls)
{
    docviewer::TPooledControl taken = docviewer::TakeControl();
    ASSERT_NE(taken.New, nullptr);
    QPointer<docviewer::TPDF> control = taken.New;
    EXPECT_EQ(docviewer::TakeControl().New, control.data());  // still free: no parent
    docviewer::FreeControlPool();
    EXPECT_TRUE(control.isNull());
    EXPECT_EQ(docviewer::NewControlPool[0], nullptr);
}

}  // namespace
