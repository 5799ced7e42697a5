#include "MessageBoxDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <iostream>

#include "platform/AnsiText.h"

namespace tavo::tools {

using platform::FromAnsi;

namespace {

QMessageBox::Icon IconOf(uint16_t flags)
{
    switch (flags & 0x00F0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSet {
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton First, Second, Third;
};

ButtonSet ButtonsOf(uint16_t flags)
{
    switch (flags & 0x000F) {
    case MB_OKCANCEL:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel,
                QMessageBox::NoButton};
    case 0x0002:
        return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Abort,
                QMessageBox::Retry, QMessageBox::Ignore};
    case MB_YESNOCANCEL:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::No, QMessageBox::Cancel};
    case MB_YESNO:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No,
                QMessageBox::NoButton};
    case 0x0005:
        return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry, QMessageBox::Cancel,
                QMessageBox::NoButton};
    default:
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton};
    }
}

int CodeOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Abort:
        return 3;
    case QMessageBox::Retry:
        return 4;
    case QMessageBox::Ignore:
        return 5;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;  // closed without a button, as Esc does on Windows
    }
}

// Remember the focus: the box takes it, the user expects it back where it was.
int KeepingFocus(const std::function<int()>& Show)
{
    QPointer<QWidget> focus = qobject_cast<QApplication*>(QCoreApplication::instance())
                                  ? QApplication::focusWidget()
                                  : nullptr;
    const int result = Show();
    if (focus) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

}  // namespace

int PresentMessageBox(const TMessageBoxRequest& Request)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::cerr << Request.Caption << ": " << Request.Text << std::endl;
        return (Request.Flags & 0x000F) == MB_YESNO ? IDNO : IDOK;
    }
    ButtonSet set = ButtonsOf(Request.Flags);
    QMessageBox box(IconOf(Request.Flags), FromAnsi(Request.Caption), FromAnsi(Request.Text),
                    set.Buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);  // texts come from files and users: never markup
    QMessageBox::StandardButton def = set.First;
    if ((Request.Flags & 0x0F00) == 0x0100 && set.Second != QMessageBox::NoButton)
        def = set.Second;
    else if ((Request.Flags & 0x0F00) == 0x0200 && set.Third != QMessageBox::NoButton)
        def = set.Third;
    box.setDefaultButton(def);
    box.setAccessibleName(FromAnsi(Request.Caption));
    box.setAccessibleDescription(FromAnsi(Request.Text));
    box.exec();
    auto clicked = box.standardButton(box.clickedButton());
    return CodeOf(clicked);
}

void UseDesktopMessages()
{
    SetDesktopMessages({PresentMessageBox, KeepingFocus});
}

}  // namespace tavo::tools
