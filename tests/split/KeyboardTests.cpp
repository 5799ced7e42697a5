// The split from the keyboard: Tab focus, bar moves by key, the focus rectangle, and what
// screen readers are told about the split, its panes and its bars.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "SplitTestSupport.h"

namespace tavo::split {
namespace {

using test::Pane;
using test::ShownSplit;

// An edit, a split of Panes panes and another edit, in an active window.
struct TFocusWindow {
    explicit TFocusWindow(int Panes)
    {
        auto* layout = new QVBoxLayout(&Window);
        Before = new QLineEdit;
        Split = new ToxSplit;
        Split->SetStyle(oxsInset);
        for (int i = 0; i < Panes; ++i)
            (new ToxScrollPane(Split))->setObjectName(QStringLiteral("Pane%1").arg(i));
        Split->setFixedSize(400, 300);
        After = new QLineEdit;
        layout->addWidget(Before);
        layout->addWidget(Split);
        layout->addWidget(After);
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    }
    // Tab from the first edit; the widget that has the focus then.
    QWidget* TabFromBefore()
    {
        Before->setFocus();
        QTest::keyClick(Before, Qt::Key_Tab);
        return QApplication::focusWidget();
    }

    QWidget Window;
    QLineEdit* Before = nullptr;
    ToxSplit* Split = nullptr;
    QLineEdit* After = nullptr;
};

void Key(QWidget* Widget, Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    QTest::keyClick(Widget, Key, Modifiers);
}

QAccessibleInterface* Accessible(QObject* Object)
{
    return QAccessible::queryAccessibleInterface(Object);
}

// The child of the split's interface with that name, or none.
QAccessibleInterface* NamedChild(QAccessibleInterface* Parent, const QString& Name)
{
    for (int i = 0; i < Parent->childCount(); ++i) {
        QAccessibleInterface* child = Parent->child(i);
        if (child != nullptr && child->text(QAccessible::Name) == Name)
            return child;
    }
    return nullptr;
}

TEST(SplitKeyboard, TabReachesTheSplitUnlessItIsLocked)
{
    TFocusWindow w(2);
    EXPECT_EQ(w.TabFromBefore(), w.Split);
    QTest::keyClick(w.Split, Qt::Key_Backtab);
    EXPECT_TRUE(w.Before->hasFocus());

    // A click on the bar moves it but leaves the focus where the user is typing.
    const QPoint bar(w.Split->PositionX() + w.Split->Inset() + 2, 100);
    test::Click(w.Split, bar);
    EXPECT_TRUE(w.Before->hasFocus());

    // Locking gives the focus away, and Tab passes the split by.
    w.TabFromBefore();
    ASSERT_TRUE(w.Split->hasFocus());
    w.Split->SetLocked(true);
    EXPECT_FALSE(w.Split->hasFocus());
    EXPECT_NE(w.TabFromBefore(), w.Split);
    // Nor do keys that reach it move a bar.
    QSignalSpy changes(w.Split, &ToxCustomSplit::OnChange);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_End})
        Key(w.Split, key);
    EXPECT_EQ(w.Split->PositionX(), 50);
    EXPECT_EQ(changes.count(), 0);
    w.Split->SetLocked(false);
    EXPECT_EQ(w.TabFromBefore(), w.Split);
}

TEST(SplitKeyboard, ArrowsMoveTheirBarByOneOrWithCtrlByTen)
{
    auto split = ShownSplit(400, 300, 4, oxsInset, {});
    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    Key(split.get(), Qt::Key_Right);
    EXPECT_EQ(split->PositionX(), 51);
    Key(split.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(split->PositionX(), 61);
    Key(split.get(), Qt::Key_Left);
    EXPECT_EQ(split->PositionX(), 60);
    EXPECT_EQ(split->PositionY(), 50);
    Key(split.get(), Qt::Key_Down);
    Key(split.get(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(split->PositionY(), 41);
    EXPECT_EQ(split->PositionX(), 60);
    // One change notice per key, as one per mouse release.
    EXPECT_EQ(changes.count(), 5);
    EXPECT_EQ(Pane(*split, 2)->geometry().topLeft(), QPoint(66, 47));
    // Keypad arrows count as arrows.
    Key(split.get(), Qt::Key_Left, Qt::KeypadModifier);
    EXPECT_EQ(split->PositionX(), 59);
}

TEST(SplitKeyboard, KeysStopWhereADragStops)
{
    // The bounds of a drag to far beyond either edge, with and without the first version's
    // rule that keeps the bars within the room for the panes.
    for (const ToxsOptions options : {ToxsOptions{}, ToxsOptions{oxsVer1Compat}}) {
        auto dragged = ShownSplit(506, 300, 2, oxsInset, options);
        const QPoint grab(dragged->PositionX() + 3, 60);
        test::Drag(dragged.get(), grab, QPoint(900, 60));
        const int farRight = dragged->PositionX();
        // After a drag the keys move the bar from where it was dropped.
        Key(dragged.get(), Qt::Key_Left);
        EXPECT_EQ(dragged->PositionX(), farRight - 1);
        // While the mouse holds a bar the keys leave it alone.
        test::Press(dragged.get(), QPoint(dragged->PositionX() + 3, 60));
        ASSERT_TRUE(dragged->Dragging());
        Key(dragged.get(), Qt::Key_Home);
        test::Release(dragged.get(), QPoint(dragged->PositionX() + 3, 60));
        EXPECT_EQ(dragged->PositionX(), farRight - 1);

        auto keyed = ShownSplit(506, 300, 2, oxsInset, options);
        QSignalSpy changes(keyed.get(), &ToxCustomSplit::OnChange);
        Key(keyed.get(), Qt::Key_End);
        EXPECT_EQ(keyed->PositionX(), farRight);
        EXPECT_EQ(keyed->MaxPositionX(), farRight);
        // At the end the key changes nothing but is still reported, as a click on the bar is.
        Key(keyed.get(), Qt::Key_Right, Qt::ControlModifier);
        EXPECT_EQ(keyed->PositionX(), farRight);
        EXPECT_EQ(changes.count(), 2);
        Key(keyed.get(), Qt::Key_Home);
        EXPECT_EQ(keyed->PositionX(), 0);
        Key(keyed.get(), Qt::Key_Left);
        EXPECT_EQ(keyed->PositionX(), 0);
    }
    EXPECT_EQ(ShownSplit(506, 300, 2, oxsInset, {})->MaxPositionX(), 506 - 6 - 1);
    EXPECT_EQ(ShownSplit(506, 300, 2, oxsInset, {oxsVer1Compat})->MaxPositionX(), 498);
}

TEST(SplitKeyboard, KeyMovesKeepThePercentagesForResizing)
{
    auto split = ShownSplit(506, 300, 2, oxsInset, {oxsHideInvisible, oxsSaveAsPercent});
    split->SetPositionX(100);
    for (int i = 0; i < 5; ++i)
        Key(split.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(split->PositionX(), 150);
    EXPECT_EQ(split->PercentX(), 30);  // 150 * 100 div 498
    split->resize(1006, 300);
    EXPECT_EQ(split->PositionX(), 998 * 30 / 100);
}

TEST(SplitKeyboard, HomeAndEndPickTheBarAndOtherKeysPassOn)
{
    auto both = ShownSplit(400, 300, 4, oxsInset, {});
    Key(both.get(), Qt::Key_End);
    EXPECT_EQ(both->PositionX(), 393);
    EXPECT_EQ(both->PositionY(), 50);
    Key(both.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(both->PositionY(), 293);
    Key(both.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(both->PositionY(), 0);
    EXPECT_EQ(both->PositionX(), 393);

    // A lone bar answers to Home and End with or without Ctrl; the other bar's keys pass on.
    auto stacked = ShownSplit(400, 300, 2, oxsInset, {});
    stacked->SetOrientation(oxsHorz);
    QSignalSpy changes(stacked.get(), &ToxCustomSplit::OnChange);
    Key(stacked.get(), Qt::Key_End);
    EXPECT_EQ(stacked->PositionY(), 293);
    Key(stacked.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(stacked->PositionY(), 0);
    EXPECT_EQ(changes.count(), 2);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Right, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier},
          std::pair{Qt::Key_Down, Qt::ShiftModifier}, std::pair{Qt::Key_A, Qt::NoModifier}}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(stacked.get(), &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    EXPECT_EQ(stacked->PositionY(), 0);
    EXPECT_EQ(stacked->PositionX(), 50);
    EXPECT_EQ(changes.count(), 2);

    // One pane has no bar to move.
    auto single = ShownSplit(400, 300, 1, oxsInset, {});
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(single.get(), &end);
    EXPECT_FALSE(end.isAccepted());
}

TEST(SplitKeyboard, TheSplitKeepsItsKeysFromTheWindowsShortcuts)
{
    TFocusWindow w(4);
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), &w.Window);
    QObject::connect(shortcut, &QShortcut::activated, [&fired] { ++fired; });
    ASSERT_EQ(w.TabFromBefore(), w.Split);
    Key(w.Split, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(w.Split->PositionY(), 293);
    // Elsewhere the shortcut works.
    w.Split->clearFocus();
    Key(&w.Window, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(fired, 1);
}

TEST(SplitKeyboard, FocusShowsAsADottedRectangleOverTheBar)
{
    TFocusWindow w(2);
    ToxSplit* split = w.Split;
    const QImage before = test::Grab(split);
    ASSERT_EQ(w.TabFromBefore(), split);
    const QImage focused = test::Grab(split);
    // The bar's area runs from x 51 to 56 (inset 1); the pane beyond it begins at 56.
    auto inverted = [&](int X, int Y) {
        return (focused.pixel(X, Y) & 0xFFFFFF) == (~before.pixel(X, Y) & 0xFFFFFF);
    };
    for (QPoint p : {QPoint(51, 101), QPoint(55, 101), QPoint(52, 0), QPoint(53, 299)})
        EXPECT_TRUE(inverted(p.x(), p.y())) << p.x() << "," << p.y();
    // Every other pixel only, and nothing inside the rectangle or beside the bar.
    for (QPoint p : {QPoint(51, 100), QPoint(55, 100), QPoint(53, 101), QPoint(53, 0),
                     QPoint(50, 101), QPoint(56, 100), QPoint(20, 20)})
        EXPECT_EQ(focused.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
    // It follows the bar and goes with the focus.
    Key(split, Qt::Key_Right, Qt::ControlModifier);
    const QImage moved = test::Grab(split);
    EXPECT_EQ(moved.pixel(61, 101) & 0xFFFFFF, ~before.pixel(51, 101) & 0xFFFFFF);
    QTest::keyClick(split, Qt::Key_Backtab);
    ASSERT_FALSE(split->hasFocus());
    EXPECT_EQ(test::Grab(split).pixel(61, 101), before.pixel(51, 101));
    EXPECT_EQ(test::Grab(split).pixel(61, 0), before.pixel(51, 0));
}

TEST(SplitAccessibility, TheSplitIsNamedAndHoldsItsPanesThenItsBars)
{
    auto split = ShownSplit(400, 300, 4, oxsInset, {});
    split->setObjectName(QStringLiteral("Split1"));
    Pane(*split, 0)->SetCaption("Obsah \xE8\xE1sti");  // Windows-1250
    Pane(*split, 3)->SetPaneIndex(0);
    QAccessibleInterface* iface = Accessible(split.get());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Splitter);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Split1"));
    split->setAccessibleName(QStringLiteral("Contents and pages"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Contents and pages"));

    // Panes in their order (the drag outline is no child), then both bars.
    ASSERT_EQ(iface->childCount(), 6);
    EXPECT_EQ(iface->child(0)->object(), Pane(*split, 3));
    EXPECT_EQ(iface->child(1)->object(), Pane(*split, 0));
    EXPECT_EQ(iface->child(1)->text(QAccessible::Name), QStringLiteral("Obsah části"));
    QAccessibleInterface* vertical = iface->child(4);
    QAccessibleInterface* horizontal = iface->child(5);
    EXPECT_EQ(vertical->text(QAccessible::Name), QStringLiteral("Vertical split bar"));
    EXPECT_EQ(horizontal->text(QAccessible::Name), QStringLiteral("Horizontal split bar"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(iface->indexOfChild(iface->child(i)), i);
        EXPECT_EQ(iface->child(i)->parent(), iface);
    }
    EXPECT_EQ(vertical->role(), QAccessible::Separator);
    EXPECT_EQ(vertical->text(QAccessible::Value), QStringLiteral("50"));
    EXPECT_EQ(vertical->rect(), QRect(split->mapToGlobal(QPoint(51, 0)), QSize(6, 300)));
    EXPECT_EQ(horizontal->rect(), QRect(split->mapToGlobal(QPoint(0, 51)), QSize(400, 6)));
    // Where the bar shows between the panes, it is what lies under the pointer.
    const QPoint gap = split->mapToGlobal(QPoint(53, 20));
    EXPECT_EQ(iface->childAt(gap.x(), gap.y()), vertical);
}

TEST(SplitAccessibility, BarsComeAndGoWithThePanes)
{
    auto split = ShownSplit(400, 300, 2);
    QAccessibleInterface* iface = Accessible(split.get());
    ASSERT_EQ(iface->childCount(), 3);
    EXPECT_EQ(iface->child(2)->text(QAccessible::Name), QStringLiteral("Vertical split bar"));
    split->SetOrientation(oxsHorz);
    ASSERT_EQ(iface->childCount(), 3);
    QAccessibleInterface* bar = iface->child(2);
    EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("Horizontal split bar"));
    Pane(*split, 1)->hide();
    EXPECT_EQ(iface->childCount(), 2);
    EXPECT_FALSE(bar->isValid());

    // The bars' interfaces go with the split.
    const QAccessible::Id id = QAccessible::uniqueId(bar);
    split.reset();
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST(SplitAccessibility, TheBarsValueIsItsPositionAndSettingItMovesTheBar)
{
    auto split = ShownSplit(400, 300, 4, oxsInset, {});
    QAccessibleInterface* iface = Accessible(split.get());
    QAccessibleInterface* vertical = NamedChild(iface, QStringLiteral("Vertical split bar"));
    QAccessibleInterface* horizontal = NamedChild(iface, QStringLiteral("Horizontal split bar"));
    ASSERT_NE(vertical, nullptr);
    ASSERT_NE(horizontal, nullptr);
    QAccessibleValueInterface* value = vertical->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 393);
    EXPECT_EQ(horizontal->valueInterface()->maximumValue().toInt(), 293);

    Key(split.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(value->currentValue().toInt(), 60);
    EXPECT_EQ(vertical->text(QAccessible::Value), QStringLiteral("60"));

    QSignalSpy changes(split.get(), &ToxCustomSplit::OnChange);
    value->setCurrentValue(120);
    EXPECT_EQ(split->PositionX(), 120);
    EXPECT_EQ(split->PositionY(), 50);
    EXPECT_EQ(changes.count(), 1);
    value->setCurrentValue(100000);
    EXPECT_EQ(split->PositionX(), 393);
    horizontal->valueInterface()->setCurrentValue(-5);
    EXPECT_EQ(split->PositionY(), 0);
    EXPECT_EQ(split->PositionX(), 393);
    EXPECT_EQ(changes.count(), 3);

    EXPECT_TRUE(vertical->state().movable);
    EXPECT_TRUE(iface->state().focusable);
    split->SetLocked(true);
    EXPECT_TRUE(vertical->state().readOnly);
    EXPECT_FALSE(vertical->state().movable);
    EXPECT_FALSE(iface->state().focusable);
    value->setCurrentValue(10);
    EXPECT_EQ(split->PositionX(), 393);
    EXPECT_EQ(changes.count(), 3);
}

}  // namespace
}  // namespace tavo::split
