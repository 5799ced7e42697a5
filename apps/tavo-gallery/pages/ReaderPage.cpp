// The PDF reader component alone, as the documentation viewer embeds it: created by class
// id through the component registry (on the page's first showing, as the viewer creates it
// on the first visit to "Manual") and showing the sample disc's manual.
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "docviewer/PDFLib_TLB.h"
#include "platform/ComponentRegistry.h"
#include "platform/Errors.h"
#include "platform/Folders.h"

namespace tavo::gallery {
namespace {

// The gallery lives in build/tools; the disc, with its plugins and documents, beside it.
QString DiscFolder()
{
    return QDir(QString::fromStdString(platform::ExecutableFolder().string()))
        .absoluteFilePath(QStringLiteral("../sample-disc"));
}

class TReaderPage : public QWidget {
public:
    explicit TReaderPage(QWidget* Parent) : QWidget(Parent)
    {
        setObjectName(QStringLiteral("ReaderPage"));
        new QVBoxLayout(this);
        layout()->setContentsMargins(0, 0, 0, 0);
    }

protected:
    void showEvent(QShowEvent* Event) override
    {
        QWidget::showEvent(Event);
        if (FCreated)
            return;
        FCreated = true;
        if (qEnvironmentVariableIsEmpty("TAVO_PLUGIN_PATH")) {
            qputenv("TAVO_PLUGIN_PATH", QDir(DiscFolder()).filePath("plugins").toUtf8());
            platform::TComponentRegistry::Instance().Rescan();
        }
        try {
            auto* pdf = new docviewer::TPDF(this);
            pdf->setObjectName(QStringLiteral("Reader"));
            layout()->addWidget(pdf);
            pdf->LoadFile(
                QDir(DiscFolder()).filePath("Setup/PdfViewer/Documentation/Podrecznik.pdf"));
            pdf->setCurrentPage(1);
            pdf->setView(QStringLiteral("FitH,0"));
        } catch (const platform::Exception& Error) {
            layout()->addWidget(new QLabel(QString::fromStdString(Error.what()), this));
        }
    }

private:
    bool FCreated = false;
};

GalleryPageRegistration reg{30, QStringLiteral("PDF reader"),
                            [](QWidget* Parent) { return new TReaderPage(Parent); }};

}  // namespace
}  // namespace tavo::gallery
