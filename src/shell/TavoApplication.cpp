#include "TavoApplication.h"

#include "tools/MessageBoxes.h"

namespace tavo::shell {

TavoApplication::TavoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("tavo-shell"));
    setOrganizationName(QStringLiteral("TerVik"));
    // The program's icon is set as the main window is shown (TShellProgram::ShowMainWindow).
}

bool TavoApplication::notify(QObject* Receiver, QEvent* Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        tools::HandleCurrentException();
        return true;
    }
}

}  // namespace tavo::shell
