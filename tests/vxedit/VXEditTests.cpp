// The validating field under real keys and mouse: the check when the focus leaves it, the
// spin buttons and their repeat, chosen and pasted texts, Enter, F1 and the push button,
// and what screen readers see of the buttons.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "tools/ControlHelp.h"
#include "vxedit/VXEdit.h"

namespace tavo::vxedit {
namespace {

using tavo::test::RecordedMessages;
using tavo::test::WaitFor;

// A form with the field under test, a second field to move to, and a lookup of three rows.
class Form : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* caption : {"Radiators", "Floor", "Wall"})
            Types.Items().Add(caption, {}, static_cast<int32_t>(Types.Count()) + 1);
        auto* layout = new QVBoxLayout(&Window);
        Field = new TVXEdit(&Window);
        Next = new TVXEdit(&Window);
        layout->addWidget(Field);
        layout->addWidget(Next);
        Field->setFixedSize(160, 24);
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
        Field->setFocus();
    }

    // Types Text into the field and leaves it with Tab.
    void Leave(const QString& Text)
    {
        Field->setFocus();
        Field->selectAll();
        if (Text.isEmpty())
            QTest::keyClick(Field, Qt::Key_Delete);
        else
            QTest::keyClicks(Field, Text);
        QTest::keyClick(Field, Qt::Key_Tab);
        ASSERT_TRUE(Next->hasFocus());
    }

    // A point of the field in client coordinates, as a widget position.
    QPoint At(int X, int Y) const { return Field->ClientRect().topLeft() + QPoint(X, Y); }
    QPoint InButtons(int Y) const { return At(Field->ClientRect().width() - 7, Y); }

    RecordedMessages Messages;
    QWidget Window;
    lookup::TLookUp Types;
    TVXEdit* Field = nullptr;
    TVXEdit* Next = nullptr;
};

// ---- The check on exit ----------------------------------------------------------------------

TEST_F(Form, TextNotInTheLookUpTurnsTheFieldRedUntilItIsEnteredAgain)
{
    Field->SetValueKind(vkLookUpText);
    Field->SetLookUp(&Types);
    Field->setToolTip(QStringLiteral("Heating|The kind of heating"));
    Leave(QStringLiteral("Stone"));
    EXPECT_FALSE(Field->Valid());
    EXPECT_EQ(Field->Color(), tools::clRed);
    EXPECT_TRUE(Field->ShowHint());
    EXPECT_EQ(Field->Hint(), "Entered text 'Stone' does not occur in the list of the texts linked "
                             "with the field. ");
    const QImage shot = Field->grab().toImage();
    EXPECT_EQ(shot.pixelColor(Field->ClientRect().center()), QColor(255, 0, 0));
    EXPECT_TRUE(Messages.Shown.empty()) << "the check never shows a box";
    EXPECT_TRUE(tools::MessagesEnabled);

    Field->setFocus();
    EXPECT_TRUE(Field->Valid());
    EXPECT_EQ(Field->Color(), tools::clWindow);
    EXPECT_EQ(Field->Hint(), "Heating|The kind of heating");

    Leave(QString());
    EXPECT_TRUE(Field->Valid()) << "a blank text is valid";
    Leave(QStringLiteral("fLOOR"));
    EXPECT_TRUE(Field->Valid());

    // The application's own error text and colour win.
    Field->SetErrorText("Choose a heating");
    Field->SetErrorColor(tools::clYellow);
    Leave(QStringLiteral("Stone"));
    EXPECT_EQ(Field->Hint(), "Choose a heating");
    EXPECT_EQ(Field->Color(), tools::clYellow);
}

TEST_F(Form, PlainTextIsCheckedOnlyWithCheckInListAndWhileEnabled)
{
    Field->SetLookUp(&Types);
    Leave(QStringLiteral("Stone"));
    EXPECT_TRUE(Field->Valid());
    Field->SetCheckInList(true);
    Leave(QStringLiteral("Stone"));
    EXPECT_FALSE(Field->Valid());
    Field->setEnabled(false);
    EXPECT_TRUE(Field->CheckText());
}

TEST_F(Form, LogicalValuesAreNormalisedOrGiveTheirReason)
{
    Field->SetValueKind(vkLogical);
    for (const char* typed : {"t", "TRUE", "tr"}) {
        Leave(QString::fromLatin1(typed));
        EXPECT_TRUE(Field->Valid()) << typed;
        EXPECT_EQ(Field->text(), QStringLiteral("True")) << typed;
    }
    Leave(QStringLiteral("f"));
    EXPECT_EQ(Field->text(), QStringLiteral("False"));
    Leave(QString());
    EXPECT_TRUE(Field->Valid());
    EXPECT_EQ(Field->text(), QString()) << "blank stays blank when not required";

    Leave(QStringLiteral("maybe"));
    EXPECT_FALSE(Field->Valid());
    EXPECT_EQ(Field->text(), QStringLiteral("maybe"));
    EXPECT_EQ(Field->Hint(), "The entered text 'maybe' is not a logical value.");

    Field->SetValueKind(vkLogicalItem);
    Field->SetRequired(true);
    Field->SetLogicalTexts({"No", "Yes"});
    Leave(QString());
    EXPECT_FALSE(Field->Valid());
    EXPECT_EQ(Field->Hint(), "No logical value entered in the field.");
    Leave(QStringLiteral("y"));
    EXPECT_EQ(Field->text(), QStringLiteral("Yes"));
    EXPECT_TRUE(Messages.Shown.empty());
}

// ---- Spin buttons -----------------------------------------------------------------------------

class Spin : public Form {
protected:
    void SetUp() override
    {
        Form::SetUp();
        Field->SetButtonKind(bkSpin);
        Field->OnSpinUp = [this](QObject*) { Steps += "u"; };
        Field->OnSpinDown = [this](QObject*) { Steps += "d"; };
        Field->OnSpinClick = [this](QObject*) { Steps += "."; };
        PreviousBeep = SetErrorBeep([this] { Steps += "!"; });
    }
    void TearDown() override { SetErrorBeep(PreviousBeep); }

    std::string Steps;
    TErrorBeep PreviousBeep;
};

TEST_F(Spin, HeldUpperButtonRepeatsAfter200ThenEvery100Milliseconds)
{
    QTest::mousePress(Field, Qt::LeftButton, {}, InButtons(2));
    EXPECT_EQ(Steps, "u.") << "one step at once";
    EXPECT_EQ(Field->ButtonState(), 1);
    ASSERT_NE(Field->RepeatTimer(), nullptr);
    EXPECT_TRUE(Field->RepeatTimer()->isActive());
    EXPECT_EQ(Field->RepeatTimer()->interval(), FirstRepeatMs);

    ASSERT_TRUE(WaitFor([this] { return Steps.size() == 4; }));
    EXPECT_EQ(Steps, "u.u.");
    EXPECT_EQ(Field->RepeatTimer()->interval(), RepeatMs);
    ASSERT_TRUE(WaitFor([this] { return Steps.size() == 6; }));
    EXPECT_EQ(Field->RepeatTimer()->interval(), RepeatMs);

    // Dragged onto the lower button, the repeat steps down.
    QTest::mouseMove(Field, InButtons(Field->height() - 4));
    ASSERT_TRUE(WaitFor([this] { return Steps.find('d') != std::string::npos; }));
    QTest::mouseRelease(Field, Qt::LeftButton, {}, InButtons(Field->height() - 4));
    EXPECT_EQ(Field->ButtonState(), 0);
    EXPECT_EQ(Field->RepeatTimer(), nullptr) << "no timer, no more steps";
    EXPECT_EQ(Field->text(), QString()) << "no text got selected or changed meanwhile";
}

TEST_F(Spin, PressAtHalfTheHeightLessTwoIsTheLowerButton)
{
    ASSERT_EQ(Field->height(), 24);
    QTest::mouseClick(Field, Qt::LeftButton, {}, InButtons(24 / 2 - 2));
    EXPECT_EQ(Steps, "d.");
    QTest::mouseClick(Field, Qt::LeftButton, {}, InButtons(24 / 2 - 3));
    EXPECT_EQ(Steps, "d.u.");
    // Beside the buttons the press is the line edit's.
    QTest::mouseClick(Field, Qt::LeftButton, {}, At(5, 2));
    EXPECT_EQ(Steps, "d.u.");
}

TEST_F(Spin, KeysStepAndAReadOnlyFieldBeeps)
{
    QTest::keyClick(Field, Qt::Key_Up);
    QTest::keyClick(Field, Qt::Key_Down);
    EXPECT_EQ(Steps, "u.d.");
    Field->setReadOnly(true);
    QTest::keyClick(Field, Qt::Key_Up);
    EXPECT_EQ(Steps, "u.d.!.");
    // Read-only, the field has no buttons to press.
    EXPECT_TRUE(Field->ButtonRect().IsEmpty());
    QTest::mouseClick(Field, Qt::LeftButton, {}, InButtons(2));
    EXPECT_EQ(Steps, "u.d.!.");
}

// ---- Texts ------------------------------------------------------------------------------------

TEST_F(Form, ControlCharactersBecomeSpacesHoweverTheyComeIn)
{
    QStringList seen;
    QObject::connect(Field, &QLineEdit::textChanged, [&](const QString& T) { seen << T; });
    QApplication::clipboard()->setText(QStringLiteral("a\tb\nc"));
    Field->setFocus();
    QTest::keyClick(Field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Field->text(), QStringLiteral("a b c"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("a b c")}) << "no notification of the tab";

    // A chooser replacing the text: all of it selected, modified only when it differs.
    const TSetTextEvent setText = Field->ChosenTextSetter();
    setText(nullptr, "Floor\theating");
    EXPECT_EQ(Field->text(), QStringLiteral("Floor heating"));
    EXPECT_EQ(Field->selectedText(), Field->text());
    EXPECT_TRUE(Field->isModified());
    setText(nullptr, "Floor heating");
    EXPECT_FALSE(Field->isModified());
    Field->setReadOnly(true);
    setText(nullptr, "Wall");
    EXPECT_EQ(Field->text(), QStringLiteral("Floor heating")) << "read-only ignores it";
}

TEST_F(Form, InsertedChoiceKeepsEverythingAfterTheCaret)
{
    Field->SetReplaceMode(false);
    const QString tail(300, QLatin1Char('x'));
    Field->setText(QStringLiteral("ab") + tail);
    Field->setCursorPosition(2);
    Field->ChosenTextSetter()(nullptr, "12");
    EXPECT_EQ(Field->text(), QStringLiteral("ab12") + tail);
    EXPECT_EQ(Field->cursorPosition(), 4);
    // The length limit cuts the inserted text, not what was there.
    Field->setMaxLength(305);
    Field->setCursorPosition(4);
    Field->ChosenTextSetter()(nullptr, "345");
    EXPECT_EQ(Field->text(), QStringLiteral("ab123") + tail);
    Field->ChosenTextSetter()(nullptr, "   ");
    EXPECT_EQ(Field->text().size(), 305) << "a blank choice inserts nothing";
}

// ---- Enter ------------------------------------------------------------------------------------

TEST_F(Form, EnterPressesTheFirstEnabledVisibleDefaultButton)
{
    std::vector<QPushButton*> buttons;
    QStringList pressed;
    for (const char* name : {"disabled", "hidden", "plain", "first", "second"}) {
        auto* button = new QPushButton(QString::fromLatin1(name), &Window);
        Window.layout()->addWidget(button);
        button->setDefault(std::string(name) != "plain");
        QObject::connect(button, &QPushButton::clicked,
                         [&pressed, button] { pressed << button->text(); });
        buttons.push_back(button);
    }
    buttons[0]->setEnabled(false);
    buttons[1]->hide();
    ASSERT_TRUE(WaitFor([&] { return buttons[4]->isVisible(); }));
    int keyDowns = 0;
    Field->OnKeyDown = [&](QWidget*, int& Key, Qt::KeyboardModifiers) {
        keyDowns += Key == Qt::Key_Return ? 1 : 0;
    };
    Field->setFocus();
    QTest::keyClick(Field, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return !pressed.isEmpty(); }));
    EXPECT_EQ(pressed, QStringList{QStringLiteral("first")});
    EXPECT_EQ(keyDowns, 1);
    // With spin buttons Enter does not reach the key-down event.
    Field->SetButtonKind(bkSpin);
    QTest::keyClick(Field, Qt::Key_Enter);
    ASSERT_TRUE(WaitFor([&] { return pressed.size() == 2; }));
    EXPECT_EQ(keyDowns, 1);
}

// A form that counts the Enter keys it gets.
struct TEnterCounter : QWidget {
    void keyPressEvent(QKeyEvent* Event) override { Enters += Event->key() == Qt::Key_Return; }
    int Enters = 0;
};

TEST(VXEditEnter, WithoutDefaultButtonTheParentGetsEnter)
{
    TEnterCounter form;
    auto* field = new TVXEdit(&form);
    form.show();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return form.Enters == 1; }));
}

TEST(VXEditEnter, FieldOnNoFormRaisesTheInvalidTypeError)
{
    RecordedMessages messages;
    TVXEdit field;
    field.show();
    EXPECT_THROW(field.PressDefaultButton(), EInvalidCast);
    QTest::keyClick(&field, Qt::Key_Return);
    ASSERT_EQ(messages.Shown.size(), 1u) << "the application's handler shows the error";
    EXPECT_EQ(messages.Shown[0].Text, "Invalid class typecast");
}

// ---- F1 and the push button ---------------------------------------------------------------

TEST_F(Form, PushButtonHandsTheChooserTheTextAndAPlaceUnderTheField)
{
    Field->SetButtonKind(tools::bkEllipsis);
    Field->setText(QStringLiteral("old"));
    std::vector<std::string> calls;
    std::vector<int32_t> states;
    QPoint corner;
    Field->OnButtonClick = [&](QObject*, const std::string& Text, const TSetTextEvent& SetText,
                               int32_t X, int32_t Y, int32_t Width, int32_t Height) {
        calls.push_back(Text);
        corner = QPoint(X, Y);
        EXPECT_EQ(Width, 160);
        EXPECT_EQ(Height, 24);
        states.push_back(Field->ButtonState());
        SetText(nullptr, "chosen");
    };
    QTest::mouseClick(Field, Qt::LeftButton, {}, InButtons(5));
    ASSERT_EQ(calls, std::vector<std::string>{"old"});
    EXPECT_EQ(states, std::vector<int32_t>{1}) << "shown pressed meanwhile";
    EXPECT_EQ(corner, Field->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(Field->text(), QStringLiteral("chosen"));
    EXPECT_EQ(Field->ButtonState(), 0);
    QTest::keyClick(Field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(calls.size(), 2u) << "Alt+Down is the button's key";
}

TEST_F(Form, PushButtonWithoutChooserPopsTheLookUpUp)
{
    Field->SetButtonKind(tools::bkArrowDown);
    Field->SetLookUp(&Types);
    QTest::mouseClick(Field, Qt::LeftButton, {}, InButtons(5));
    lookup::TCustomLookUpList* popup = lookup::TCustomLookUpList::CurrentPopupList();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->OwnerControl(), Field);
    QTest::keyClick(Field, Qt::Key_Down);  // the popup has the keys
    QTest::keyClick(Field, Qt::Key_Down);
    QTest::keyClick(Field, Qt::Key_Return);
    EXPECT_EQ(Field->text(), QStringLiteral("Floor"));
}

TEST_F(Form, HelpFromTheHandlerTheHintOrTheLookUp)
{
    tools::SetHelpContext(&Window, 77);
    int helps = 0;
    Field->OnHelp = [&](QObject*, const std::string&, const TSetTextEvent&) {
        ++helps;
        EXPECT_EQ(tools::HelpContext(&Window), 0);
    };
    QTest::keyClick(Field, Qt::Key_F1);
    EXPECT_EQ(helps, 1);
    EXPECT_EQ(tools::HelpContext(&Window), 77);

    Field->OnHelp = nullptr;
    Field->setToolTip(QStringLiteral("Sum|Total of all rows"));
    QTest::keyClick(Field, Qt::Key_F1);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text, "Total of all rows");

    Field->setToolTip(QString());
    Field->SetLookUp(&Types);
    QTest::keyClick(Field, Qt::Key_F1);
    EXPECT_NE(lookup::TCustomLookUpList::CurrentPopupList(), nullptr);
    lookup::TCustomLookUpList::CurrentPopupList()->ClosePopup();

    Field->setReadOnly(true);  // read-only: only the hint's help
    QTest::keyClick(Field, Qt::Key_F1);
    EXPECT_EQ(lookup::TCustomLookUpList::CurrentPopupList(), nullptr);
    EXPECT_EQ(Messages.Shown.size(), 1u);
}

// ---- Unfocused look and screen readers ----------------------------------------------------

TEST_F(Form, UnfocusedFieldLetsTheLookUpDrawAMatchingText)
{
    std::vector<std::pair<int32_t, int32_t>> drawn;
    Types.SetDrawStyle(lookup::ldsLookUpDraw);
    Types.OnDrawItem = [&](QWidget*, QPainter&, TDisplayStyle, int32_t Index, int32_t Margin,
                           const TRect&, TAlignment,
                           tools::TOwnerDrawState) { drawn.emplace_back(Index, Margin); };
    Field->SetLookUp(&Types);
    Field->setText(QStringLiteral("wall"));
    Next->setFocus();
    Field->grab();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), std::make_pair(2, 0));
    // A text that is no row is drawn as text; the lookup is not asked for a row.
    drawn.clear();
    Field->setText(QStringLiteral("Stone"));
    const QImage shot = Field->grab().toImage();
    EXPECT_TRUE(drawn.empty());
    bool ink = false;
    const QRect client = Field->ClientRect();
    for (int x = client.left(); x <= client.right() && !ink; ++x)
        ink = shot.pixelColor(x, client.center().y()) != shot.pixelColor(client.topLeft());
    EXPECT_TRUE(ink);
}

TEST_F(Form, ButtonsAnswerScreenReadersActions)
{
    Field->SetButtonKind(bkSpin);
    int ups = 0, downs = 0;
    Field->OnSpinUp = [&](QObject*) { ++ups; };
    Field->OnSpinDown = [&](QObject*) { ++downs; };
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Field);
    QAccessibleInterface* buttons = nullptr;
    for (int i = 0; i < field->childCount(); ++i)
        if (field->child(i)->role() == QAccessible::SpinBox)
            buttons = field->child(i);
    ASSERT_NE(buttons, nullptr);
    EXPECT_FALSE(buttons->text(QAccessible::Name).isEmpty());
    QAccessibleActionInterface* actions = buttons->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::increaseAction());
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 1);

    int clicks = 0;
    Field->OnButtonClick = [&](QObject*, const std::string&, const TSetTextEvent&, int32_t, int32_t,
                               int32_t, int32_t) { ++clicks; };
    Field->SetButtonKind(tools::bkEllipsis);
    EXPECT_EQ(buttons->role(), QAccessible::Button);
    EXPECT_EQ(buttons->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::pressAction()});
    buttons->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    Field->setReadOnly(true);
    EXPECT_TRUE(buttons->state().invisible) << "a read-only field has no buttons";
}

}  // namespace
}  // namespace tavo::vxedit
