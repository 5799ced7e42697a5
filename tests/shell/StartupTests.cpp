#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ShellTestSupport.h"
#include "TestEnvironment.h"
#include "identity/ApplCons.h"
#include "objects/Objects7.h"
#include "platform/Folders.h"
#include "platform/Registry.h"
#include "platform/StartupLog.h"
#include "shell/FAbout.h"
#include "shell/FMain.h"
#include "tools/ArtworkIcon.h"
#include "tools/Tools.h"

using namespace tavo;
using tavo::test::StartedShell;

namespace {

size_t IndexOf(const std::vector<std::string>& events, const std::string& e)
{
    auto it = std::find(events.begin(), events.end(), e);
    EXPECT_NE(it, events.end()) << "missing event: " << e;
    return static_cast<size_t>(it - events.begin());
}

}  // namespace

TEST(Startup, ModulesStartInOrderAndTheSplashCoversTheMainWindowsCreation)
{
    StartedShell shell(false);
    ASSERT_FALSE(shell::F_About.isNull());
    EXPECT_TRUE(shell::F_About->isVisible());
    EXPECT_TRUE(shell::F_About->Painted());
    auto ev = platform::LifeEvents();
    EXPECT_LT(IndexOf(ev, "objects started"), IndexOf(ev, "tools started"));
    EXPECT_LT(IndexOf(ev, "tools started"), IndexOf(ev, "settings stores opened"));
    EXPECT_LT(IndexOf(ev, "settings stores opened"), IndexOf(ev, "applcons started"));
    EXPECT_LT(IndexOf(ev, "applcons started"), IndexOf(ev, "splash painted"));
    EXPECT_LT(IndexOf(ev, "splash painted"), IndexOf(ev, "data module created"));
    EXPECT_LT(IndexOf(ev, "data module created"), IndexOf(ev, "main window created"));

    shell.Program->ShowMainWindow();
    EXPECT_TRUE(shell::F_About.isNull());
    ev = platform::LifeEvents();
    EXPECT_EQ(IndexOf(ev, "splash destroyed"), IndexOf(ev, "main window shown") + 1);
}

TEST(Startup, MainWindowOpensMaximisedWithItsTitle)
{
    StartedShell shell;
    EXPECT_TRUE(shell.Main()->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(shell.Main()->windowTitle(), "Computer program Tavo C.H.");
    EXPECT_EQ(shell.Main()->minimumSize(), QSize(640, 550));
}

TEST(Startup, MessageCaptionsAreTheProgramsRightAfterStart)
{
    StartedShell shell;
    tavo::test::RecordedMessages boxes;
    tools::MessageById(0, 507, tools::MB_ICONINFORMATION);
    tools::ErrorMessage(507);
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Computer program Tavo C.H.");
    EXPECT_EQ(boxes.Shown[1].Caption, "Tavo C.H. - Error");
}

TEST(Startup, ShutdownRunsInReverseAndSettingsStayWritableMeanwhile)
{
    {
        StartedShell shell;
        QObject::connect(shell.Main(), &QObject::destroyed, [] {
            tools::WriteSettingByte(33, "F_DocPDFViewer", "PercentX", tools::ssShared);
        });
    }
    auto ev = platform::LifeEvents();
    EXPECT_LT(IndexOf(ev, "main window destroyed"), IndexOf(ev, "data module destroyed"));
    EXPECT_LT(IndexOf(ev, "data module destroyed"), IndexOf(ev, "applcons stopped"));
    EXPECT_LT(IndexOf(ev, "applcons stopped"), IndexOf(ev, "tools stopped"));
    EXPECT_LT(IndexOf(ev, "tools stopped"), IndexOf(ev, "objects stopped"));
    platform::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\TerVik\\SETUP_1_0\\F_DocPDFViewer", false));
    EXPECT_EQ(reg.ReadInteger("PercentX"), 33);
}

TEST(Splash, IsAFramelessCentredWindowOnTop)
{
    StartedShell shell(false);
    shell::TF_About* splash = shell::F_About;
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(513, 227));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((splash->geometry().center() - centre).manhattanLength(), 2);
    auto text = [&](const char* name) { return splash->findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(text("L_TervikWWW"), "www.tervik.example.com");
    EXPECT_EQ(text("L_TervikEMail"), "info@tervik.example.com");
    EXPECT_TRUE(text("L_CopyRight").startsWith("Copyright"));
    EXPECT_EQ(text("Label1"), "Tavo  C.H. 3.2");
    // Painted for real: the navy frame is on the window's own pixels.
    QImage shot = splash->grab().toImage();
    if (const char* dir = std::getenv("TAVO_SHOT_DIR"))  // for looking at it
        shot.save(QString::fromLocal8Bit(dir) + "/splash.png");
    EXPECT_EQ(shot.pixelColor(0, 100), QColor(0, 0, 128));
}

TEST(Startup, StreamIdentityValuesAreSetAndWrittenIntoLongHeaders)
{
    {
        StartedShell shell(false);
        ASSERT_NE(identity::CatalogueVerInfo(), nullptr);
        EXPECT_TRUE(identity::CatalogueVerInfo()->Signature());
        EXPECT_EQ(identity::CatalogueVerInfo()->Versions(0), "KALPDFV_1.00");
        EXPECT_EQ(identity::CatalogueVerInfo()->Versions(1), "            ");
        EXPECT_EQ(identity::CatalogueVerInfo()->ReadVersion(), 0);
        // A stream file this program writes carries format 1 and the five texts.
        std::string file = (tavo::test::TestFolder() / "out.pdfv").string();
        objects::TObjectStream::CreateVer(file, *identity::CatalogueVerInfo(), objects::fmCreate)
            .reset();
        std::string bytes = tavo::test::ReadFile(file);
        std::string texts;
        for (const char* t : {"SETUP_1_0      ", "ENGLISH        ", "ENGLISH        ",
                              "TAVO           ", ">=95           "})
            texts += std::string(t) + '\0';
        EXPECT_NE(bytes.find(texts), std::string::npos);
    }
    EXPECT_EQ(identity::CatalogueVerInfo(), nullptr);
}

// What the start-up keeps off its path: the icon-engine plugin (the artwork is drawn by Qt
// SVG directly) and the Internet tab's commands, built once the window shows.
TEST(Startup, NothingButTheWindowsIsBuiltOrLoadedBeforeTheMainWindowShows)
{
    StartedShell shell(false);
    auto loaded = [](const char* Part) {
        std::ifstream maps("/proc/self/maps");
        std::string line;
        while (std::getline(maps, line))
            if (line.find(Part) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_FALSE(loaded("/iconengines/"));
    // The splash's contents, built after it was asked onto the screen, all show, and they
    // are painted before the rest of the program is built.
    const auto ev = platform::LifeEvents();
    EXPECT_LT(IndexOf(ev, "splash created"), IndexOf(ev, "splash painted"));
    for (QLabel* label : shell::F_About->findChildren<QLabel*>())
        EXPECT_TRUE(label->isVisible()) << label->objectName().toStdString();

    EXPECT_TRUE(shell.Main()->Bar(0)->actions().isEmpty());
    shell.Program->ShowMainWindow();
    EXPECT_FALSE(loaded("/iconengines/"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(shell.Main()->Bar(0)->actions().isEmpty());
    EXPECT_FALSE(shell.Main()->Bar(1)->findChildren<QComboBox*>().isEmpty());
}

TEST(Startup, TheProgramsIconComesWithTheMainWindowNotTheSplash)
{
    // Drawn at four sizes for the window system, the icon held each window back; the splash
    // needs none, and the main window gets it once it has been asked onto the screen.
    StartedShell shell(false);
    EXPECT_TRUE(QGuiApplication::windowIcon().isNull());
    EXPECT_TRUE(shell::F_About->windowIcon().isNull());
    shell.Program->ShowMainWindow();
    ASSERT_TRUE(tavo::test::WaitFor([&] { return !shell.Main()->windowIcon().isNull(); }));
    const QImage icon = shell.Main()->windowIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(icon.pixel(16, 16)), 0);
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());  // message boxes and dialogs too
}

TEST(Startup, ArtworkIconsAreDrawnAtTheSizeAskedAndGreyedWhenDisabled)
{
    StartedShell shell(false);
    const QIcon icon = tools::ArtworkIcon(QStringLiteral(":/icons/tab-programs.svg"));
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 28, 64}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0) << size;
    }
    EXPECT_NE(icon.pixmap(16, 16, QIcon::Disabled).toImage(), icon.pixmap(16, 16).toImage());
    const QImage logo =
        tools::ArtworkPixmap(QStringLiteral(":/artwork/distributor-logo.svg"), 64, 2.0).toImage();
    EXPECT_EQ(logo.size(), QSize(128, 128));
    EXPECT_TRUE(tools::ArtworkIcon(QStringLiteral(":/icons/none.svg")).isNull());
}
