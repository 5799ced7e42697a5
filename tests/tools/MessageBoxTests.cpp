#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "platform/Errors.h"
#include "tools/MessageBoxes.h"

using namespace tavo::tools;
using tavo::test::RecordedMessages;

namespace {

// The identity values as the program sets them at start-up.
class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        CaptionProgramId = 500;
        CaptionErrorId = 501;
        CaptionHelpId = 502;
        CaptionConfirmId = 503;
    }
};

}  // namespace

TEST_F(MessageBoxes, CaptionsComeFromTheStringTable)
{
    RecordedMessages boxes(IDYES);
    EXPECT_EQ(MessageById(0, 507, MB_ICONINFORMATION), IDYES);
    EXPECT_EQ(ErrorMessage(507), IDYES);
    EXPECT_EQ(AskYesNo(507), IDYES);
    EXPECT_EQ(InfoMessage(500), IDYES);
    EXPECT_EQ(ShowHelpText("Press F1"), IDYES);
    ASSERT_EQ(boxes.Shown.size(), 5u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Computer program Tavo C.H.");
    EXPECT_EQ(boxes.Shown[0].Flags, MB_ICONINFORMATION | MB_TASKMODAL);
    EXPECT_EQ(boxes.Shown[1].Caption, "Tavo C.H. - Error");
    EXPECT_EQ(boxes.Shown[1].Flags, MB_ICONERROR | MB_TASKMODAL);
    EXPECT_EQ(boxes.Shown[2].Caption, "Tavo C.H. - Confirmation");
    EXPECT_EQ(boxes.Shown[2].Flags, 0x24 | MB_TASKMODAL);
    EXPECT_EQ(boxes.Shown[2].Text.rfind("The program Tavo C.H. has not been installed", 0), 0u);
    EXPECT_EQ(boxes.Shown[3].Caption, "Tavo C.H. - Confirmation");
    EXPECT_EQ(boxes.Shown[4].Caption, "Tavo C.H. - Help");
    EXPECT_EQ(boxes.Shown[4].Text, "Press F1");
}

TEST_F(MessageBoxes, SwitchedOffNothingIsShownAndOkIsReported)
{
    RecordedMessages boxes(IDYES);
    MessagesEnabled = false;
    EXPECT_EQ(AskYesNo(507), IDOK);  // neither Yes nor No
    EXPECT_EQ(MessageText(0, "x", 0), IDOK);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(MessageBoxes, ArgumentsAreFormattedOnlyWhenGiven)
{
    RecordedMessages boxes;
    MessageText(0, "100% sure", 0);
    MessageText(0, "%S is %d%%", 0, FormatArgs{std::string("x"), int64_t(5)});
    MessageById(0, 65400, 0, FormatArgs{std::string("a.pdfv")});
    MessageById(0, 99999, 0);  // a missing text still shows a box
    ASSERT_EQ(boxes.Shown.size(), 4u);
    EXPECT_EQ(boxes.Shown[0].Text, "100% sure");
    EXPECT_EQ(boxes.Shown[1].Text, "x is 5%");
    EXPECT_EQ(boxes.Shown[2].Text, "Cannot open file a.pdfv");
    EXPECT_EQ(boxes.Shown[3].Text, "");
    // A placeholder without its argument raises before anything is shown.
    EXPECT_THROW(MessageText(0, "%s %s", 0, FormatArgs{std::string("one")}),
                 tavo::platform::EConvertError);
    EXPECT_EQ(boxes.Shown.size(), 4u);
}

TEST_F(MessageBoxes, FocusReturnsToTheControlThatHadIt)
{
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    (void)first;
    window.show();
    QApplication::setActiveWindow(&window);
    second->setFocus();
    ASSERT_TRUE(tavo::test::WaitFor([&] { return second->hasFocus(); }));
    RecordedMessages boxes;
    boxes.AnswerFor = [&](const TMessageBoxRequest&) {
        first->setFocus();  // the box moves the focus away, as a real one does
        return IDOK;
    };
    ErrorMessage(501);
    EXPECT_TRUE(tavo::test::WaitFor([&] { return second->hasFocus(); }));
}

TEST_F(MessageBoxes, TheRealBoxShowsTextsAndReturnsTheButton)
{
    MessagesEnabled = true;
    QString seenTitle, seenText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(AskYesNo(507), IDNO);
    EXPECT_EQ(seenTitle, "Tavo C.H. - Confirmation");
    EXPECT_TRUE(seenText.startsWith("The program Tavo C.H."));
}

TEST_F(MessageBoxes, EscapedErrorsAreShownAndTheProgramGoesOn)
{
    RecordedMessages boxes;
    MessagesEnabled = false;  // the handler shows the error regardless
    auto handler =
        Guarded([] { throw tavo::platform::EInOutError("Cannot enter the folder x", 2); });
    handler();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Tavo C.H. - Error");
    EXPECT_EQ(boxes.Shown[0].Text, "Cannot enter the folder x");
    EXPECT_EQ(boxes.Shown[0].Flags, MB_ICONERROR | MB_TASKMODAL);
    EXPECT_FALSE(MessagesEnabled);
}
