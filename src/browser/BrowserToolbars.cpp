// The tab's two toolbars, their commands and the commands' keys.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "BrowserTab.h"
#include "tools/ArtworkIcon.h"
#include "tools/MessageBoxes.h"

namespace tavo::browser {

namespace {

QIcon BrowserIcon(const char* Name)
{
    if (!Name)
        return QIcon();
    return tools::ArtworkIcon(QStringLiteral(":/icons/browser-%1.svg").arg(QLatin1String(Name)));
}

QAction* Command(QObject* Owner, const char* Name, const QString& Text, const char* Icon,
                 const QList<QKeySequence>& Keys = {})
{
    auto* action = new QAction(BrowserIcon(Icon), Text, Owner);
    action->setObjectName(QLatin1String(Name));
    action->setShortcuts(Keys);
    // Live while its button shows, that is while the browser's toolbars do.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

// The toolbar's button for Action; toolbars leave their buttons out of the Tab order.
QToolButton* Button(QToolBar* Bar, QAction* Action, const char* Name)
{
    Bar->addAction(Action);
    auto* b = qobject_cast<QToolButton*>(Bar->widgetForAction(Action));
    b->setObjectName(QLatin1String(Name));
    b->setAccessibleName(Action->text());
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QToolButton* LargeButton(QToolBar* Bar, QAction* Action, const char* Name, int Width,
                         QMenu* Menu = nullptr)
{
    QToolButton* b = Button(Bar, Action, Name);
    // The design's width, wider where a translated caption would not fit under the icon.
    Width = std::max(Width, b->fontMetrics().horizontalAdvance(Action->iconText()) + 8);
    if (Menu) {
        // The button itself acts; its arrow opens the menu.
        b->setMenu(Menu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        Width += b->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, b);
    }
    b->setFixedWidth(Width);
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

}  // namespace

void TBrowserTab::BuildButtonsBar()
{
    QToolBar* bar = FParts.ButtonsBar;
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    BackPopupMenu = new QMenu(FMainWindow);
    BackPopupMenu->setObjectName(QStringLiteral("BackPopupMenu"));
    ForwardPopupMenu = new QMenu(FMainWindow);
    ForwardPopupMenu->setObjectName(QStringLiteral("ForwardPopupMenu"));

    FBackAction = Command(this, "BackAction", tr("Back"), "back",
                          QKeySequence::keyBindings(QKeySequence::Back));
    FForwardAction = Command(this, "ForwardAction", tr("Forward"), "forward",
                             QKeySequence::keyBindings(QKeySequence::Forward));
    FStopAction = Command(this, "StopAction", tr("Stop"), "stop",
                          QKeySequence::keyBindings(QKeySequence::Cancel));
    FRefreshAction = Command(this, "RefreshAction", tr("Refresh"), "refresh",
                             QKeySequence::keyBindings(QKeySequence::Refresh));
    FHomeAction = Command(this, "HomeAction", tr("Home"), "home");
    FSearchAction = Command(this, "SearchAction", tr("Search"), "search");
    FBackAction->setEnabled(false);
    FForwardAction->setEnabled(false);

    LargeButton(bar, FBackAction, "dxBackBtn", 50, BackPopupMenu);
    LargeButton(bar, FForwardAction, "dxForwardBtn", 50, ForwardPopupMenu);
    LargeButton(bar, FStopAction, "dxStopBtn", 70);
    LargeButton(bar, FRefreshAction, "dxRefreshBtn", 60);
    LargeButton(bar, FHomeAction, "dxHomeBtn", 50);
    bar->addSeparator();
    LargeButton(bar, FSearchAction, "dxSearchBtn", 50);

    connect(FBackAction, &QAction::triggered, this, tools::Guarded([this] { dxBackBtnClick(); }));
    connect(FForwardAction, &QAction::triggered, this,
            tools::Guarded([this] { dxForwardBtnClick(); }));
    connect(FStopAction, &QAction::triggered, this, tools::Guarded([this] { dxStopBtnClick(); }));
    connect(FRefreshAction, &QAction::triggered, this,
            tools::Guarded([this] { dxRefreshBtnClick(); }));
    connect(FHomeAction, &QAction::triggered, this, tools::Guarded([this] { dxHomeBtnClick(); }));
    connect(FSearchAction, &QAction::triggered, this,
            tools::Guarded([this] { dxSearchBtnClick(); }));
    for (QMenu* menu : {BackPopupMenu, ForwardPopupMenu})
        connect(menu, &QMenu::triggered, this,
                tools::Guarded([this](QAction* entry) { dxBarHistoryClick(entry); }));
}

void TBrowserTab::BuildAddressBar()
{
    QToolBar* bar = FParts.AddressBar;
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
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
    FAddressEdit = dxAddressCombo->lineEdit();
    FAddressEdit->installEventFilter(this);
    connect(dxAddressCombo, &QComboBox::activated, this, tools::Guarded([this] {
                if (!FLeavingAddress)
                    dxAddressComboChange();
            }));
    // Desktop browsers' key for the address box; it has no button, so the box carries it.
    FAddressAction = Command(this, "AddressAction", tr("Address"), nullptr,
                             {QKeySequence(Qt::CTRL | Qt::Key_L)});
    dxAddressCombo->addAction(FAddressAction);
    connect(FAddressAction, &QAction::triggered, this, [this] {
        dxAddressCombo->setFocus(Qt::ShortcutFocusReason);
        dxAddressCombo->lineEdit()->selectAll();
    });

    dxBarStatic1 = StaticText(bar, "dxBarStatic1", tr("Web Pages:"));
    FMallonAction = Command(this, "MallonAction", QStringLiteral("Tavo"), "page-distributor");
    FMallonAction->setToolTip(tr("Web page of the Tavo company"));
    FKalmenoAction = Command(this, "KalmenoAction", QStringLiteral("Kalmeno"), "page-maker");
    FKalmenoAction->setToolTip(tr("Web page of the program Tavo C.H."));
    for (auto [action, name] : {std::pair{FMallonAction, "dxBarButtonMallon"},
                                std::pair{FKalmenoAction, "dxBarButtonKalmeno"}})
        Button(bar, action, name)->setAccessibleDescription(action->toolTip());
    connect(FMallonAction, &QAction::triggered, this,
            tools::Guarded([this] { dxBarButtonMallonClick(); }));
    connect(FKalmenoAction, &QAction::triggered, this,
            tools::Guarded([this] { dxBarButtonKalmenoClick(); }));
}

QAction* TBrowserTab::CommandForKey(const QKeyEvent* Key) const
{
    QKeySequence typed(Key->keyCombination());
    for (QAction* command :
         {FBackAction, FForwardAction, FStopAction, FRefreshAction, FAddressAction}) {
        if (command->shortcuts().contains(typed))
            return command;
    }
    return nullptr;
}

// Keys typed while the page has the focus are the page's first, as in desktop browsers:
// Escape stops a loading page before the page sees it; the other command keys act when
// the page leaves them unhandled (the engine hands those to the view's parent), Back and
// Forward then only outside the page's text fields, where their keys are the page's.
bool TBrowserTab::PageKey(QKeyEvent* Key)
{
    QAction* command = CommandForKey(Key);
    if (!command || !FBrowserReady || !FParts.ButtonsBar->isVisible())
        return false;
    if (Key->type() == QEvent::ShortcutOverride) {
        if (command == FStopAction && FLoading)
            return false;  // the window's shortcut stops the page
        Key->accept();     // the page has it first
        return true;
    }
    if (command == FStopAction || !command->isEnabled())
        return false;
    QWidget* focus = QApplication::focusWidget();
    bool typing = focus && focus->inputMethodQuery(Qt::ImEnabled).toBool();
    if (typing && (command == FBackAction || command == FForwardAction))
        return false;
    command->trigger();
    return true;
}

}  // namespace tavo::browser
