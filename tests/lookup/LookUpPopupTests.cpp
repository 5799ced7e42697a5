// Popup lists: their layout on the screen, placement near every edge, keys and clicks while
// they are open, the close rules, the "Edit" cell and the popup sound.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "lookup/LookUpCtrls.h"

namespace tavo::lookup {
namespace {

const QRect Screen(0, 0, 1024, 768);

// Every popup test: a fixed 1024 x 768 work area, sounds recorded instead of played, and
// no popup left over.
class Popup : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCustomLookUpList::SetWorkAreaOverride(Screen);
        FSound = SetPopupSoundPlayer([this](const char* Event) { Sounds.emplace_back(Event); });
        for (int i = 0; i < 30; ++i)
            LookUp.Items().Add("Item " + std::to_string(i), "ID" + std::to_string(i), i);
        LookUp.SetDisplayStyle(dsCaption);
        // Rows 20 pixels high and 60 wide, whatever the font.
        LookUp.OnMeasureItem = [](QWidget*, QPainter&, TDisplayStyle, int32_t, int32_t& W,
                                  int32_t& H, int32_t&) {
            W = 60;
            H = 20;
        };
    }
    void TearDown() override
    {
        if (TCustomLookUpList* popup = TCustomLookUpList::CurrentPopupList())
            popup->ClosePopup();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetPopupSoundPlayer(FSound);
        TCustomLookUpList::SetWorkAreaOverride(std::nullopt);
    }

    TCustomLookUpList* OpenAt(const QRect& Anchor)
    {
        LookUp.PopupAt(Anchor.x(), Anchor.y(), Anchor.width(), Anchor.height(), rsCaption,
                       [this](QObject*, const std::string& Text) { Sent.push_back(Text); });
        return TCustomLookUpList::CurrentPopupList();
    }
    static bool IsOpen(const QPointer<TCustomLookUpList>& List)
    {
        return List && !List->Closing() && List->isVisible();
    }
    static void Key(Qt::Key Key)
    {
        // Where the keys go while a popup is open does not matter: they all reach it.
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                    : TCustomLookUpList::CurrentPopupList(),
                        Key);
    }

    TLookUp LookUp;
    std::vector<std::string> Sent;
    std::vector<std::string> Sounds;

private:
    TSoundPlayer FSound;
};

TEST_F(Popup, ThirtyItemsOnA768PixelScreen)
{
    TCustomLookUpList* list = OpenAt(QRect(100, 448, 50, 20));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ItemHeight(), 20);
    // Room below 768 - 468 - 4 = 296: 14 rows give 3 columns, which need 10 rows.
    EXPECT_EQ(list->ColCount(), 3);
    EXPECT_EQ(list->RowCount(), 10);
    EXPECT_EQ(list->size(), QSize(3 * 60 + 5, 10 * 20 + 6));
    EXPECT_EQ(list->pos(), QPoint(100, 468));
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->isWindow());
    EXPECT_TRUE(list->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Sounds, std::vector<std::string>{"menu-popup"});

    // A wide anchor widens the cells to fill it.
    list->ClosePopup();
    TCustomLookUpList* wide = OpenAt(QRect(100, 448, 305, 20));
    EXPECT_EQ(wide->ItemWidth(), (305 - 5) / 3);
    EXPECT_EQ(wide->width(), 3 * 100 + 5);
}

TEST_F(Popup, LittleRoomBelowGoesAbove)
{
    // 30 rows of 20 would need many columns in the 60 pixels below; above there is room.
    TCustomLookUpList* list = OpenAt(QRect(300, 700, 80, 4));
    EXPECT_EQ(list->RowCount() * list->ColCount() >= 30, true);
    EXPECT_LE(list->ColCount(), 2);
    EXPECT_EQ(list->geometry().bottom() + 1, 700) << "ends at the anchor's top";
}

TEST_F(Popup, StaysOnTheScreenNearEveryEdge)
{
    for (const QRect& area : {Screen, QRect(200, 40, 800, 600)}) {
        TCustomLookUpList::SetWorkAreaOverride(area);
        const int l = area.left(), t = area.top(), r = area.right(), b = area.bottom();
        const QRect anchors[] = {{l, t, 40, 18},
                                 {r - 39, t, 40, 18},
                                 {l, b - 17, 40, 18},
                                 {r - 39, b - 17, 40, 18},
                                 {area.center().x(), t, 40, 18},
                                 {area.center().x(), b - 17, 40, 18},
                                 {l, area.center().y(), 40, 18},
                                 {r - 39, area.center().y(), 40, 18},
                                 {r - 5, b - 5, 40, 40}};
        for (const QRect& anchor : anchors) {
            TCustomLookUpList* list = OpenAt(anchor);
            ASSERT_NE(list, nullptr);
            EXPECT_TRUE(area.contains(list->geometry()))
                << "anchor " << anchor.x() << "," << anchor.y() << " area " << l;
        }
    }
}

TEST_F(Popup, UnderItsOwnerNearEveryEdge)
{
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    auto* owner = new QPushButton(QStringLiteral("Types"), &window);
    owner->setGeometry(0, 0, 120, 24);
    window.resize(120, 24);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    struct TCase {
        QPoint At;
        const char* Where;
    } cases[] = {{{300, 100}, "middle"},    {{0, 0}, "top left"},         {{904, 0}, "top right"},
                 {{0, 744}, "bottom left"}, {{904, 744}, "bottom right"}, {{450, 744}, "bottom"}};
    for (const TCase& c : cases) {
        window.move(c.At);
        QCoreApplication::processEvents();
        const QRect ownerRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        LookUp.PopupUnder(owner, rsCaption, {});
        TCustomLookUpList* list = TCustomLookUpList::CurrentPopupList();
        ASSERT_NE(list, nullptr) << c.Where;
        const QRect placed = list->geometry();
        EXPECT_TRUE(Screen.contains(placed)) << c.Where;
        EXPECT_EQ(list->parent(), owner);
        if (ownerRect.bottom() + placed.height() < Screen.bottom()) {
            EXPECT_EQ(placed.top(), ownerRect.bottom() + 1) << c.Where << ": right under it";
        } else if (ownerRect.top() - placed.height() >= 0) {
            EXPECT_EQ(placed.bottom() + 1, ownerRect.top()) << c.Where << ": right above it";
        }
        list->ClosePopup();
    }

    // With room to spare the cells fill the owner's width, and the list lines up with it.
    TLookUp few;
    few.Items().Add("A", "", 1);
    few.SetDisplayStyle(dsCaption);
    window.resize(400, 24);
    owner->resize(400, 24);
    window.move(100, 100);
    QCoreApplication::processEvents();
    few.PopupUnder(owner, rsCaption, {});
    TCustomLookUpList* list = TCustomLookUpList::CurrentPopupList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->width(), 400) << "the cells fill the owner's width";
    EXPECT_EQ(list->pos(), owner->mapToGlobal(QPoint(0, 24)));

    // Its owner's window moving leaves it behind: it closes.
    QPointer<TCustomLookUpList> moved = list;
    window.move(120, 100);
    EXPECT_FALSE(IsOpen(moved));
    few.PopupUnder(owner, rsCaption, {});
    list = TCustomLookUpList::CurrentPopupList();
    ASSERT_NE(list, nullptr);

    // The popup goes with its owner.
    QPointer<TCustomLookUpList> guard = list;
    delete owner;
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(TCustomLookUpList::CurrentPopupList(), nullptr);
}

TEST_F(Popup, KeysMoveTheHotCellAcrossColumnsAndEnterChooses)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QPointer<TCustomLookUpList> list = OpenAt(QRect(100, 448, 50, 20));
    ASSERT_EQ(list->RowCount(), 10);
    EXPECT_EQ(list->HotIndex(), -1);
    Key(Qt::Key_Down);
    EXPECT_EQ(list->HotIndex(), 0);
    Key(Qt::Key_Up);
    EXPECT_EQ(list->HotIndex(), 0) << "Up on the first item stays";
    Key(Qt::Key_Right);
    EXPECT_EQ(list->HotIndex(), 10) << "the next column";
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(list->HotIndex(), 29) << "Right in the last column goes to the last item";
    Key(Qt::Key_Tab);
    EXPECT_EQ(list->HotIndex(), 0) << "Tab after the last item goes to the first";
    Key(Qt::Key_Left);
    EXPECT_EQ(list->HotIndex(), 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    // Letters, digits, function keys and modifiers alone are not the popup's to act on.
    for (Qt::Key key : {Qt::Key_A, Qt::Key_7, Qt::Key_F5, Qt::Key_Shift})
        Key(key);
    EXPECT_TRUE(IsOpen(list));
    EXPECT_TRUE(edit->text().isEmpty()) << "the keys went to the popup only";
    Key(Qt::Key_Return);
    EXPECT_EQ(Sent, std::vector<std::string>{"Item 2"});
    EXPECT_FALSE(IsOpen(list));
    EXPECT_EQ(TCustomLookUpList::CurrentPopupList(), nullptr);

    // With the popup gone the keys reach the window again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(edit->text(), QStringLiteral("b"));
}

TEST_F(Popup, DisabledItemsAreNotChosen)
{
    LookUp.Items()[0].SetEnabled(false);
    QPointer<TCustomLookUpList> list = OpenAt(QRect(100, 448, 50, 20));
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_TRUE(Sent.empty());
    EXPECT_TRUE(IsOpen(list)) << "Enter on a disabled item is only consumed";
    const QPoint cell =
        list->ItemRect(0).ToQRect().translated(list->ClientRect().topLeft()).center();
    QTest::mouseClick(list, Qt::LeftButton, {}, cell);
    EXPECT_TRUE(Sent.empty());
    EXPECT_TRUE(IsOpen(list));
    const QPoint next =
        list->ItemRect(1).ToQRect().translated(list->ClientRect().topLeft()).center();
    QTest::mouseClick(list, Qt::LeftButton, {}, next);
    EXPECT_EQ(Sent, std::vector<std::string>{"Item 1"});
    EXPECT_FALSE(IsOpen(list));
}

TEST_F(Popup, EscapeAndOutsideClicksCloseWithoutChoosing)
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Elsewhere"), &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QPointer<TCustomLookUpList> list = OpenAt(QRect(100, 448, 50, 20));
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(IsOpen(list));
    EXPECT_TRUE(Sent.empty());

    list = OpenAt(QRect(100, 448, 50, 20));
    Key(Qt::Key_Down);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(IsOpen(list));
    EXPECT_TRUE(Sent.empty());
    EXPECT_EQ(clicks, 1) << "the click goes on to what it was meant for";

    // A right click on the popup itself closes it too.
    list = OpenAt(QRect(100, 448, 50, 20));
    QTest::mousePress(list, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_FALSE(IsOpen(list));
    EXPECT_TRUE(Sent.empty());
}

TEST_F(Popup, DeactivationAndFocusLossClose)
{
    QPointer<TCustomLookUpList> list = OpenAt(QRect(100, 448, 50, 20));
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(IsOpen(list));

    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    second->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    list = OpenAt(QRect(100, 448, 50, 20));
    QEvent windowDeactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &windowDeactivate);
    EXPECT_FALSE(IsOpen(list));

    if (QApplication::activeWindow() != &window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    first->setFocus();
    list = OpenAt(QRect(100, 448, 50, 20));
    ASSERT_TRUE(IsOpen(list));
    second->setFocus();
    EXPECT_FALSE(IsOpen(list));
    EXPECT_TRUE(Sent.empty());
}

TEST_F(Popup, AnotherWindowOfTheProgramBecomingActiveCloses)
{
    // The offscreen platform activates a popup when it shows, as some window systems do.
    QWidget owner;
    auto* edit = new QLineEdit(&owner);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    edit->setFocus();
    QPointer<TCustomLookUpList> list = OpenAt(QRect(100, 448, 50, 20));
    ASSERT_TRUE(IsOpen(list));
    if (!QTest::qWaitForWindowActive(list.data(), 2000))
        GTEST_SKIP() << "this platform does not activate popups";
    ASSERT_TRUE(IsOpen(list)) << "its own activation closes nothing";

    // A window with nothing to take the focus: no focus change tells the popup anything.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Other"));
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(IsOpen(list));
    EXPECT_TRUE(Sent.empty());
}

TEST_F(Popup, ANewPopupReplacesTheOpenOne)
{
    QPointer<TCustomLookUpList> first = OpenAt(QRect(100, 448, 50, 20));
    TLookUp other;
    other.Items().Add("Other", "", 1);
    other.PopupAt(500, 100, 40, 20, rsCaption, {});
    TCustomLookUpList* second = TCustomLookUpList::CurrentPopupList();
    EXPECT_NE(second, first.data());
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(Sounds.size(), 2u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    // The keys now move the new one.
    Key(Qt::Key_Down);
    EXPECT_EQ(second->HotIndex(), 0);
}

TEST_F(Popup, EditCellAsksTheLookUpToEditItsItems)
{
    QWidget window;
    auto* owner = new QPushButton(QStringLiteral("Types"), &window);
    owner->setToolTip(QStringLiteral("Types|The document types"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    LookUp.SetAddEditItem(true);
    std::vector<QObject*> senders;
    LookUp.OnEditItems = [&senders](QObject* Sender, const TSetTextEvent& OnSetText) {
        senders.push_back(Sender);
        OnSetText(nullptr, "Item 31");
    };
    LookUp.PopupUnder(owner, rsCaption,
                      [this](QObject*, const std::string& Text) { Sent.push_back(Text); });
    QPointer<TCustomLookUpList> list = TCustomLookUpList::CurrentPopupList();
    ASSERT_EQ(list->CellCount(), 31);
    EXPECT_EQ(list->GetItemCaption(30), "Edit");
    EXPECT_EQ(list->GetItemHint(30), "Edit|Adds or deletes the items from the list.");
    Key(Qt::Key_Tab);
    for (int i = 0; i < 30; ++i)
        Key(Qt::Key_Tab);
    ASSERT_EQ(list->HotIndex(), 30);
    Key(Qt::Key_Return);
    EXPECT_EQ(senders, std::vector<QObject*>{owner});
    EXPECT_EQ(Sent, std::vector<std::string>{"Item 31"});
}

TEST_F(Popup, OtherColourRowAsksForAColour)
{
    TColorLookUp colours;
    colours.SetRGBColors(true);
    bool asked = false;
    bool hiddenWhileAsked = false;
    colours.OnEditItems = [&](QObject*, const TSetTextEvent&) {
        asked = true;
        TCustomLookUpList* popup = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<TCustomLookUpList*>(w); l && !l->Closing())
                popup = l;
        hiddenWhileAsked = popup && !popup->isVisible();
        EXPECT_EQ(TCustomLookUpList::CurrentPopupList(), nullptr) << "suspended meanwhile";
    };
    colours.PopupAt(100, 100, 40, 20, rsCaption,
                    [this](QObject*, const std::string& Text) { Sent.push_back(Text); });
    QPointer<TCustomLookUpList> list = TCustomLookUpList::CurrentPopupList();
    ASSERT_EQ(list->CellCount(), 17);
    EXPECT_EQ(list->GetItemCaption(16), "Non-standard");
    list->SetHotIndex(16);
    Key(Qt::Key_Return);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(hiddenWhileAsked);
    EXPECT_TRUE(Sent.empty());
    EXPECT_FALSE(IsOpen(list));
}

TEST_F(Popup, HintsOnlyForStylesWithoutCaptions)
{
    TCustomLookUpList* list = OpenAt(QRect(100, 448, 50, 20));
    EXPECT_FALSE(list->ShowHint());
    LookUp.SetDisplayStyle(dsGlyph);
    list = OpenAt(QRect(100, 448, 50, 20));
    EXPECT_TRUE(list->ShowHint());
}

TEST_F(Popup, ScreenReadersSeeTheCells)
{
    LookUp.SetCaption("Types");
    TCustomLookUpList* list = OpenAt(QRect(100, 448, 50, 20));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::List);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Types"));
    ASSERT_EQ(face->childCount(), 30);
    EXPECT_EQ(face->child(12)->role(), QAccessible::ListItem);
    EXPECT_EQ(face->child(12)->text(QAccessible::Name), QStringLiteral("Item 12"));
    Key(Qt::Key_Down);
    EXPECT_TRUE(face->child(0)->state().focused);
}

TEST_F(Popup, TheLookUpGoingClosesItsPopup)
{
    auto lookup = std::make_unique<TLookUp>();
    lookup->Items().Add("Only", "", 1);
    lookup->PopupAt(100, 100, 40, 20, rsCaption, {});
    QPointer<TCustomLookUpList> list = TCustomLookUpList::CurrentPopupList();
    ASSERT_TRUE(IsOpen(list));
    lookup.reset();
    EXPECT_FALSE(IsOpen(list));
}

}  // namespace
}  // namespace tavo::lookup
