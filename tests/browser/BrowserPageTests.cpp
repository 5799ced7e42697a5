// What pages ask of the tab on the real engine: new windows, addresses for other programs,
// find, zoom, print, certificates, permissions, full screen and screen readers.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "BrowserFeatureFixture.h"
#include "TestEnvironment.h"
#include "browser/BrowserPageTools.h"

using namespace tavo;
using namespace tavo::test;

namespace {

QString Combo(ShellOnInternet& Shell)
{
    return Shell.Find<QComboBox>("dxAddressCombo")->currentText();
}

// Every text the accessible tree below Root holds, depth first.
void CollectTexts(QAccessibleInterface* Root, QStringList& Texts, int Depth = 0)
{
    if (!Root || Depth > 40)
        return;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description}) {
        const QString text = Root->text(t);
        if (!text.isEmpty())
            Texts << text;
    }
    if (QAccessibleTextInterface* text = Root->textInterface())
        Texts << text->text(0, text->characterCount());
    for (int i = 0; i < Root->childCount(); ++i)
        CollectTexts(Root->child(i), Texts, Depth + 1);
}

}  // namespace

TEST_F(WebTab, NewWindowsOpenInTheViewWithHistoryAndPopupsWithoutAClickAreRefused)
{
    Open(Url("/windows"));
    const int before = Shell->Tab()->History().size();
    // A link with target=_blank.
    Finished->clear();
    ClickElement("blank");
    ASSERT_TRUE(
        WaitFor([&] { return View->title() == "Target" && Finished->count() > 0; }, LoadTimeout));
    EXPECT_EQ(Combo(*Shell), Url("/target"));
    EXPECT_EQ(Shell->Tab()->History().mid(before), QStringList{Url("/target")});
    EXPECT_EQ(Shell->Tab()->Address(), Url("/target"));

    // window.open on a click.
    Open(Url("/windows"));
    Finished->clear();
    ClickElement("open");
    ASSERT_TRUE(
        WaitFor([&] { return View->title() == "Opened" && Finished->count() > 0; }, LoadTimeout));
    EXPECT_EQ(Combo(*Shell), Url("/opened"));
    EXPECT_TRUE(Shell->Tab()->History().contains(Url("/opened")));
    Open(Url("/windows"));

    // window.open from a script nobody clicked.
    Evaluate("popup()");
    ASSERT_TRUE(WaitFor([&] { return Status().contains("refused"); }, LoadTimeout))
        << qPrintable(Status());
    EXPECT_TRUE(Status().contains("pop-up window from 127.0.0.1")) << qPrintable(Status());
    EXPECT_EQ(View->title(), "Windows");
    EXPECT_FALSE(Shell->Tab()->History().contains(Url("/popup")));
    EXPECT_FALSE(Site->Seen().join('\n').contains("seen /popup "));
}

TEST_F(WebTab, AddressesForOtherProgramsGoToTheDesktopOrSayThereIsNone)
{
    UrlRecorder mail(QStringLiteral("mailto"));
    Open(Url("/mail"));
    const QStringList history = Shell->Tab()->History();
    ClickElement("mail");
    ASSERT_TRUE(WaitFor([&] { return !mail.Urls.isEmpty(); }, LoadTimeout));
    EXPECT_EQ(mail.Urls[0].toString(), "mailto:office@example.org");
    EXPECT_TRUE(Status().startsWith("Opening mailto:office@example.org")) << qPrintable(Status());
    // No navigation of the view: history and address stay.
    ClickElement("tel");
    ASSERT_TRUE(WaitFor([&] { return Status().startsWith("No program"); }, LoadTimeout))
        << qPrintable(Status());
    EXPECT_TRUE(Status().contains("tel:+48123456789")) << qPrintable(Status());
    EXPECT_EQ(Shell->Tab()->History(), history);
    EXPECT_EQ(Combo(*Shell), Url("/mail"));
    EXPECT_EQ(View->title(), "Mail");
}

TEST_F(WebTab, FindBarCountsMatchesStepsThroughThemAndEscapeClosesIt)
{
    Open(Url("/find"));
    auto* bar = Shell->Find<QWidget>("FindBar");
    auto* edit = Shell->Find<QLineEdit>("FindEdit");
    auto* count = Shell->Find<QLabel>("FindCount");
    EXPECT_FALSE(bar->isVisible());
    Surface()->setFocus();
    QTest::keyClick(Surface(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return bar->isVisible() && edit->hasFocus(); }));
    EXPECT_EQ(edit->accessibleName(), "Find in page");
    QTest::keyClicks(edit, "boiler");
    ASSERT_TRUE(WaitFor([&] { return count->text() == "1 of 3"; }, LoadTimeout))
        << qPrintable(count->text());
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return count->text() == "2 of 3"; }, LoadTimeout));
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(WaitFor([&] { return count->text() == "1 of 3"; }, LoadTimeout));
    Shell->Find<QToolButton>("FindPreviousButton")->click();
    ASSERT_TRUE(WaitFor([&] { return count->text() == "3 of 3"; }, LoadTimeout));
    edit->clear();
    QTest::keyClicks(edit, "chimney");
    ASSERT_TRUE(WaitFor([&] { return count->text() == "No matches"; }, LoadTimeout));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    // Escape was the find bar's: the page did not stop or lose anything.
    EXPECT_EQ(View->title(), "Find");
}

TEST_F(WebTab, ZoomStepsWithKeysAndWheelAndIsShownWhileNotActualSize)
{
    Open(Url("/find"));
    auto* indicator = Shell->Find<QToolButton>("ZoomIndicator");
    EXPECT_FALSE(indicator->isVisible());
    const int width = Evaluate("window.innerWidth").toInt();
    Surface()->setFocus();
    QTest::keyClick(Surface(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Commands->ZoomFactor(), 1.1);
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(indicator->text(), "110 %");
    EXPECT_EQ(indicator->accessibleName(), "110 %");
    // The page really is larger: fewer CSS pixels fit.
    ASSERT_TRUE(
        WaitFor([&] { return Evaluate("window.innerWidth").toInt() < width; }, LoadTimeout));
    QTest::keyClick(Surface(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(Surface(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Commands->ZoomFactor(), 0.9);
    EXPECT_EQ(indicator->text(), "90 %");
    QTest::keyClick(Surface(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Commands->ZoomFactor(), 1.0);
    EXPECT_FALSE(indicator->isVisible());
    // Ctrl with the wheel over the page.
    QPointF at(50, 50);
    QWheelEvent wheel(at, Surface()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Surface(), &wheel);
    EXPECT_DOUBLE_EQ(Commands->ZoomFactor(), 1.1);
    EXPECT_EQ(indicator->text(), "110 %");
    indicator->click();
    EXPECT_DOUBLE_EQ(Commands->ZoomFactor(), 1.0);
}

TEST_F(WebTab, PrintingToAPdfFileHoldsThePagesWords)
{
    Open(Url("/print"));
    const QString pdf = TestFolder().c_str() + QStringLiteral("/page.pdf");
    int asked = 0;
    Commands->ChoosePrinter = [&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    Surface()->setFocus();
    QTest::keyClick(Surface(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(WaitFor([&] { return Status() == "Printed."; }, LoadTimeout))
        << qPrintable(Status());
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains("Radiator schedule")) << qPrintable(words);
    EXPECT_TRUE(words.contains("Hydronic balancing")) << qPrintable(words);
    Commands->ChoosePrinter = nullptr;
}

TEST_F(WebTab, PrintShowsThePrintDialog)
{
    Open(Url("/print"));
    QString seen;
    QTimer::singleShot(200, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            seen = dialog->objectName();
            dialog->close();
        }
    });
    Shell->Find<QAction>("PrintAction")->trigger();
    EXPECT_EQ(seen, "PrintDialog");
    EXPECT_NE(Status(), "Printed.");
}

TEST_F(WebTab, ASelfSignedCertificateIsRefusedWithTheReasonShown)
{
    Finished->clear();
    Shell->EnterAddress(Site->SecureUrl("/secret"));
    ASSERT_TRUE(WaitFor([&] { return PageText().contains("not secure"); }, LoadTimeout))
        << qPrintable(PageText());
    const QString page = PageText();
    EXPECT_TRUE(page.contains("The connection to 127.0.0.1 is not secure")) << qPrintable(page);
    EXPECT_TRUE(page.contains("issued by an authority this computer does not know"));
    EXPECT_TRUE(page.contains("Nothing has been loaded from this site."));
    EXPECT_TRUE(Status().contains("issued by an authority")) << qPrintable(Status());
    // The address stays what the user asked for, and nothing came from the site.
    EXPECT_EQ(Combo(*Shell), Site->SecureUrl("/secret"));
    EXPECT_FALSE(Site->Seen().join('\n').contains("seen /secret "));
}

TEST_F(WebTab, PermissionRequestsAreRefusedEachWithAStatusLine)
{
    Open(Url("/permissions"));
    Evaluate("locate()");
    ASSERT_TRUE(WaitFor([&] { return Evaluate("window.located").toString().startsWith("denied"); },
                        LoadTimeout));
    EXPECT_EQ(Evaluate("window.located").toString(), "denied 1");
    EXPECT_EQ(Status(), "127.0.0.1 asked to use your location; refused.");
    Evaluate("notify()");
    ASSERT_TRUE(
        WaitFor([&] { return !Evaluate("window.notify").toString().isEmpty(); }, LoadTimeout));
    EXPECT_EQ(Evaluate("window.notify").toString(), "denied");
    EXPECT_EQ(Status(), "127.0.0.1 asked to use notifications; refused.");
}

TEST_F(WebTab, FullScreenIsGrantedAndEscapeLeavesIt)
{
    Open(Url("/fullscreen"));
    ClickElement("go");
    QWidget* full = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "FullScreenWindow" && w->isVisible())
                    full = w;
            return full != nullptr;
        },
        LoadTimeout));
    EXPECT_TRUE(full->isFullScreen());
    EXPECT_TRUE(WaitFor([&] { return Evaluate("document.fullscreenElement !== null").toBool(); },
                        LoadTimeout));
    full->activateWindow();
    QTest::keyClick(full, Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] { return Evaluate("document.fullscreenElement === null").toBool(); },
                        LoadTimeout));
    // The page is back in the tab's view.
    EXPECT_TRUE(WaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "FullScreenWindow" && w->isVisible())
                return false;
        return true;
    }));
    EXPECT_EQ(View->title(), "Full screen");
    EXPECT_EQ(Evaluate("document.title").toString(), "Full screen");
}

TEST_F(WebTab, ScreenReadersReadThePageAndTheStatusLine)
{
    QAccessible::setActive(true);
    Open(Url("/accessible"));
    auto* status = Shell->Find<QLabel>("AdressLabel");
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(status);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(QAccessible::Name), status->text());
    EXPECT_EQ(line->text(QAccessible::Name), "Done");
    EXPECT_EQ(line->text(QAccessible::Description), "Status");
    QStringList texts;
    ASSERT_TRUE(WaitFor(
        [&] {
            texts.clear();
            CollectTexts(QAccessible::queryAccessibleInterface(View), texts);
            return texts.join('\n').contains("Underfloor loops need a mixing valve.");
        },
        LoadTimeout))
        << qPrintable(texts.join(" | "));
    EXPECT_TRUE(texts.join('\n').contains("Heating circuits"));
    QAccessible::setActive(false);
}
