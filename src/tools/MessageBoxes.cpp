#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <iostream>

#include "platform/AnsiText.h"
#include "platform/StringTable.h"

namespace tavo::tools {

using platform::FromAnsi;
using platform::LoadStr;

int32_t CaptionProgramId = 0;
int32_t CaptionErrorId = 0;
int32_t CaptionHelpId = 0;
int32_t CaptionConfirmId = 0;
int32_t CaptionWarningId = 0;
int32_t CaptionVersionId = 0;
bool MessagesEnabled = false;

namespace {

TMessagePresenter& Presenter()
{
    static TMessagePresenter presenter;
    return presenter;
}

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

int Show(int32_t Caption, std::string Text, uint16_t Flags)
{
    // Remember the focus: the box takes it, the user expects it back where it was.
    QPointer<QWidget> focus = qobject_cast<QApplication*>(QCoreApplication::instance())
                                  ? QApplication::focusWidget()
                                  : nullptr;
    TMessageBoxRequest request{LoadStr(Caption == 0 ? CaptionProgramId : Caption), std::move(Text),
                               static_cast<uint16_t>(Flags | MB_TASKMODAL)};
    int result = Presenter() ? Presenter()(request) : PresentMessage(request);
    if (focus) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

}  // namespace

int PresentMessage(const TMessageBoxRequest& Request)
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

TMessagePresenter SetMessagePresenter(TMessagePresenter Presenter_)
{
    return std::exchange(Presenter(), std::move(Presenter_));
}

int MessageById(int32_t Caption, int32_t Message, uint16_t Flags, std::span<const FormatArg> Args)
{
    if (!MessagesEnabled)
        return IDOK;
    // Formatting first: a bad format raises before anything is shown.
    std::string text = Args.empty() ? LoadStr(Message) : platform::Format(LoadStr(Message), Args);
    return Show(Caption, std::move(text), Flags);
}

int MessageText(int32_t Caption, const std::string& Text, uint16_t Flags,
                std::span<const FormatArg> Args)
{
    if (!MessagesEnabled)
        return IDOK;
    std::string text = Args.empty() ? Text : platform::Format(Text, Args);
    return Show(Caption, std::move(text), Flags);
}

int InfoMessage(int32_t Message)
{
    return MessageById(CaptionConfirmId, Message, MB_ICONINFORMATION);
}

int ErrorMessage(int32_t Message)
{
    return MessageById(CaptionErrorId, Message, MB_ICONERROR);
}

int ErrorMessageFmt(int32_t Message, const FormatArgs& Args)
{
    return MessageById(CaptionErrorId, Message, MB_ICONERROR, Args);
}

int AskYesNo(int32_t Message)
{
    return MessageById(CaptionConfirmId, Message, MB_ICONQUESTION | MB_YESNO);
}

int ShowHelpText(const std::string& Text)
{
    return MessageText(CaptionHelpId, Text, MB_ICONINFORMATION);
}

void ShowException(const std::exception& Error)
{
    // The standard handler shows the error even while messages are switched off: an
    // error nobody caught must not vanish.
    bool enabled = std::exchange(MessagesEnabled, true);
    try {
        MessageText(CaptionErrorId, Error.what(), MB_ICONERROR);
    } catch (...) {
        std::cerr << Error.what() << std::endl;
    }
    MessagesEnabled = enabled;
}

void HandleCurrentException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

}  // namespace tavo::tools
