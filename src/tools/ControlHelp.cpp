#include "ControlHelp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include "platform/AnsiText.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"

namespace tavo::tools {

namespace {

constexpr char HelpContextProperty[] = "HelpContext";

// The one-shot filter. Timers, paints and posted events keep arriving between the F1 key
// and the help request it produces, so they pass and the filter waits for the request.
class THelpSuppressor : public QObject {
public:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::HelpRequest:
        case QEvent::WhatsThis:
            Remove();
            return true;
        case QEvent::KeyPress:
            // F1 itself, still on its way up to the parents, produces the request.
            if (static_cast<QKeyEvent*>(Event)->key() == Qt::Key_F1)
                return false;
            [[fallthrough]];
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // New input: the request never came (the key was consumed). Waiting on would
            // swallow the help of some later, unrelated F1.
            Remove();
            return false;
        default:
            return false;
        }
    }

    static inline QPointer<THelpSuppressor> Installed;

private:
    void Remove()
    {
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
        Installed = nullptr;
    }
};

// Restores a help context on every way out.
class TContextGuard {
public:
    TContextGuard(QObject* Control, int32_t Temporary)
        : FControl(Control), FSaved(HelpContext(Control))
    {
        SetHelpContext(Control, Temporary);
    }
    ~TContextGuard()
    {
        if (FControl)
            SetHelpContext(FControl, FSaved);
    }
    TContextGuard(const TContextGuard&) = delete;
    TContextGuard& operator=(const TContextGuard&) = delete;

private:
    QPointer<QObject> FControl;
    int32_t FSaved;
};

}  // namespace

int32_t HelpContext(const QObject* Control)
{
    return Control ? Control->property(HelpContextProperty).toInt() : 0;
}

void SetHelpContext(QObject* Control, int32_t Context)
{
    if (Control)
        Control->setProperty(HelpContextProperty, Context);
}

std::string ControlHint(const QWidget* Control)
{
    return Control ? platform::ToAnsi(Control->toolTip()) : std::string();
}

int ControlHelpKey(QWidget* Control, int& Key)
{
    if (Key != Qt::Key_F1 || !Control)
        return 1;
    std::string longHint = HintText(ControlHint(Control));
    QWidget* answering = Control;
    while (HelpContext(answering) == 0 && answering->parentWidget())
        answering = answering->parentWidget();
    TContextGuard guard(answering, -1);
    if (IsBlank(longHint))
        return 1;
    Key = 0;
    return ShowHelpText(longHint);
}

int ShowControlHelp(QWidget* Control)
{
    if (!Control)
        return 1;
    if (Control->focusPolicy() != Qt::NoFocus) {
        int key = Qt::Key_F1;
        return ControlHelpKey(Control, key);
    }
    return ShowHelpText(ControlHint(Control));
}

void SuppressNextHelpMessage()
{
    if (THelpSuppressor::Installed || !QCoreApplication::instance())
        return;
    THelpSuppressor::Installed = new THelpSuppressor;
    QCoreApplication::instance()->installEventFilter(THelpSuppressor::Installed);
}

bool HelpSuppressionInstalled()
{
    return !THelpSuppressor::Installed.isNull();
}

}  // namespace tavo::tools
