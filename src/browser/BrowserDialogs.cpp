#include "BrowserDialogs.h"

#include <QFileDialog>

namespace tavo::browser {

namespace {

TSaveAsDialog& Seam()
{
    static TSaveAsDialog seam;
    return seam;
}

}  // namespace

QString AskSaveAs(QWidget* Parent, const QString& Proposed)
{
    if (Seam())
        return Seam()(Parent, Proposed);
    QFileDialog dialog(Parent, QFileDialog::tr("Save File"), Proposed);
    dialog.setObjectName(QStringLiteral("SaveDownloadDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(Proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

TSaveAsDialog SetSaveAsDialog(TSaveAsDialog Dialog)
{
    return std::exchange(Seam(), std::move(Dialog));
}

}  // namespace tavo::browser
