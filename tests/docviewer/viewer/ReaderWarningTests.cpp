// The reader version warning: the real dialog, and the rule that shows it until ticked.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "ViewerTestSupport.h"
#include "docviewer/FAdobeRader6Warrning.h"
#include "platform/Folders.h"
#include "platform/ShellExecute.h"
#include "tools/SettingsStore.h"

using namespace tavo;
using docviewer::TF_AdobeRader6Warrning;
using tavo::test::WaitFor;

namespace {

class ReaderWarning : public tavo::test::ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        docviewer::SetWarningPresenter({});  // the real, modal one
    }
    // Answers the next modal warning: ticks the box when asked, then presses OK.
    void AnswerNextWarning(bool Tick)
    {
        QTimer::singleShot(0, [this, Tick] { AnswerWhenUp(Tick, 100); });
    }
    void AnswerWhenUp(bool Tick, int Tries)
    {
        auto* form = qobject_cast<TF_AdobeRader6Warrning*>(QApplication::activeModalWidget());
        if (!form) {
            if (Tries > 0)
                QTimer::singleShot(20, [this, Tick, Tries] { AnswerWhenUp(Tick, Tries - 1); });
            return;
        }
        ++Answered;
        Texts.push_back(form->Label2->text());
        if (Tick)
            form->CB_DontShowAgain->click();
        form->BitBtn1->click();
    }
    static bool Setting()
    {
        return tools::ReadSettingBool("Messages", "AdobeRader6Warrning", tools::ssApplication,
                                      true);
    }
    // Shows the warning and presses Download, then OK, on a desktop that opens the address
    // or not; whether the warning was still up after Download.
    bool PressDownload(bool DesktopOpens)
    {
        platform::ShellExecutor previous =
            platform::SetShellExecutor([&](const platform::ShellExecuteRequest& R) {
                Opened.push_back(R);
                return DesktopOpens;
            });
        bool stillUp = false;
        QTimer::singleShot(0, [&] {
            WaitFor([] { return QApplication::activeModalWidget() != nullptr; });
            auto* form = qobject_cast<TF_AdobeRader6Warrning*>(QApplication::activeModalWidget());
            if (!form)
                return;
            form->BitBtn2->click();
            QApplication::processEvents();
            stillUp = form->isVisible();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w);
                    box && box->objectName() == "AddressBox" && box->isVisible())
                    Shown.push_back(box->informativeText() + QLatin1Char('|') + box->text());
            form->BitBtn1->click();
        });
        docviewer::ReaderVersionWarning();
        platform::SetShellExecutor(previous);
        return stillUp;
    }
    int Answered = 0;
    std::vector<QString> Texts;
    std::vector<platform::ShellExecuteRequest> Opened;
    std::vector<QString> Shown;  // the address boxes up after Download: "address|text"
};

TEST_F(ReaderWarning, ShownUntilTickedThenNeverAgain)
{
    AnswerNextWarning(false);
    docviewer::ReaderVersionWarning();
    EXPECT_EQ(Answered, 1);
    EXPECT_TRUE(Setting());
    // Left unticked: shown at the next run too.
    AnswerNextWarning(true);
    docviewer::ReaderVersionWarning();
    EXPECT_EQ(Answered, 2);
    EXPECT_FALSE(Setting());
    std::string hive = test::ReadFile(platform::UserHivePath());
    EXPECT_NE(hive.find("[HKEY_CURRENT_USER\\Software\\TerVik\\TAVO_SETUP_1_0\\Messages]"),
              std::string::npos);
    EXPECT_NE(hive.find("\"AdobeRader6Warrning\"=\"0\""), std::string::npos);
    // Ticked: the step does nothing, no dialog comes up.
    int shown = 0;
    docviewer::SetWarningPresenter([&](TF_AdobeRader6Warrning&) { ++shown; });
    docviewer::ReaderVersionWarning();
    EXPECT_EQ(shown, 0);
    docviewer::SetWarningPresenter({});
    // Unticked again by hand in the settings: it returns.
    tools::WriteSettingBool(true, "Messages", "AdobeRader6Warrning", tools::ssApplication);
    AnswerNextWarning(false);
    docviewer::ReaderVersionWarning();
    EXPECT_EQ(Answered, 3);
}

TEST_F(ReaderWarning, KeepsComingWhenTheSettingCannotBeWritten)
{
    // A folder where the store's lock file goes: every write fails, even for root.
    std::filesystem::path lock = platform::UserHivePath().string() + ".lock";
    std::filesystem::remove(lock);
    std::filesystem::create_directories(lock);
    for (int run = 1; run <= 2; ++run) {
        AnswerNextWarning(true);
        docviewer::ReaderVersionWarning();
        EXPECT_EQ(Answered, run);
    }
    EXPECT_TRUE(Setting());
}

TEST_F(ReaderWarning, TheFormHasItsTextsAndSizes)
{
    TF_AdobeRader6Warrning form;
    EXPECT_EQ(form.windowTitle(), "Warning");
    EXPECT_EQ(form.size(), QSize(489, 181));
    EXPECT_EQ(form.Image1->geometry(), QRect(4, 6, 31, 31));
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.Label1->geometry(), QRect(44, 6, 431, 33));
    EXPECT_EQ(form.Label3->geometry(), QRect(44, 38, 431, 33));
    EXPECT_EQ(form.Label2->geometry(), QRect(44, 72, 431, 46));
    EXPECT_TRUE(form.Label1->wordWrap());
    EXPECT_TRUE(form.Label1->text().startsWith(
        "This program does not work with the browser Adobe Reader 6.00"));
    EXPECT_TRUE(form.Label2->text().endsWith(
        QString::fromStdString(docviewer::ReaderDownloadAddress()) + ". "));
    EXPECT_FALSE(docviewer::ReaderDownloadAddress().empty());
    EXPECT_EQ(form.CB_DontShowAgain->text(), "Do not show this message again.  ");
    EXPECT_FALSE(form.CB_DontShowAgain->isChecked());
    EXPECT_EQ(form.CB_DontShowAgain->geometry(), QRect(6, 129, 201, 17));
    EXPECT_EQ(form.BitBtn2->text(), "Download the browser.");
    EXPECT_FALSE(form.BitBtn2->icon().isNull());
    EXPECT_EQ(form.BitBtn2->pos(), QPoint(212, 124));
    EXPECT_GE(form.BitBtn2->width(), 139);
    EXPECT_GE(form.BitBtn2->width(), std::min(form.BitBtn2->sizeHint().width(), 180));
    EXPECT_LT(form.BitBtn2->geometry().right(), form.BitBtn1->x());
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(400, 124, 75, 25));
    EXPECT_TRUE(form.BitBtn1->isDefault());
    // Drawn with a transparent ground: the corners of the picture are see-through.
    QImage picture = form.Image1->pixmap().toImage();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_GT(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 0);
}

TEST_F(ReaderWarning, DownloadOpensTheAddressAndTheWarningStays)
{
    EXPECT_TRUE(PressDownload(true));
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0].Target, docviewer::ReaderDownloadAddress());
    EXPECT_TRUE(Shown.empty());
}

TEST_F(ReaderWarning, DownloadWithoutABrowserSaysSoWithTheAddress)
{
    EXPECT_TRUE(PressDownload(false));
    ASSERT_EQ(Shown.size(), 1u);
    const QStringList parts = Shown[0].split(QLatin1Char('|'));
    EXPECT_EQ(parts[0].toStdString(), docviewer::ReaderDownloadAddress());
    EXPECT_FALSE(parts[1].isEmpty());
}

}  // namespace
