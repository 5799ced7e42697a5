#include "AddressBox.h"

#include <QLabel>
#include <QMessageBox>

#include "MessageBoxes.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"

namespace tavo::tools {

void ShowAddressBox(QWidget* Owner, qint32 Text, const std::string& Address)
{
    using platform::FromAnsi;
    using platform::LoadStr;
    auto* box = new QMessageBox(QMessageBox::Information, FromAnsi(LoadStr(CaptionProgramId)),
                                FromAnsi(LoadStr(Text)), QMessageBox::Ok,
                                Owner ? Owner->window() : nullptr);
    box->setObjectName(QStringLiteral("AddressBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(FromAnsi(Address));
    constexpr auto selectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
    box->setTextInteractionFlags(selectable);
    for (QLabel* label : box->findChildren<QLabel*>())
        if (label->text() == box->informativeText()) {
            label->setTextFormat(Qt::PlainText);
            label->setTextInteractionFlags(selectable);
            label->setFocusPolicy(Qt::StrongFocus);
        }
    box->setAccessibleName(FromAnsi(LoadStr(Text)));
    box->setAccessibleDescription(FromAnsi(Address));
    box->setWindowModality(Qt::NonModal);
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace tavo::tools
