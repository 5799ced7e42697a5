#include "MessageBoxes.h"

#include <iostream>

#include "platform/StringTable.h"

namespace tavo::tools {

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

TDesktopMessages& Desktop()
{
    static TDesktopMessages desktop;
    return desktop;
}

int Show(int32_t Caption, std::string Text, uint16_t Flags)
{
    TMessageBoxRequest request{LoadStr(Caption == 0 ? CaptionProgramId : Caption), std::move(Text),
                               static_cast<uint16_t>(Flags | MB_TASKMODAL)};
    auto present = [&request] {
        return Presenter() ? Presenter()(request) : PresentMessage(request);
    };
    return Desktop().Around ? Desktop().Around(present) : present();
}

}  // namespace

int PresentMessage(const TMessageBoxRequest& Request)
{
    if (Desktop().Present)
        return Desktop().Present(Request);
    std::cerr << Request.Caption << ": " << Request.Text << std::endl;
    return (Request.Flags & 0x000F) == MB_YESNO ? IDNO : IDOK;
}

void SetDesktopMessages(TDesktopMessages Messages)
{
    Desktop() = std::move(Messages);
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
