#pragma once
// An address the desktop could not open (no browser, no mail program), shown for the user to
// copy.
#include <QtGlobal>
#include <string>

class QWidget;

namespace tavo::tools {

// Text (a string number) and Address in a box of its own that does not block the window:
// the address can be selected and copied with the mouse or the keyboard. The box is named
// "AddressBox" and closes itself.
void ShowAddressBox(QWidget* Owner, qint32 Text, const std::string& Address);

}  // namespace tavo::tools
