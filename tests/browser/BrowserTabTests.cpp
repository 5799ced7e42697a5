// The "Internet" tab's logic against a browser control that records what the shell asks
// of it and announces navigations when told to, as the platform's control does.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "BrowserTestSupport.h"
#include "QtTestHelpers.h"

using namespace tavo;
using tavo::test::BrowserFactoryScope;
using tavo::test::ShellOnInternet;

namespace {

const QString Home = QStringLiteral("www.distribution.example.org");
const QString Maker = QStringLiteral("www.tervik.example.com");

class FakeBrowser : public platform::TWebBrowserControl {
public:
    FakeBrowser(QWidget* Parent, std::shared_ptr<QStringList> Log)
        : View(new QWidget(Parent)), Calls(std::move(Log))
    {
    }
    ~FakeBrowser() override { delete View; }
    QWidget* Widget() override { return View; }
    void Navigate(const QString& Address) override
    {
        *Calls << "Navigate " + Address;
        // The platform's control announces a navigation before it starts it.
        if (Announce && OnBeforeNavigate2)
            OnBeforeNavigate2(Address);
    }
    void Stop() override { *Calls << "Stop"; }
    void Refresh() override { *Calls << "Refresh"; }
    void GoSearch() override { *Calls << "GoSearch"; }

    QPointer<QWidget> View;
    std::shared_ptr<QStringList> Calls;
    bool Announce = true;
};

// Records the key presses its objects see, as their key sequences.
class RecordKeys : public QObject {
public:
    explicit RecordKeys(QStringList* Seen) : FSeen(Seen) {}
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(Event);
            if (!key->isAutoRepeat() &&
                !QList<int>{Qt::Key_Alt, Qt::Key_Control}.contains(key->key()))
                *FSeen << QKeySequence(key->keyCombination()).toString();
        }
        return false;
    }

private:
    QStringList* FSeen;
};

class BrowserTab : public ::testing::Test {
protected:
    // Announce: whether the control announces the shell's own navigations.
    void Start(bool Announce = true)
    {
        AnnounceNavigations = Announce;
        Shell = std::make_unique<ShellOnInternet>();
        ASSERT_NE(Control, nullptr);
    }
    void Announce(const QString& Address) { Control->OnBeforeNavigate2(Address); }
    QComboBox* Combo() const { return Shell->Find<QComboBox>("dxAddressCombo"); }
    QStringList List() const
    {
        QStringList items;
        for (int i = 0; i < Combo()->count(); ++i)
            items << Combo()->itemText(i);
        return items;
    }
    bool Enabled(const char* Button) const { return Shell->Find<QToolButton>(Button)->isEnabled(); }

    std::shared_ptr<QStringList> Calls = std::make_shared<QStringList>();
    FakeBrowser* Control = nullptr;
    bool AnnounceNavigations = true;
    BrowserFactoryScope Factory{[this](QWidget* parent) {
        auto control = std::make_unique<FakeBrowser>(parent, Calls);
        control->Announce = AnnounceNavigations;
        Control = control.get();
        return control;
    }};
    std::unique_ptr<ShellOnInternet> Shell;
};

TEST_F(BrowserTab, FirstVisitLoadsTheHomePageAndFillsTheAddressList)
{
    Start();
    EXPECT_EQ(*Calls, QStringList{"Navigate " + Home});
    EXPECT_EQ(Combo()->currentText(), Home);
    EXPECT_EQ(List(), (QStringList{Home, Maker}));
    EXPECT_EQ(Shell->Tab()->History(), QStringList{Home});
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 0);
    EXPECT_FALSE(Enabled("dxBackBtn"));
    EXPECT_FALSE(Enabled("dxForwardBtn"));
    EXPECT_TRUE(Shell->MenuEntries("BackPopupMenu").isEmpty());
    EXPECT_TRUE(Shell->MenuEntries("ForwardPopupMenu").isEmpty());
    EXPECT_TRUE(Shell->Main()->Bar(0)->isVisible());
    EXPECT_TRUE(Control->View->isVisible());

    // Later visits create nothing and navigate nowhere.
    Shell->SelectTab(0);
    Shell->SelectTab(1);
    EXPECT_EQ(Calls->size(), 1);
}

TEST_F(BrowserTab, StopAndRefreshWaitForTheFirstAnnouncedPage)
{
    Start(false);
    Shell->Click("dxStopBtn");
    Shell->Click("dxRefreshBtn");
    Shell->Press(Qt::Key_Escape);
    Shell->Press(Qt::Key_F5);
    EXPECT_EQ(*Calls, QStringList{"Navigate " + Home});
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), -1);
    EXPECT_EQ(Combo()->currentText(), "");  // nothing announced yet

    Announce(Home);
    Shell->Click("dxStopBtn");
    Shell->Click("dxRefreshBtn");
    Shell->Press(Qt::Key_Escape);
    Shell->Press(Qt::Key_F5);
    EXPECT_EQ(*Calls, (QStringList{"Navigate " + Home, "Stop", "Refresh", "Stop", "Refresh"}));
}

TEST_F(BrowserTab, ProgressEndsAsTheControlReportsItAndDrawsAnEmptyBar)
{
    Start();
    auto* bar = Shell->Find<QProgressBar>("ProgressBar");
    QImage empty = bar->grab().toImage();  // range 0..100 at 0

    Control->OnProgressChange(40, 100);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 40);
    Control->OnProgressChange(-1, 0);
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), -1);
    Control->OnDocumentComplete();
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    // An empty range must not turn into the style's endless busy animation.
    EXPECT_EQ(bar->grab().toImage(), empty);
}

TEST_F(BrowserTab, StatusLineShowsTheControlsTextAsItIs)
{
    Start();
    auto* label = Shell->Find<QLabel>("AdressLabel");
    int width = Shell->Main()->minimumSizeHint().width();
    QString text = "<b>not bold</b> http://127.0.0.1/" + QString(400, u'x');
    Control->OnStatusTextChange(text);
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    // A long address under the mouse does not widen the window.
    EXPECT_EQ(Shell->Main()->minimumSizeHint().width(), width);
    Control->OnTitleChange();  // the shell shows no titles; nothing changes
    EXPECT_EQ(label->text(), text);
}

TEST_F(BrowserTab, EnterNavigatesAndListsTheTypedAddressUnlessItIsBlank)
{
    Start(false);
    Calls->clear();
    Shell->EnterAddress("   ");
    EXPECT_EQ(List(), (QStringList{Home, Maker}));
    EXPECT_EQ(Shell->Tab()->Address(), "   ");

    Calls->clear();
    Shell->EnterAddress("127.0.0.1/b");
    // The text is applied first, then the key restarts the same navigation.
    EXPECT_EQ(*Calls, (QStringList{"Navigate 127.0.0.1/b", "Navigate 127.0.0.1/b"}));
    EXPECT_EQ(List(), (QStringList{"127.0.0.1/b", Home, Maker}));
    EXPECT_EQ(Combo()->currentText(), "127.0.0.1/b");

    // The list keeps repeats; it is never trimmed.
    Shell->EnterAddress("127.0.0.1/b");
    EXPECT_EQ(List(), (QStringList{"127.0.0.1/b", "127.0.0.1/b", Home, Maker}));
}

TEST_F(BrowserTab, ChoosingFromTheListNavigatesThere)
{
    Start();
    Calls->clear();
    Shell->ChooseFromList(1);
    EXPECT_EQ(*Calls, QStringList{"Navigate " + Maker});
    EXPECT_EQ(Shell->Tab()->Address(), Maker);
    EXPECT_EQ(Combo()->currentText(), Maker);
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 1);
}

TEST_F(BrowserTab, CommandButtonsNavigateToTheirPages)
{
    Start(false);
    Calls->clear();
    Shell->Click("dxBarButtonKalmeno");
    Shell->Click("dxHomeBtn");
    Shell->Click("dxBarButtonKalmeno");
    Shell->Click("dxBarButtonMallon");
    Shell->Click("dxSearchBtn");
    EXPECT_EQ(*Calls, (QStringList{"Navigate " + Maker, "Navigate " + Home, "Navigate " + Maker,
                                   "Navigate " + Home, "GoSearch"}));
}

TEST_F(BrowserTab, HistoryFollowsEveryAnnouncedAddress)
{
    Start();
    auto backMenu = [this] { return Shell->MenuEntries("BackPopupMenu"); };
    auto forwardMenu = [this] { return Shell->MenuEntries("ForwardPopupMenu"); };
    const QString B = "http://127.0.0.1/b", C = "http://127.0.0.1/c", D = "http://127.0.0.1/d";

    Shell->EnterAddress(B);
    Shell->EnterAddress(C);
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 2);
    EXPECT_TRUE(Enabled("dxBackBtn"));
    EXPECT_FALSE(Enabled("dxForwardBtn"));
    EXPECT_EQ(backMenu(), (QStringList{B, Home}));
    EXPECT_TRUE(forwardMenu().isEmpty());

    Calls->clear();
    Shell->Click("dxBackBtn");
    EXPECT_EQ(*Calls, QStringList{"Navigate " + B});
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 1);
    EXPECT_TRUE(Enabled("dxForwardBtn"));
    EXPECT_EQ(forwardMenu(), QStringList{C});
    EXPECT_EQ(backMenu(), QStringList{Home});

    // A link in B: nothing is cut, D goes to the end.
    Announce(D);
    EXPECT_EQ(Shell->Tab()->History(), (QStringList{Home, B, C, D}));
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 3);
    EXPECT_FALSE(Enabled("dxForwardBtn"));
    EXPECT_EQ(backMenu(), (QStringList{C, B, Home}));
    EXPECT_EQ(Combo()->currentText(), D);

    Calls->clear();
    Shell->ChooseFromMenu("BackPopupMenu", C);
    EXPECT_EQ(*Calls, QStringList{"Navigate " + C});
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 2);
    EXPECT_EQ(forwardMenu(), QStringList{D});

    Shell->EnterAddress("HTTP://127.0.0.1/B");
    EXPECT_EQ(Shell->Tab()->History().size(), 4);
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 1);
    EXPECT_EQ(Combo()->currentText(), "HTTP://127.0.0.1/B");
    EXPECT_EQ(forwardMenu(), (QStringList{C, D}));

    Calls->clear();
    Shell->Click("dxForwardBtn");
    EXPECT_EQ(*Calls, QStringList{"Navigate " + C});

    // A frameset: its page and both frames are announced; the last frame is current.
    Announce("http://127.0.0.1/frames");
    Announce("http://127.0.0.1/f1");
    Announce("http://127.0.0.1/f2");
    EXPECT_EQ(
        Shell->Tab()->History().mid(4),
        (QStringList{"http://127.0.0.1/frames", "http://127.0.0.1/f1", "http://127.0.0.1/f2"}));
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), 6);
    EXPECT_EQ(Combo()->currentText(), "http://127.0.0.1/f2");
    EXPECT_EQ(backMenu().first(), "http://127.0.0.1/f1");
    EXPECT_EQ(backMenu().last(), Home);
}

TEST_F(BrowserTab, AnEmptyAnnouncementStandsForTheRequestedAddress)
{
    Start(false);
    Announce("");  // the shell asked for the home page
    EXPECT_EQ(Shell->Tab()->History(), QStringList{Home});

    // After the release there is no history: a late notification is not noted.
    Shell->Tab()->Release();
    Shell->Tab()->BrowserBeforeNavigate("http://127.0.0.1/late");
    EXPECT_TRUE(Shell->Tab()->History().isEmpty());
}

TEST_F(BrowserTab, AnEmptyAnnouncementWithNothingRequestedChangesNothing)
{
    Start(false);
    Shell->EnterAddress("");
    Announce("");
    EXPECT_TRUE(Shell->Tab()->History().isEmpty());
    EXPECT_EQ(Shell->Tab()->HistoryIndex(), -1);
}

TEST_F(BrowserTab, MenuEntriesNavigateToTheWholeAddress)
{
    Start();
    const QString query = "http://127.0.0.1/find?a=1&b=2";
    Announce(query);
    Announce("http://127.0.0.1/next");
    QAction* entry = Shell->Find<QMenu>("BackPopupMenu")->actions().first();
    EXPECT_EQ(entry->iconText(), query);  // shown as it is, not as an accelerator
    Calls->clear();
    Shell->ChooseFromMenu("BackPopupMenu", entry->text());
    EXPECT_EQ(*Calls, QStringList{"Navigate " + query});
}

TEST_F(BrowserTab, KeysWorkOnlyWhileTheToolbarsShow)
{
    Start();
    Announce("http://127.0.0.1/b");
    Shell->Click("dxBackBtn");
    Calls->clear();
    Shell->Press(Qt::Key_Right, Qt::AltModifier);
    Shell->Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(*Calls, (QStringList{"Navigate http://127.0.0.1/b", "Navigate " + Home}));

    Shell->Press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(Combo()->hasFocus());
    EXPECT_EQ(Combo()->lineEdit()->selectedText(), Home);

    // At the first entry there is no way back, so the key does nothing.
    Calls->clear();
    Shell->Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(Calls->isEmpty());

    // Leaving the box with the home page's text in it is no choice from its list.
    Shell->SelectTab(0);
    Shell->Press(Qt::Key_Right, Qt::AltModifier);
    Shell->Press(Qt::Key_F5);
    Shell->Press(Qt::Key_Escape);
    EXPECT_TRUE(Calls->isEmpty()) << Calls->join(", ").toStdString();
}

TEST_F(BrowserTab, KeysTypedInThePageAreThePagesFirst)
{
    // The control's page leaves every key unhandled, as a page without handlers does: the
    // key then passes to the panel the control sits in. What the page saw is recorded, its
    // text field's keys included.
    Start();
    QStringList seen;
    RecordKeys recorder(&seen);
    Control->View->setFocusPolicy(Qt::StrongFocus);
    Control->View->installEventFilter(&recorder);
    auto* field = new QLineEdit(Control->View);
    field->show();
    Announce("http://127.0.0.1/b");

    // Escape stops only a page that is loading, and then before the page sees it.
    Control->View->setFocus();
    Calls->clear();
    Shell->Press(Qt::Key_Escape);
    EXPECT_TRUE(Calls->isEmpty());
    EXPECT_EQ(seen, QStringList{"Esc"});
    Control->OnProgressChange(0, 100);
    Shell->Press(Qt::Key_Escape);
    EXPECT_EQ(*Calls, QStringList{"Stop"});
    EXPECT_EQ(seen, QStringList{"Esc"});
    Control->OnProgressChange(-1, 0);
    Control->OnDocumentComplete();
    Shell->Press(Qt::Key_Escape);
    EXPECT_EQ(*Calls, QStringList{"Stop"});

    // In the address box and on the toolbar the keys are the browser's at once.
    Combo()->setFocus();
    Shell->Press(Qt::Key_Escape);
    Shell->Find<QToolButton>("dxHomeBtn")->setFocus();
    Shell->Press(Qt::Key_Escape);
    EXPECT_EQ(*Calls, (QStringList{"Stop", "Stop", "Stop"}));

    // Back from the page, after the page had it; not in the page's text field.
    Calls->clear();
    seen.clear();
    field->setFocus();
    Shell->Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_TRUE(Calls->isEmpty());
    Control->View->setFocus();
    Shell->Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(*Calls, QStringList{"Navigate " + Home});
    EXPECT_EQ(seen, (QStringList{"Alt+Left", "Alt+Left"}));
    Shell->Press(Qt::Key_F5);
    Shell->Press(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Calls->last(), "Refresh");
    EXPECT_TRUE(Combo()->hasFocus());
}

TEST_F(BrowserTab, ClosingTheWindowStopsTheBrowser)
{
    Start();
    Shell->Shell.reset();
    EXPECT_EQ(Calls->last(), "Stop");
}

TEST_F(BrowserTab, ClosingWhileAnAddressIsTypedEndsCleanly)
{
    // The address box is destroyed before its editor, which still has events then; the
    // tab's key handling may not ask the half-destroyed box for anything (the sanitizers'
    // soak found it doing so).
    Start();
    QLineEdit* edit = Combo()->lineEdit();
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    Shell->Press(Qt::Key_A);
    Shell->Press(Qt::Key_Period);
    EXPECT_TRUE(Combo()->currentText().contains("a.")) << Combo()->currentText().toStdString();
    QPointer<QLineEdit> watched = edit;
    Shell->Shell.reset();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(Calls->last(), "Stop");
}

TEST_F(BrowserTab, ToolbarItemsAreNamedSizedAndReachable)
{
    Start();
    struct Item {
        const char* Name;
        const char* Caption;
        int Width;
    };
    for (const Item& i : {Item{"dxBackBtn", "Back", 50}, Item{"dxForwardBtn", "Forward", 50},
                          Item{"dxStopBtn", "Stop", 70}, Item{"dxRefreshBtn", "Refresh", 60},
                          Item{"dxHomeBtn", "Home", 50}, Item{"dxSearchBtn", "Search", 50}}) {
        auto* b = Shell->Find<QToolButton>(i.Name);
        ASSERT_NE(b, nullptr) << i.Name;
        EXPECT_EQ(b->text(), i.Caption);
        EXPECT_EQ(b->toolTip(), i.Caption);
        EXPECT_GE(b->width(), i.Width) << i.Name;
        EXPECT_LT(b->width(), i.Width + 20) << i.Name;
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name), i.Caption);
    }
    // Each command button shows its action, which carries the platform's standard keys, so
    // that a key never does what its button cannot.
    for (const auto& [button, key] : {std::pair{"dxBackBtn", QKeySequence::Back},
                                      std::pair{"dxForwardBtn", QKeySequence::Forward},
                                      std::pair{"dxRefreshBtn", QKeySequence::Refresh},
                                      std::pair{"dxStopBtn", QKeySequence::Cancel}}) {
        QAction* command = Shell->Find<QToolButton>(button)->defaultAction();
        ASSERT_NE(command, nullptr) << button;
        EXPECT_EQ(command->shortcuts(), QKeySequence::keyBindings(key)) << button;
    }
    EXPECT_EQ(Shell->Find<QToolButton>("dxBackBtn")->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(Shell->Find<QToolButton>("dxBackBtn")->menu(), Shell->Find<QMenu>("BackPopupMenu"));
    EXPECT_EQ(Shell->Find<QToolButton>("dxForwardBtn")->menu(),
              Shell->Find<QMenu>("ForwardPopupMenu"));
    EXPECT_EQ(Combo()->width(), 251);
    EXPECT_TRUE(Combo()->isEditable());
    EXPECT_EQ(Shell->Find<QLabel>("dxAdressText")->text(), "Address");
    EXPECT_EQ(Shell->Find<QLabel>("dxBarStatic1")->text(), "Web Pages:");
    auto* tavo = Shell->Find<QToolButton>("dxBarButtonMallon");
    EXPECT_EQ(tavo->text(), "Tavo");
    EXPECT_EQ(tavo->toolTip(), "Web page of the Tavo company");
    EXPECT_FALSE(tavo->icon().isNull());
    EXPECT_EQ(Shell->Find<QToolButton>("dxBarButtonKalmeno")->text(), "Kalmeno");
}

}  // namespace
