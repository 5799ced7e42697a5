#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <stdexcept>

#include "QtTestHelpers.h"
#include "tools/ControlHelp.h"
#include "tools/MessageBoxes.h"

using namespace tavo::tools;
using tavo::test::RecordedMessages;

namespace {

// Counts the help requests that reach it.
class HelpTarget : public QWidget {
public:
    int HelpRequests = 0;
    int Others = 0;

protected:
    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::HelpRequest)
            ++HelpRequests;
        else if (Event->type() == QEvent::User)
            ++Others;
        return QWidget::event(Event);
    }
};

}  // namespace

TEST(ControlHelpKey, OnlyF1ShowsTheLongHint)
{
    RecordedMessages boxes;
    QWidget form;
    QLineEdit* edit = new QLineEdit(&form);
    edit->setToolTip(QStringLiteral("Sum|Total of all rows"));

    int key = Qt::Key_F2;
    EXPECT_EQ(ControlHelpKey(edit, key), 1);
    EXPECT_EQ(key, Qt::Key_F2);
    EXPECT_TRUE(boxes.Shown.empty());

    key = Qt::Key_F1;
    boxes.Answer = IDOK;
    EXPECT_EQ(ControlHelpKey(edit, key), IDOK);
    EXPECT_EQ(key, 0);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Total of all rows");
    EXPECT_EQ(boxes.Shown[0].Flags, MB_ICONINFORMATION | MB_TASKMODAL);

    edit->setToolTip(QStringLiteral("Sum|"));
    key = Qt::Key_F1;
    EXPECT_EQ(ControlHelpKey(edit, key), 1);
    EXPECT_EQ(key, Qt::Key_F1) << "a blank long hint leaves F1 to the normal handling";
    EXPECT_EQ(boxes.Shown.size(), 1u);

    edit->setToolTip(QStringLiteral("Whole hint"));
    key = Qt::Key_F1;
    ControlHelpKey(edit, key);
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text, "Whole hint");
}

TEST(ControlHelpKey, HelpContextIsSuspendedWhileTheBoxIsUp)
{
    RecordedMessages boxes;
    QWidget form;
    QWidget* panel = new QWidget(&form);
    QLineEdit* edit = new QLineEdit(panel);
    edit->setToolTip(QStringLiteral("a|b"));
    SetHelpContext(panel, 77);
    int seenPanel = 0;
    int seenEdit = 0;
    boxes.AnswerFor = [&](const TMessageBoxRequest&) {
        seenPanel = HelpContext(panel);
        seenEdit = HelpContext(edit);
        return IDOK;
    };
    int key = Qt::Key_F1;
    ControlHelpKey(edit, key);
    EXPECT_EQ(seenPanel, -1);
    EXPECT_EQ(seenEdit, 0);
    EXPECT_EQ(HelpContext(panel), 77);

    // Without any context the topmost control answers; an error restores it as well.
    QWidget lone;
    QLineEdit* inner = new QLineEdit(&lone);
    inner->setToolTip(QStringLiteral("x|y"));
    boxes.AnswerFor = [&](const TMessageBoxRequest&) -> int {
        seenPanel = HelpContext(&lone);
        throw std::runtime_error("presenter failed");
    };
    key = Qt::Key_F1;
    EXPECT_THROW(ControlHelpKey(inner, key), std::runtime_error);
    EXPECT_EQ(seenPanel, -1);
    EXPECT_EQ(HelpContext(&lone), 0);
}

TEST(ShowControlHelp, ControlsWithoutFocusShowTheWholeHint)
{
    RecordedMessages boxes;
    QLabel label;
    label.setToolTip(QStringLiteral("Sum|Total"));
    ShowControlHelp(&label);
    QLineEdit edit;
    edit.setToolTip(QStringLiteral("Sum|Total"));
    ShowControlHelp(&edit);
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0].Text, "Sum|Total");
    EXPECT_EQ(boxes.Shown[1].Text, "Total");
}

TEST(SuppressNextHelpMessage, SwallowsOneHelpRequestAndThenGoes)
{
    HelpTarget target;
    SuppressNextHelpMessage();
    EXPECT_TRUE(HelpSuppressionInstalled());
    SuppressNextHelpMessage();  // installed once only
    QEvent help(QEvent::HelpRequest);
    QApplication::sendEvent(&target, &help);
    EXPECT_EQ(target.HelpRequests, 0);
    EXPECT_FALSE(HelpSuppressionInstalled());
    QApplication::sendEvent(&target, &help);
    EXPECT_EQ(target.HelpRequests, 1);
}

TEST(SuppressNextHelpMessage, AnyFirstEventRemovesTheFilter)
{
    HelpTarget target;
    SuppressNextHelpMessage();
    QEvent other(QEvent::User);
    QApplication::sendEvent(&target, &other);
    EXPECT_EQ(target.Others, 1);
    EXPECT_FALSE(HelpSuppressionInstalled());
    QEvent help(QEvent::HelpRequest);
    QApplication::sendEvent(&target, &help);
    EXPECT_EQ(target.HelpRequests, 1);
}
