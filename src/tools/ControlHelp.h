#pragma once
// Context help of the maker's controls: F1 shows the long part of a control's hint (the
// text after the first '|') in the help box. A control's hint is its tool tip.
#include <cstdint>
#include <string>

class QObject;
class QWidget;

namespace tavo::tools {

// Help context number of a control (0 = none); the first control up the parent chain with
// one answers for the controls inside it.
int32_t HelpContext(const QObject* Control);
void SetHelpContext(QObject* Control, int32_t Context);

// The control's hint in Windows-1250.
std::string ControlHint(const QWidget* Control);

// Key is a Qt key code. F1 with a non-blank long hint: the hint is shown, Key becomes 0
// and the result is the help box's button code. Any other case returns 1 and leaves Key.
// While the box is up, the help context that answers for the control is -1, so that no
// other help runs for it; it is restored afterwards, also when an error occurs.
int ControlHelpKey(QWidget* Control, int& Key);

// A control that takes the keyboard focus goes through ControlHelpKey with F1; any other
// (a label, a speed button) shows its whole hint.
int ShowControlHelp(QWidget* Control);

// Swallows the next help request of the application (QEvent::HelpRequest or WhatsThis),
// whatever events come before it, and then removes itself. A key press other than F1 or a
// mouse press before the request removes it too, swallowing nothing: the help request
// it was meant for is not coming. Installed once at a time.
void SuppressNextHelpMessage();
// True while that filter is installed.
bool HelpSuppressionInstalled();

}  // namespace tavo::tools
