// Obtaining the reader control from its pool, attaching it to the document pane and driving
// it: opening a document at a page or destination, the messages while it loads or is
// missing, giving the document the focus, and letting the control go again.
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <filesystem>

#include "FAdobeRader6Warrning.h"
#include "FDOCPDFViewer.h"
#include "PDFLib_TLB.h"
#include "PdfLib_TLB_Old.h"
#include "PdfPanel.h"
#include "PdfTreeView.h"
#include "ReaderPool.h"
#include "TransparentPanel.h"
#include "ViewerParts.h"
#include "platform/AnsiText.h"
#include "platform/Errors.h"
#include "split/OxSplit.h"
#include "tools/Colors.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"

namespace tavo::docviewer {

bool DocumentExists(const std::filesystem::path& Document)
{
    std::error_code ec;
    return !Document.empty() && std::filesystem::is_regular_file(Document, ec);
}

TPDF* TF_DocPDFViewer::PdfControl() const
{
    return FPdfControl.data();
}

TPdfOld* TF_DocPDFViewer::PdfOldControl() const
{
    return FPdfOldControl.data();
}

TReaderControl* TF_DocPDFViewer::CurrentControl() const
{
    if (UseOldControl)
        return FPdfOldControl.data();
    return FPdfControl.data();
}

void TF_DocPDFViewer::OpenDocument(const std::filesystem::path& FileName, int32_t Page,
                                   const std::string& Destination)
{
    if (Busy() || FFirstShow || !ReaderAvailable)
        return;
    QPointer<TF_DocPDFViewer> self(this);
    // Whatever way the opening ends: "No documentation" names the file it did not find.
    struct TNameMissing {
        QPointer<TF_DocPDFViewer>& Self;
        const std::filesystem::path& FileName;
        ~TNameMissing()
        {
            if (Self)
                Self->ShowMissingFile(FileName);
        }
    } nameMissing{self, FileName};
    try {
        if (FControlPending && DocumentExists(FileName)) {
            try {
                if (!CurrentControl()) {
                    if (!ControlAvailable()) {
                        // Every control is lent to other viewers: stay pending and try again
                        // at the next tick, without warning the user each time.
                        L_NoDocMsg->show();
                        return;
                    }
                    ReaderVersionWarning();
                    L_AcrobatLoading->show();
                    L_AcrobatLoading->repaint();
                    TPooledControl taken = TakeControl();
                    FPdfControl = taken.New;
                    FPdfOldControl = taken.Old;
                    TReaderControl* control = CurrentControl();
                    if (control && !control->parentWidget())
                        AttachControl(control);
                }
                FControlPending = false;
                FControlReady = true;
            } catch (...) {
                ReaderUnavailable();
                return;
            }
        }
        L_NoDocMsg->setVisible(FControlPending);
        if (FControlPending || !FControlReady)
            return;
        TReaderControl* control = CurrentControl();
        if (!control)
            throw platform::Exception("no reader control");
        bool changed = FileName != FCurrentFile;
        bool exists = false;
        if (changed) {
            exists = DocumentExists(FileName);
            if (exists) {
                L_NoDocMsg->hide();
                L_NoDocMsg->repaint();
                if (L_AcrobatLoading->isHidden())
                    ShowReadingPanel();
                QString path = QString::fromStdString(FileName.string());
                control->View()->Load(path);
                delete ReadingPanel.data();
                L_AcrobatLoading->hide();
                // Drawn once the page below is set: a repaint here would show the first
                // page for a moment and then jump. The panel's place is redrawn as it goes.
                control->update();
                FCurrentFile = FileName;
                CollectSections(true);
                emit DocumentLoaded(path);
            } else {
                L_NoDocMsg->show();
                FCurrentFile = FileName;
                CollectSections(false);
            }
        }
        L_AcrobatLoading->hide();
        // The file is looked at again when it did not change: the disc may have gone.
        bool shown = changed ? exists : DocumentExists(FCurrentFile);
        control->setVisible(shown);
        L_NoDocMsg->setVisible(!shown);
        platform::IPdfView* view = control->View();
        // The user's zoom mode; "FitH,0" as ever when that is fitting the width.
        const bool fitWidth = FZoomMode == platform::TPdfZoomMode::zmFitWidth;
        if (!fitWidth)
            view->SetZoomMode(FZoomMode);
        if (Page >= 0)
            view->ShowPage(Page);
        if (!tools::IsBlank(Destination))
            view->ShowDestination(platform::FromAnsi(Destination));
        else if (fitWidth)
            view->FitWidth();
        FCurrentPage = Page;
        FCurrentDest = Destination;
        control->update();
        MarkCurrentEntry(view->CurrentPage());
        ShowClickPanel();
    } catch (...) {
        if (!self)
            return;
        delete ReadingPanel.data();
        L_AcrobatLoading->hide();
        ReaderAvailable = false;
        ForgetControl();
    }
    if (self)
        QCoreApplication::processEvents();
}

void TF_DocPDFViewer::OpenSearchResult(const std::filesystem::path& FileName, int32_t Page,
                                       const QStringList& Words)
{
    QPointer<TF_DocPDFViewer> self(this);
    RecordPlace(ShownPlace());
    OpenDocument(FileName, Page, std::string());
    if (!self || FCurrentFile != FileName)
        return;
    TReaderControl* control = CurrentControl();
    if (control && !control->isHidden())
        control->View()->MarkWords(Page, Words);
}

void TF_DocPDFViewer::ShowMissingFile(const std::filesystem::path& FileName)
{
    const bool missing = !L_NoDocMsg->isHidden() && !FileName.empty() && !DocumentExists(FileName);
    if (missing)
        L_NoDocFile->setText(
            ViewerText(SDocumentNotFound)
                .replace(QLatin1String("%s"), QString::fromStdString(FileName.string())));
    L_NoDocFile->setVisible(missing);
}

void TF_DocPDFViewer::AttachControl(TReaderControl* Control)
{
    Control->setParent(P_Pdf);
    Control->setGeometry(0, 0, P_Pdf->width() - 2, P_Pdf->height() - 2);
    P_Pdf->SetClientControl(Control);
    Control->show();
    setTabOrder(PdfTreeView, Control);
    connect(Control, &TReaderControl::currentPageChanged, this,
            [this](int Page) { MarkCurrentEntry(Page); });
    connect(Control, &TReaderControl::placeLeft, this, [this](int Page, double Top) {
        if (!FCurrentFile.empty())
            RecordPlace(TPlace{FCurrentFile, Page, Top});
    });
    connect(Control, &TReaderControl::placeRequested, this,
            tools::Guarded([this](int Direction) { GoPlace(Direction); }));
    connect(Control, &TReaderControl::zoomModeChosen, this, [this](int Mode) {
        FZoomMode = static_cast<platform::TPdfZoomMode>(Mode);
        StoreZoomMode(FZoomMode);
    });
    UpdatePlaces();
    if (FPdfControl) {
        // The newer control takes the focus when it is shown; the contents keep it.
        Control->setFocus();
        PdfTreeView->setFocus();
    }
}

void TF_DocPDFViewer::ForgetControl()
{
    if (TReaderControl* control = CurrentControl())
        disconnect(control, nullptr, this, nullptr);
    FPdfControl = nullptr;
    FPdfOldControl = nullptr;
}

void TF_DocPDFViewer::ReaderUnavailable()
{
    ReaderAvailable = false;
    ForgetControl();
    FControlReady = false;
    FControlPending = false;
    L_AcrobatLoading->hide();
    L_NoDocMsg->hide();
    P_AcrobatSetup->show();
}

void TF_DocPDFViewer::ShowReadingPanel()
{
    delete ReadingPanel.data();
    auto* panel = new QLabel(ViewerText(SReadingDocument), this);
    panel->setObjectName(QStringLiteral("ReadingPanel"));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, tools::ToQColor(tools::clInfoBk));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    panel->setPalette(pal);
    QPoint pane = PDFPane->mapTo(this, QPoint(0, 0));
    int top = pane.y() + static_cast<int>(tools::RoundHalfEven((PDFPane->height() - 40) / 2.0));
    panel->setGeometry(pane.x() + 20, top, PDFPane->width() - 40, 40);
    ReadingPanel = panel;
    panel->show();
    panel->raise();
    panel->repaint();
}

void TF_DocPDFViewer::ShowClickPanel()
{
    if (!ClickPanel) {
        auto* panel = new TTransparentPanel(this);
        panel->setObjectName(QStringLiteral("ClickPanel"));
        panel->setAccessibleName(ViewerText(SNameClickPanel));
        QPoint pane = PDFPane->mapTo(this, QPoint(0, 0));
        // The strip along the top stays free for the reader's own use.
        panel->setGeometry(pane.x(), pane.y() + 25, P_Pdf->width(), P_Pdf->height() - 25);
        connect(panel, &TTransparentPanel::clicked, this,
                tools::Guarded([this] { FocusReader(); }));
        ClickPanel = panel;
    }
    ClickPanel->show();
    ClickPanel->raise();
}

void TF_DocPDFViewer::FocusReader()
{
    if (ClickPanel)
        ClickPanel->hide();
    TReaderControl* control = CurrentControl();
    if (control && !control->isHidden())
        control->setFocus(Qt::MouseFocusReason);
}

void TF_DocPDFViewer::SwitchFocus()
{
    TReaderControl* control = CurrentControl();
    QWidget* focus = QApplication::focusWidget();
    bool inTree = focus && (focus == PdfTreeView || TreePane->isAncestorOf(focus));
    if (inTree && control && !control->isHidden() && control->isVisible()) {
        if (ClickPanel)
            ClickPanel->hide();
        control->setFocus(Qt::OtherFocusReason);
    } else {
        PdfTreeView->setFocus(Qt::OtherFocusReason);
    }
}

void TF_DocPDFViewer::CloseDocument()
{
    PdfTreeView->SetBusy(true);
    TReaderControl* control = CurrentControl();
    if (control) {
        disconnect(control, nullptr, this, nullptr);
        ForgetControl();
        // Back to its pool: detached, never destroyed.
        control->setParent(nullptr);
        P_Pdf->SetClientControl(nullptr);
        FCurrentFile.clear();
        control->View()->Load(QString());
    }
    ForgetControl();
}

}  // namespace tavo::docviewer
