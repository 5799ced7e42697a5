// The tab's two toolbars and its keyboard commands.
#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "BrowserTab.h"
#include "tools/MessageBoxes.h"

namespace tavo::browser {

namespace {

QIcon BrowserIcon(const char* Name)
{
    return QIcon(QStringLiteral(":/icons/browser-%1.svg").arg(QLatin1String(Name)));
}

QToolButton* LargeButton(QToolBar* Bar, const char* Name, const QString& Caption, const char* Icon,
                         int Width, QMenu* Menu = nullptr)
{
    auto* b = new QToolButton(Bar);
    b->setObjectName(QLatin1String(Name));
    b->setText(Caption);
    b->setToolTip(Caption);
    b->setAccessibleName(Caption);
    b->setIcon(BrowserIcon(Icon));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    if (Menu) {
        // The button itself acts; its arrow opens the menu.
        b->setMenu(Menu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        Width += b->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, b);
    }
    b->setFixedWidth(Width);
    Bar->addWidget(b);
    return b;
}

QLabel* StaticText(QToolBar* Bar, const char* Name, const QString& Caption)
{
    auto* label = new QLabel(Caption, Bar);
    label->setObjectName(QLatin1String(Name));
    label->setContentsMargins(4, 0, 4, 0);
    Bar->addWidget(label);
    return label;
}

QToolButton* PageButton(QToolBar* Bar, const char* Name, const QString& Caption,
                        const QString& Hint, const char* Icon)
{
    auto* b = new QToolButton(Bar);
    b->setObjectName(QLatin1String(Name));
    b->setText(Caption);
    b->setToolTip(Hint);
    b->setAccessibleName(Caption);
    b->setAccessibleDescription(Hint);
    b->setIcon(BrowserIcon(Icon));
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    Bar->addWidget(b);
    return b;
}

}  // namespace

void TBrowserTab::BuildButtonsBar()
{
    QToolBar* bar = FParts.ButtonsBar;
    BackPopupMenu = new QMenu(FMainWindow);
    BackPopupMenu->setObjectName(QStringLiteral("BackPopupMenu"));
    ForwardPopupMenu = new QMenu(FMainWindow);
    ForwardPopupMenu->setObjectName(QStringLiteral("ForwardPopupMenu"));

    dxBackBtn = LargeButton(bar, "dxBackBtn", tr("Back"), "back", 50, BackPopupMenu);
    dxForwardBtn = LargeButton(bar, "dxForwardBtn", tr("Forward"), "forward", 50, ForwardPopupMenu);
    dxStopBtn = LargeButton(bar, "dxStopBtn", tr("Stop"), "stop", 70);
    dxRefreshBtn = LargeButton(bar, "dxRefreshBtn", tr("Refresh"), "refresh", 60);
    dxHomeBtn = LargeButton(bar, "dxHomeBtn", tr("Home"), "home", 50);
    bar->addSeparator();
    dxSearchBtn = LargeButton(bar, "dxSearchBtn", tr("Search"), "search", 50);
    dxBackBtn->setEnabled(false);
    dxForwardBtn->setEnabled(false);

    connect(dxBackBtn, &QToolButton::clicked, this, tools::Guarded([this] { dxBackBtnClick(); }));
    connect(dxForwardBtn, &QToolButton::clicked, this,
            tools::Guarded([this] { dxForwardBtnClick(); }));
    connect(dxStopBtn, &QToolButton::clicked, this, tools::Guarded([this] { dxStopBtnClick(); }));
    connect(dxRefreshBtn, &QToolButton::clicked, this,
            tools::Guarded([this] { dxRefreshBtnClick(); }));
    connect(dxHomeBtn, &QToolButton::clicked, this, tools::Guarded([this] { dxHomeBtnClick(); }));
    connect(dxSearchBtn, &QToolButton::clicked, this,
            tools::Guarded([this] { dxSearchBtnClick(); }));
    for (QMenu* menu : {BackPopupMenu, ForwardPopupMenu})
        connect(menu, &QMenu::triggered, this,
                tools::Guarded([this](QAction* entry) { dxBarHistoryClick(entry); }));
    bar->installEventFilter(this);
}

void TBrowserTab::BuildAddressBar()
{
    QToolBar* bar = FParts.AddressBar;
    dxAdressText = StaticText(bar, "dxAdressText", tr("Address"));
    bar->addSeparator();
    dxAddressCombo = new QComboBox(bar);
    dxAddressCombo->setObjectName(QStringLiteral("dxAddressCombo"));
    dxAddressCombo->setEditable(true);
    // The list is the tab's to fill: typed addresses go in at the top on Enter.
    dxAddressCombo->setInsertPolicy(QComboBox::NoInsert);
    dxAddressCombo->setFixedWidth(251);
    dxAddressCombo->setAccessibleName(QStringLiteral("Adres"));
    dxAddressCombo->setToolTip(QStringLiteral("Adres"));
    dxAddressCombo->setFocusPolicy(Qt::StrongFocus);
    dxAdressText->setBuddy(dxAddressCombo);
    bar->addWidget(dxAddressCombo);
    dxAddressCombo->installEventFilter(this);
    dxAddressCombo->lineEdit()->installEventFilter(this);
    connect(dxAddressCombo, &QComboBox::activated, this, tools::Guarded([this] {
                if (!FLeavingAddress)
                    dxAddressComboChange();
            }));

    dxBarStatic1 = StaticText(bar, "dxBarStatic1", tr("Web Pages:"));
    dxBarButtonMallon = PageButton(bar, "dxBarButtonMallon", QStringLiteral("Tavo"),
                                   tr("Web page of the Tavo company"), "page-distributor");
    dxBarButtonKalmeno = PageButton(bar, "dxBarButtonKalmeno", QStringLiteral("Kalmeno"),
                                    tr("Web page of the program Tavo C.H."), "page-maker");
    connect(dxBarButtonMallon, &QToolButton::clicked, this,
            tools::Guarded([this] { dxBarButtonMallonClick(); }));
    connect(dxBarButtonKalmeno, &QToolButton::clicked, this,
            tools::Guarded([this] { dxBarButtonKalmenoClick(); }));
}

void TBrowserTab::BuildShortcuts()
{
    auto key = [this](const char* name, const QKeySequence& sequence, auto handler) {
        auto* action = new QAction(FMainWindow);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, tools::Guarded(handler));
        FMainWindow->addAction(action);
        return action;
    };
    FBackKey =
        key("BrowserBackKey", QKeySequence(Qt::ALT | Qt::Key_Left), [this] { dxBackBtnClick(); });
    FForwardKey = key("BrowserForwardKey", QKeySequence(Qt::ALT | Qt::Key_Right),
                      [this] { dxForwardBtnClick(); });
    FRefreshKey =
        key("BrowserRefreshKey", QKeySequence(Qt::Key_F5), [this] { dxRefreshBtnClick(); });
    FStopKey = key("BrowserStopKey", QKeySequence(Qt::Key_Escape), [this] { dxStopBtnClick(); });
    FAddressKey = key("BrowserAddressKey", QKeySequence(Qt::CTRL | Qt::Key_L), [this] {
        dxAddressCombo->setFocus(Qt::ShortcutFocusReason);
        dxAddressCombo->lineEdit()->selectAll();
    });
}

void TBrowserTab::UpdateShortcuts()
{
    // The keys act only where their buttons can be seen and used.
    bool live = FBrowserReady && FParts.ButtonsBar->isVisibleTo(FMainWindow);
    FBackKey->setEnabled(live && dxBackBtn->isEnabled());
    FForwardKey->setEnabled(live && dxForwardBtn->isEnabled());
    FRefreshKey->setEnabled(live);
    FStopKey->setEnabled(live);
    FAddressKey->setEnabled(live);
}

}  // namespace tavo::browser
