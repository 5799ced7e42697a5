#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

#include "QtTestHelpers.h"
#include "tools/ControlHelp.h"
#include "tools/MessageBoxes.h"

using namespace tavo::tools;
using tavo::test::RecordedMessages;
using tavo::test::WaitFor;

namespace {

// Counts the help requests that reach it. An F1 that nobody inside took makes it send
// itself a help request, as the platform does for a key nobody handled.
class HelpTarget : public QWidget {
public:
    using QWidget::QWidget;
    int HelpRequests = 0;
    int Others = 0;
    int Paints = 0;

protected:
    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::HelpRequest)
            ++HelpRequests;
        else if (Event->type() == QEvent::User)
            ++Others;
        else if (Event->type() == QEvent::Paint)
            ++Paints;
        return QWidget::event(Event);
    }
    void keyPressEvent(QKeyEvent* Event) override
    {
        if (Event->key() != Qt::Key_F1)
            return QWidget::keyPressEvent(Event);
        QEvent help(QEvent::HelpRequest);
        QCoreApplication::sendEvent(this, &help);
    }
};

// A field that answers F1 with help of its own and suppresses the help request that
// follows; it takes the key (TakesF1) or lets it go on to its parent.
class HelpField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool TakesF1 = false;
    int F1Presses = 0;

protected:
    void keyPressEvent(QKeyEvent* Event) override
    {
        if (Event->key() != Qt::Key_F1)
            return QLineEdit::keyPressEvent(Event);
        ++F1Presses;
        SuppressNextHelpMessage();
        Event->setAccepted(TakesF1);
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

TEST(SuppressNextHelpMessage, OtherEventsPassAndTheHelpRequestOfF1IsSwallowed)
{
    HelpTarget form;
    auto* field = new HelpField(&form);
    form.show();
    SuppressNextHelpMessage();

    // A timer through the event loop, a paint and a posted event come first: they are
    // delivered and the filter stays.
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    ASSERT_TRUE(WaitFor([&] { return ticks > 0; }));
    timer.stop();
    EXPECT_TRUE(HelpSuppressionInstalled());
    const int paintsBefore = form.Paints;
    form.repaint();
    EXPECT_EQ(form.Paints, paintsBefore + 1);
    QCoreApplication::postEvent(&form, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&form, QEvent::User);
    EXPECT_EQ(form.Others, 1);
    EXPECT_TRUE(HelpSuppressionInstalled());

    // F1 passes the field, goes up to the form, and the form's help request is the one
    // swallowed.
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(field->F1Presses, 1);
    EXPECT_EQ(form.HelpRequests, 0);
    EXPECT_FALSE(HelpSuppressionInstalled());

    // The next F1 is answered again.
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(form.HelpRequests, 1);
}

TEST(SuppressNextHelpMessage, NewInputEndsAWaitForARequestThatNeverCame)
{
    HelpTarget form;
    auto* field = new HelpField(&form);
    field->TakesF1 = true;  // its help consumed the key: no help request follows
    form.show();

    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(form.HelpRequests, 0);
    EXPECT_TRUE(HelpSuppressionInstalled());
    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(field->text(), QStringLiteral("a")) << "the key that ends the wait is not eaten";
    EXPECT_FALSE(HelpSuppressionInstalled());
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(form.HelpRequests, 1);

    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_TRUE(HelpSuppressionInstalled());
    QTest::mouseClick(&form, Qt::LeftButton);
    EXPECT_FALSE(HelpSuppressionInstalled());
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(form.HelpRequests, 2);
}
