#pragma once
// Message boxes by string number. A caller names the caption and the message by number;
// the texts come from the string table when the box is shown.
#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/Format.h"

namespace tavo::tools {

using platform::FormatArg;
using platform::FormatArgs;

// Caption numbers; the identity module sets them at start-up.
extern int32_t CaptionProgramId;
extern int32_t CaptionErrorId;
extern int32_t CaptionHelpId;
extern int32_t CaptionConfirmId;
extern int32_t CaptionWarningId;
extern int32_t CaptionVersionId;

// While false no box is shown and every call reports OK (1).
extern bool MessagesEnabled;

// Windows message box styles and button codes, as the callers pass and test them.
constexpr uint16_t MB_OK = 0x0000;
constexpr uint16_t MB_OKCANCEL = 0x0001;
constexpr uint16_t MB_YESNOCANCEL = 0x0003;
constexpr uint16_t MB_YESNO = 0x0004;
constexpr uint16_t MB_ICONERROR = 0x0010;
constexpr uint16_t MB_ICONQUESTION = 0x0020;
constexpr uint16_t MB_ICONWARNING = 0x0030;
constexpr uint16_t MB_ICONINFORMATION = 0x0040;
constexpr uint16_t MB_DEFBUTTON2 = 0x0100;
constexpr uint16_t MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageById(int32_t Caption, int32_t Message, uint16_t Flags,
                std::span<const FormatArg> Args = {});
inline int MessageById(int32_t Caption, int32_t Message, uint16_t Flags, const FormatArgs& Args)
{
    return MessageById(Caption, Message, Flags, std::span<const FormatArg>(Args));
}
int MessageText(int32_t Caption, const std::string& Text, uint16_t Flags,
                std::span<const FormatArg> Args = {});
inline int MessageText(int32_t Caption, const std::string& Text, uint16_t Flags,
                       const FormatArgs& Args)
{
    return MessageText(Caption, Text, Flags, std::span<const FormatArg>(Args));
}

int InfoMessage(int32_t Message);
int ErrorMessage(int32_t Message);
int ErrorMessageFmt(int32_t Message, const FormatArgs& Args);
int AskYesNo(int32_t Message);
int ShowHelpText(const std::string& Text);

// What the presenter is asked to show: texts in Windows-1250, flags with MB_TASKMODAL.
struct TMessageBoxRequest {
    std::string Caption;
    std::string Text;
    uint16_t Flags = 0;
};

// Shows the box and returns the button code. The real presenter is the desktop's (a
// QMessageBox, MessageBoxDialog.h) once it is in use; until then, and in programs without
// windows, it writes "caption: text" to standard error and answers OK (No for Yes/No
// questions).
using TMessagePresenter = std::function<int(const TMessageBoxRequest&)>;
int PresentMessage(const TMessageBoxRequest& Request);

// The desktop's part of every box: the presenter when no test presenter is set, and what
// runs around each box. Set by the widget part of this library.
struct TDesktopMessages {
    TMessagePresenter Present;
    std::function<int(const std::function<int()>& Show)> Around;
};
void SetDesktopMessages(TDesktopMessages Messages);
// Test seam: replaces the presenter and returns the previous one; empty restores the real one.
TMessagePresenter SetMessagePresenter(TMessagePresenter Presenter);

// The application's standard handler for an error that escaped an event handler: its
// message in an error box; the program goes on.
void ShowException(const std::exception& Error);
void HandleCurrentException();

namespace detail {

// Signals may carry arguments the handler does not take (clicked(bool)). The call sits in a
// template of its own so that the branch not taken is never checked: clang checks a call
// that does not depend on a generic lambda's own parameters as soon as the enclosing
// template is instantiated.
template <typename F, typename... A> void CallWith(const F& Handler, A&&... Args)
{
    if constexpr (std::is_invocable_v<const F&, A...>)
        Handler(std::forward<A>(Args)...);
    else
        Handler();
}

}  // namespace detail

// Runs Handler and hands any error to the standard handler, so that event handlers
// connected to signals never let an error unwind through the window system.
template <typename F> auto Guarded(F Handler)
{
    return [Handler = std::move(Handler)](auto&&... Args) -> void {
        try {
            detail::CallWith(Handler, std::forward<decltype(Args)>(Args)...);
        } catch (...) {
            HandleCurrentException();
        }
    };
}

}  // namespace tavo::tools
