#include "TavoApplication.h"

#include <QIcon>

#include "tools/ArtworkIcon.h"
#include "tools/MessageBoxes.h"

namespace tavo::shell {

TavoApplication::TavoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("tavo-shell"));
    setOrganizationName(QStringLiteral("TerVik"));
    setWindowIcon(tools::ArtworkIcon(QStringLiteral(":/icons/tavo.svg")));
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
