// The reader component through the registry and the viewer's wrappers: the four operations
// through both interfaces, and what a user does with the control.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "ReaderTestSupport.h"
#include "docviewer/PDFLib_TLB.h"

namespace tavo::test {
namespace {

class ReaderTest : public ::testing::TestWithParam<TKind> {
protected:
    void SetUp() override
    {
        docviewer::UseOldControl = false;
        UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
        Host = std::make_unique<TReaderHost>(GetParam());
    }
    void TearDown() override { Host.reset(); }

    // The first row, from the view's top, where the colour shows in the text column.
    static int FirstRow(const QImage& Image, const std::function<bool(QColor)>& Match)
    {
        const auto runs = Runs(Image, Match);
        return runs.empty() ? -1 : runs.front().Top;
    }

    std::unique_ptr<TReaderHost> Host;
};

TEST_P(ReaderTest, OpensAtTheTopOfTheFirstPageAndShowsItsImage)
{
    ASSERT_TRUE(Host->AndWaitShown(1, [&] { Host->LoadFile(TestDoc("reader.pdf")); }));
    EXPECT_EQ(Host->Reader()->PageCount(), 4);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);
    EXPECT_TRUE(Host->Control()->property("fitWidth").toBool());
    const QImage image = Host->Grab();
    // Grey gap, then the page's navy heading band, full width of the page.
    EXPECT_FALSE(IsNavy(image.pixelColor(image.width() / 2, 2)));
    const auto bands = Runs(image, IsNavy);
    ASSERT_FALSE(bands.empty());
    EXPECT_NEAR(bands.front().Top, 10, 2);
    // Fit width: the page fills the width but for the gaps beside it.
    EXPECT_NEAR(bands.front().Left, 10, 2);
    EXPECT_NEAR(bands.front().Right, image.width() - 11, 2);
    EXPECT_EQ(Host->Child<QLineEdit>("PageField")->text(), "1");
    EXPECT_EQ(Host->Child<QLabel>("PageCount")->text(), "/ 4");
}

TEST_P(ReaderTest, SetCurrentPageShowsTheTopOfThePageAndClamps)
{
    Host->LoadFile(TestDoc("reader.pdf"));
    QSignalSpy changed(&Host->Wrapper(), SIGNAL(currentPageChanged(int)));
    ASSERT_TRUE(Host->AndWaitShown(3, [&] { Host->setCurrentPage(3); }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 3);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().value(0).toInt(), 3);
    EXPECT_EQ(Host->Child<QLineEdit>("PageField")->text(), "3");
    EXPECT_EQ(Host->View()->accessibleDescription(), "Page 3 of 4");
    EXPECT_EQ(FirstRow(Host->Grab(), IsNavy), 0);  // the page's top at the view's top

    Host->setCurrentPage(0);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);
    Host->setCurrentPage(99);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 4);
    ASSERT_TRUE(Host->WaitSettled());
    EXPECT_EQ(FirstRow(Host->Grab(), IsNavy), 0);
    Host->setCurrentPage(-7);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);
}

TEST_P(ReaderTest, NamedDestinationShowsItsPageAtItsOffsetAndAnUnknownNameStays)
{
    Host->LoadFile(TestDoc("reader.pdf"));
    ASSERT_TRUE(Host->AndWaitShown(2, [&] { Host->setNamedDest("far"); }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    const QImage at = Host->Grab();
    EXPECT_NEAR(FirstRow(at, IsRed), 0, 1);  // the band starts at the destination
    const int scroll = Host->View()->verticalScrollBar()->value();

    Host->setNamedDest("nowhere");
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    EXPECT_EQ(Host->View()->verticalScrollBar()->value(), scroll);
    Host->setNamedDest("");
    EXPECT_EQ(Host->View()->verticalScrollBar()->value(), scroll);
}

TEST_P(ReaderTest, TheViewersOrderFitsTheWidthWithThePageTopAtTheTop)
{
    Host->LoadFile(TestDoc("reader.pdf"));
    QTest::keyClick(Host->View(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(Host->View(), Qt::Key_Plus, Qt::ControlModifier);
    ASSERT_FALSE(Host->Control()->property("fitWidth").toBool());
    const double zoomed = Host->Control()->property("zoom").toDouble();

    Host->setCurrentPage(2);
    Host->setView("FitH,0");
    EXPECT_TRUE(Host->Control()->property("fitWidth").toBool());
    EXPECT_LT(Host->Control()->property("zoom").toDouble(), zoomed);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    ASSERT_TRUE(Host->WaitSettled());
    const QImage image = Host->Grab();
    const auto bands = Runs(image, IsNavy);
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front().Top, 0);
    EXPECT_NEAR(bands.front().Left, 10, 2);
    EXPECT_NEAR(bands.front().Right, image.width() - 11, 2);
}

TEST_P(ReaderTest, EmptyPathUnloadsAndAnotherFileLoads)
{
    Host->LoadFile(TestDoc("reader.pdf"));
    Host->setCurrentPage(3);
    Host->LoadFile(QString());
    EXPECT_EQ(Host->Reader()->PageCount(), 0);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 0);
    EXPECT_TRUE(Runs(Host->Grab(), [](QColor c) { return c == Qt::white; }).empty());
    EXPECT_FALSE(Host->Child<QLineEdit>("PageField")->isEnabled());
    // Operations on an empty control do nothing and fail nothing.
    Host->setCurrentPage(2);
    Host->setNamedDest("far");
    Host->setView("FitH,0");

    ASSERT_TRUE(Host->AndWaitShown(1, [&] { Host->LoadFile(TestDoc("three-pages.pdf")); }));
    EXPECT_EQ(Host->Reader()->PageCount(), 3);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);
    ASSERT_TRUE(Host->AndWaitShown(2, [&] { Host->setNamedDest("ch2"); }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    // The same file again is a new opening at its first page.
    Host->LoadFile(TestDoc("three-pages.pdf"));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);
}

INSTANTIATE_TEST_SUITE_P(BothInterfaces, ReaderTest,
                         ::testing::Values(TKind::kNewer, TKind::kOlder), [](const auto& Info) {
                             return Info.param == TKind::kNewer ? "Newer" : "Older";
                         });

// --- What the user does -------------------------------------------------------------------

class ReaderUse : public ::testing::Test {
protected:
    void SetUp() override
    {
        UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
        Host = std::make_unique<TReaderHost>();
        ASSERT_TRUE(Host->AndWaitShown(1, [&] { Host->LoadFile(TestDoc("reader.pdf")); }));
    }
    void TearDown() override { Host.reset(); }

    QWidget* Viewport() const { return Host->View()->viewport(); }
    void Click(QPoint At) { QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At); }

    std::unique_ptr<TReaderHost> Host;
};

TEST_F(ReaderUse, LinksGoToTheirPageOrDestinationOrOpenTheirAddress)
{
    // The four blue lines of page 1: page 3, destination "far", a web and a mail address.
    const auto links = Runs(Host->Grab(), IsBlue);
    ASSERT_EQ(links.size(), 4u);
    TUrlRecorder opened({"https", "mailto"});

    Click({links[2].Left + 4, links[2].Middle()});
    Click({links[3].Left + 4, links[3].Middle()});
    ASSERT_EQ(opened.Urls.size(), 2);
    EXPECT_EQ(opened.Urls[0], QUrl("https://www.tervik.example.com/manual"));
    EXPECT_EQ(opened.Urls[1], QUrl("mailto:info@tervik.example.com"));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);

    Click({links[0].Left + 4, links[0].Middle()});
    EXPECT_EQ(Host->Reader()->CurrentPage(), 3);
    ASSERT_TRUE(Host->WaitSettled());
    EXPECT_EQ(Runs(Host->Grab(), IsNavy).front().Top, 0);

    Host->setCurrentPage(1);
    ASSERT_TRUE(Host->WaitSettled());
    const auto moved = Runs(Host->Grab(), IsBlue);  // the page's top is now at the view's top
    ASSERT_EQ(moved.size(), 4u);
    Click({moved[1].Left + 4, moved[1].Middle()});
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    ASSERT_TRUE(Host->WaitSettled());
    const auto red = Runs(Host->Grab(), IsRed);
    ASSERT_FALSE(red.empty());
    EXPECT_NEAR(red.front().Top, 0, 1);
}

TEST_F(ReaderUse, DraggingSelectsTextAndCtrlCCopiesIt)
{
    // The first black line below the heading is "Selectable text here."; drag across it
    // from the margin left of it to the right edge of the page.
    const QImage image = Host->Grab();
    const auto blue = Runs(image, IsBlue);
    ASSERT_FALSE(blue.empty());
    const auto dark = Runs(image, [](QColor c) { return IsDark(c) && !IsBlue(c) && !IsNavy(c); });
    std::vector<TRun> lines;
    for (const TRun& run : dark) {
        if (run.Bottom < blue.front().Top)
            lines.push_back(run);
    }
    ASSERT_GE(lines.size(), 2u);  // the heading, then the line
    const TRun line = lines.back();
    const QPoint from(20, line.Middle());
    const QPoint to(image.width() - 20, line.Middle());
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), from + QPoint(30, 0));
    QTest::mouseMove(Viewport(), to);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(Host->Control()->property("selectedText").toString().toStdString(),
              "Selectable text here.");
    EXPECT_EQ(Host->Reader()->CurrentPage(), 1);  // no link was followed

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(Host->View(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "Selectable text here.");

    // Dragging over two lines keeps them apart; a click elsewhere clears the selection.
    const QPoint below(image.width() - 20, blue.front().Middle());
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), from + QPoint(30, 0));
    QTest::mouseMove(Viewport(), below);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(Host->Control()->property("selectedText").toString().toStdString(),
              "Selectable text here.\nGo to page three");
    Click({image.width() / 2, image.height() - 20});
    EXPECT_TRUE(Host->Control()->property("selectedText").toString().isEmpty());
}

TEST_F(ReaderUse, CtrlFFindsTextForwardAndBackAndSaysWhenThereIsNone)
{
    auto* field = Host->Child<QLineEdit>("FindField");
    auto* status = Host->Child<QLabel>("FindStatus");
    QTest::keyClick(Host->View(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClicks(field, "RADIATOR");
    QTest::keyClick(field, Qt::Key_Return);
    // "Radiators" on page 1, then "Radiator" and twice "radiator" on page 3.
    ASSERT_TRUE(
        WaitFor([&] { return status->text().isEmpty() && Host->Reader()->CurrentPage() == 1; }));
    ASSERT_TRUE(Host->WaitSettled());
    auto orange = [](QColor c) {
        return c.red() > 200 && c.green() > 120 && c.green() < 200 && c.blue() < 120;
    };
    EXPECT_FALSE(Runs(Host->Grab(), orange).empty());  // the match shown is highlighted

    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return Host->Reader()->CurrentPage() == 3; }));
    QTest::keyClick(field, Qt::Key_F3);
    QTest::keyClick(field, Qt::Key_F3);
    QTest::keyClick(field, Qt::Key_F3);  // round to page 1
    ASSERT_TRUE(WaitFor([&] { return Host->Reader()->CurrentPage() == 1; }));
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);  // back to the last on page 3
    ASSERT_TRUE(WaitFor([&] { return Host->Reader()->CurrentPage() == 3; }));

    field->clear();
    QTest::keyClicks(field, "convector");
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return status->text() == "Not found"; }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 3);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(status->text().isEmpty());
}

TEST_F(ReaderUse, MarkWordsMarksThemOnThePageAndShowsTheFirst)
{
    auto green = [](QColor c) {
        return c.green() > 150 && c.red() < 200 && c.blue() < 200 && c.green() > c.red() + 30;
    };
    ASSERT_TRUE(Host->AndWaitShown(2, [&] { Host->Reader()->MarkWords(2, {"dobor", "CIEPLA"}); }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 2);
    ASSERT_TRUE(Host->WaitSettled());
    const auto marks = Runs(Host->Grab(), green);
    ASSERT_EQ(marks.size(), 1u);  // both words lie on one line
    EXPECT_GT(marks.front().Right - marks.front().Left, 150);
    Host->Reader()->MarkWords(2, {});
    EXPECT_TRUE(Runs(Host->Grab(), green).empty());
}

TEST_F(ReaderUse, KeysWheelAndButtonsScrollAndZoom)
{
    QScrollBar* bar = Host->View()->verticalScrollBar();
    QTest::keyClick(Host->View(), Qt::Key_Down);
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(Host->View(), Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(Host->Reader()->CurrentPage(), 4);
    QTest::keyClick(Host->View(), Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(Host->View(), Qt::Key_PageDown);
    EXPECT_GT(bar->value(), Host->View()->viewport()->height() / 2);
    QTest::keyClick(Host->View(), Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), 0);

    // Ctrl+wheel zooms around the pointer: the red band under it stays where it was.
    Host->setNamedDest("far");
    bar->setValue(bar->value() - 100);
    ASSERT_TRUE(Host->WaitSettled());
    const auto before = Runs(Host->Grab(), IsRed);
    ASSERT_EQ(before.size(), 1u);
    const QPoint at(before.front().Left + 40, before.front().Middle());
    const double zoom = Host->Control()->property("zoom").toDouble();
    QWheelEvent wheel(at, Host->View()->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Host->View()->viewport(), &wheel);
    EXPECT_NEAR(Host->Control()->property("zoom").toDouble(), zoom * 1.1, 0.001);
    EXPECT_FALSE(Host->Control()->property("fitWidth").toBool());
    ASSERT_TRUE(Host->WaitSettled());
    const auto after = Runs(Host->Grab(), IsRed);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_NEAR(after.front().Middle(), at.y(), 2);
    EXPECT_LE(after.front().Left, at.x());
    EXPECT_GT(after.front().Right - after.front().Left, before.front().Right - before.front().Left);

    // The strip's buttons: zoom steps, then back to the width.
    auto* zoomIn = Host->Child<QToolButton>("ZoomInButton");
    auto* zoomOut = Host->Child<QToolButton>("ZoomOutButton");
    auto* level = Host->Child<QLabel>("ZoomLevel");
    QTest::mouseClick(zoomIn, Qt::LeftButton);
    const double stepped = Host->Control()->property("zoom").toDouble();
    EXPECT_GT(stepped, zoom * 1.1);
    EXPECT_EQ(level->text(), QStringLiteral("%1%").arg(qRound(stepped * 100)));
    QTest::keyClick(Host->View(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    EXPECT_LT(Host->Control()->property("zoom").toDouble(), stepped);
    QTest::mouseClick(Host->Child<QToolButton>("FitWidthButton"), Qt::LeftButton);
    EXPECT_TRUE(Host->Control()->property("fitWidth").toBool());
    EXPECT_NEAR(Host->Control()->property("zoom").toDouble(), zoom, 0.001);
}

TEST_F(ReaderUse, FitWidthFollowsTheWidthAndKeepsThePlace)
{
    Host->setCurrentPage(3);
    const double zoom = Host->Control()->property("zoom").toDouble();
    Host->Window()->resize(Host->Window()->width() + 200, Host->Window()->height());
    ASSERT_TRUE(WaitFor([&] { return Host->Control()->property("zoom").toDouble() > zoom * 1.2; }));
    EXPECT_EQ(Host->Reader()->CurrentPage(), 3);
    EXPECT_EQ(
        Host->Child<QLabel>("ZoomLevel")->text(),
        QStringLiteral("%1%").arg(qRound(Host->Control()->property("zoom").toDouble() * 100)));
    ASSERT_TRUE(Host->WaitSettled());
    const QImage image = Host->Grab();
    const auto bands = Runs(image, IsNavy);
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front().Top, 0);
    EXPECT_NEAR(bands.front().Right, image.width() - 11, 2);
}

TEST_F(ReaderUse, ThePageFieldTakesANumberAndShowsThePageInView)
{
    auto* field = Host->Child<QLineEdit>("PageField");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "3");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Host->Reader()->CurrentPage(), 3);
    EXPECT_TRUE(Host->View()->hasFocus());
    // Scrolling by hand updates the field.
    QTest::keyClick(Host->View(), Qt::Key_End);
    EXPECT_EQ(field->text(), "4");
}

TEST_F(ReaderUse, EveryControlIsNamedAndReachedWithTab)
{
    Host->View()->setFocus();
    QStringList reached;
    for (int i = 0; i < 30; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (!Host->Control()->isAncestorOf(focus))
            break;
        EXPECT_FALSE(focus->accessibleName().isEmpty()) << focus->objectName().toStdString();
        if (reached.contains(focus->objectName()))
            break;
        reached << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    for (const char* name :
         {"PageView", "PageField", "ZoomOutButton", "ZoomInButton", "FitWidthButton",
          "FitPageButton", "ActualSizeButton", "PrintButton", "SaveCopyButton",
          "OpenExternallyButton", "FindField", "FindPreviousButton", "FindNextButton"})
        EXPECT_TRUE(reached.contains(name)) << name;
}

TEST(ReaderComponent, TheShellDoesNotLinkPoppler)
{
    // Linked libraries are named in the program's dynamic section; Poppler must come only
    // with the plugin, on the first visit to "Manual".
    QFile shell(QStringLiteral(SHELL_PROGRAM));
    if (!shell.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the shell is not built";
    EXPECT_FALSE(shell.readAll().contains("libpoppler"));
}

TEST(ReaderComponent, PopplerIsLoadedWithTheControlOnly)
{
    UsePluginFolder(QStringLiteral(READER_PLUGIN_DIR));
    EXPECT_FALSE(LibraryLoaded("libpoppler"));
    TReaderHost host;
    EXPECT_TRUE(LibraryLoaded("libpoppler"));
    EXPECT_TRUE(LibraryLoaded("libtavo-pdfreader.so"));
}

}  // namespace
}  // namespace tavo::test
