#include "BrowserPageTools.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"

namespace tavo::browser {

namespace {

QAction* Command(QWidget* Owner, const char* Name, const QString& Text,
                 const QList<QKeySequence>& Keys)
{
    auto* action = new QAction(Text, Owner);
    action->setObjectName(QLatin1String(Name));
    action->setShortcuts(Keys);
    // Live while the tab's page shows, wherever the focus is in the window.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    Owner->addAction(action);
    return action;
}

QToolButton* Button(QWidget* Parent, QAction* Action, const char* Name)
{
    auto* b = new QToolButton(Parent);
    b->setObjectName(QLatin1String(Name));
    b->setDefaultAction(Action);
    b->setAccessibleName(Action->text());
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QString Text(int32_t Id, const platform::FormatArgs& Args)
{
    return platform::FromAnsi(platform::Format(platform::LoadStr(Id), Args));
}

}  // namespace

TBrowserPageTools::TBrowserPageTools(QWidget* TabPage, QWidget* Panel, QWidget* StatusRow,
                                     QWidget* Before, QObject* Parent)
    : QObject(Parent)
{
    setObjectName(QStringLiteral("BrowserPageTools"));
    FFindAction = Command(TabPage, "FindAction", tr("Find in page"),
                          QKeySequence::keyBindings(QKeySequence::Find));
    FFindNextAction = Command(TabPage, "FindNextAction", tr("Next match"),
                              QKeySequence::keyBindings(QKeySequence::FindNext));
    FFindPreviousAction = Command(TabPage, "FindPreviousAction", tr("Previous match"),
                                  QKeySequence::keyBindings(QKeySequence::FindPrevious));
    QList<QKeySequence> zoomIn = QKeySequence::keyBindings(QKeySequence::ZoomIn);
    // Ctrl with the key that holds "+" unshifted on most keyboards.
    zoomIn << QKeySequence(Qt::CTRL | Qt::Key_Equal);
    FZoomInAction = Command(TabPage, "ZoomInAction", tr("Zoom in"), zoomIn);
    FZoomOutAction = Command(TabPage, "ZoomOutAction", tr("Zoom out"),
                             QKeySequence::keyBindings(QKeySequence::ZoomOut));
    FZoomResetAction = Command(TabPage, "ZoomResetAction", tr("Actual size"),
                               {QKeySequence(Qt::CTRL | Qt::Key_0)});
    FPrintAction = Command(TabPage, "PrintAction", tr("Print"),
                           QKeySequence::keyBindings(QKeySequence::Print));
    connect(FFindAction, &QAction::triggered, this, [this] { ShowFindBar(); });
    connect(FFindNextAction, &QAction::triggered, this, [this] { FindNext(false); });
    connect(FFindPreviousAction, &QAction::triggered, this, [this] { FindNext(true); });
    connect(FZoomInAction, &QAction::triggered, this, [this] { Zoom(1); });
    connect(FZoomOutAction, &QAction::triggered, this, [this] { Zoom(-1); });
    connect(FZoomResetAction, &QAction::triggered, this, [this] { Zoom(0); });
    connect(FPrintAction, &QAction::triggered, this, tools::Guarded([this] { Print(); }));

    BuildFindBar(TabPage, Panel);

    FZoomIndicator = new QToolButton(StatusRow);
    FZoomIndicator->setObjectName(QStringLiteral("ZoomIndicator"));
    FZoomIndicator->setAutoRaise(true);
    FZoomIndicator->setFocusPolicy(Qt::TabFocus);
    FZoomIndicator->setToolTip(tr("Zoom; click for actual size"));
    FZoomIndicator->hide();
    connect(FZoomIndicator, &QToolButton::clicked, this, [this] { Zoom(0); });
    if (auto* row = qobject_cast<QBoxLayout*>(StatusRow->layout()))
        row->insertWidget(row->indexOf(Before), FZoomIndicator);
}

void TBrowserPageTools::BuildFindBar(QWidget* TabPage, QWidget* Panel)
{
    FFindBar = new QWidget(TabPage);
    FFindBar->setObjectName(QStringLiteral("FindBar"));
    FFindBar->setAccessibleName(tr("Find in page"));
    auto* row = new QHBoxLayout(FFindBar);
    row->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(tr("&Find:"), FFindBar);
    FFindEdit = new QLineEdit(FFindBar);
    FFindEdit->setObjectName(QStringLiteral("FindEdit"));
    FFindEdit->setAccessibleName(tr("Find in page"));
    FFindEdit->setClearButtonEnabled(true);
    FFindEdit->setMaximumWidth(260);
    label->setBuddy(FFindEdit);
    FCloseFindAction = new QAction(tr("Close the find bar"), FFindBar);
    FCloseFindAction->setObjectName(QStringLiteral("CloseFindAction"));
    FCloseFindAction->setIcon(FFindBar->style()->standardIcon(QStyle::SP_DialogCloseButton));
    FFindCount = new QLabel(FFindBar);
    FFindCount->setObjectName(QStringLiteral("FindCount"));
    FFindCount->setMinimumWidth(90);
    row->addWidget(label);
    row->addWidget(FFindEdit);
    row->addWidget(Button(FFindBar, FFindPreviousAction, "FindPreviousButton"));
    row->addWidget(Button(FFindBar, FFindNextAction, "FindNextButton"));
    row->addWidget(FFindCount);
    row->addStretch(1);
    row->addWidget(Button(FFindBar, FCloseFindAction, "CloseFindButton"));
    FFindBar->hide();
    if (auto* column = qobject_cast<QBoxLayout*>(TabPage->layout()))
        column->insertWidget(column->indexOf(Panel), FFindBar);
    connect(FCloseFindAction, &QAction::triggered, this, [this] { CloseFindBar(); });
    connect(FFindEdit, &QLineEdit::textEdited, this, [this] { FindNext(false); });
    FFindEdit->installEventFilter(this);
}

void TBrowserPageTools::Attach(platform::TWebBrowserCommands* Commands, QWidget* Page)
{
    FCommands = Commands;
    FPage = Page;
    for (QAction* a : {FFindAction, FFindNextAction, FFindPreviousAction, FZoomInAction,
                       FZoomOutAction, FZoomResetAction, FPrintAction})
        a->setEnabled(FCommands != nullptr);
    if (!FCommands)
        return;
    FCommands->OnFindResult = [this](int matches, int current) { FindResult(matches, current); };
    FCommands->OnZoomChange = [this](double factor) { ShowZoom(factor); };
}

void TBrowserPageTools::Detach()
{
    if (FCommands) {
        FCommands->OnFindResult = nullptr;
        FCommands->OnZoomChange = nullptr;
    }
    Attach(nullptr, nullptr);
    FFindBar->hide();
    FZoomIndicator->hide();
}

void TBrowserPageTools::ShowFindBar()
{
    if (!FCommands)
        return;
    FFindBar->show();
    FFindEdit->setFocus(Qt::ShortcutFocusReason);
    FFindEdit->selectAll();
    if (!FFindEdit->text().isEmpty())
        FindNext(false);
}

void TBrowserPageTools::CloseFindBar()
{
    if (FCommands)
        FCommands->FindText(QString(), false);  // clears the highlighting
    const bool hadFocus = FFindBar->isAncestorOf(QApplication::focusWidget());
    FFindBar->hide();
    FFindCount->clear();
    if (hadFocus && FPage)
        FPage->setFocus();
}

void TBrowserPageTools::FindNext(bool Backward)
{
    if (!FCommands)
        return;
    if (FFindBar->isHidden()) {
        ShowFindBar();
        if (FFindEdit->text().isEmpty())
            return;
    }
    FCommands->FindText(FFindEdit->text(), Backward);
}

void TBrowserPageTools::FindResult(int Matches, int Current)
{
    if (FFindEdit->text().isEmpty())
        FFindCount->clear();
    else if (Matches == 0)
        FFindCount->setText(Text(SFindNothing, {}));
    else
        FFindCount->setText(Text(SFindCount, {int64_t{Current}, int64_t{Matches}}));
}

void TBrowserPageTools::Zoom(int Direction)
{
    if (!FCommands)
        return;
    double factor = Direction == 0 ? 1.0 : platform::ZoomStep(FCommands->ZoomFactor(), Direction);
    FCommands->SetZoomFactor(factor);
    ShowZoom(factor);
}

void TBrowserPageTools::ShowZoom(double Factor)
{
    const int percent = qRound(Factor * 100);
    FZoomIndicator->setText(Text(SZoomShown, {int64_t{percent}}));
    FZoomIndicator->setAccessibleName(FZoomIndicator->text());
    FZoomIndicator->setVisible(percent != 100);
}

void TBrowserPageTools::RefreshZoom()
{
    if (FCommands)
        ShowZoom(FCommands->ZoomFactor());
}

void TBrowserPageTools::Print()
{
    if (FCommands)
        FCommands->Print();
}

bool TBrowserPageTools::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FFindEdit &&
        (Event->type() == QEvent::ShortcutOverride || Event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(Event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->key() == Qt::Key_Escape || enter) {
            // Escape here is the find bar's, not the Stop command's.
            if (Event->type() == QEvent::ShortcutOverride) {
                key->accept();
                return true;
            }
            if (enter)
                FindNext(key->modifiers().testFlag(Qt::ShiftModifier));
            else
                CloseFindBar();
            return true;
        }
    }
    return QObject::eventFilter(Watched, Event);
}

}  // namespace tavo::browser
