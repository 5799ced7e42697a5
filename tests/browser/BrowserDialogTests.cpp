// The desktop's save dialog behind the downloads' seam, on the real widget.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "TestEnvironment.h"
#include "browser/BrowserDialogs.h"

using namespace tavo;

TEST(SaveAsDialog, OffersTheProposedPathAndReturnsTheChoice)
{
    const QString folder = QString::fromStdString(test::TestFolder().string()) + "/Downloads";
    QDir().mkpath(folder);
    const QString proposed = folder + "/report.bin";
    QString name, offered;
    bool confirms = true;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        name = dialog->objectName();
        offered = dialog->selectedFiles().value(0);
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(browser::AskSaveAs(nullptr, proposed), proposed);
    EXPECT_EQ(name, "SaveDownloadDialog");
    EXPECT_EQ(offered, proposed);
    // Replacing is asked by the tab, once, not by the dialog as well.
    EXPECT_FALSE(confirms);

    QTimer::singleShot(100, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    EXPECT_TRUE(browser::AskSaveAs(nullptr, proposed).isEmpty());
}
