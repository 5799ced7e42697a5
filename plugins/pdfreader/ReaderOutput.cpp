#include "ReaderOutput.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <poppler-qt6.h>

#include "ReaderStrings.h"

namespace tavo::pdfreader {

namespace {

TReaderDialogs& Seams()
{
    static TReaderDialogs seams;
    return seams;
}

// Finer than this the page image only grows: a page at 1200 dpi would be half a gigabyte.
constexpr double kMostDpi = 600;
// The image goes to the printer in bands of this many rows, to bound the memory.
constexpr int kBandRows = 1024;

// Draws one page onto the printer's page, fitted and centred: the page's image, rendered by
// Poppler at the printer's resolution, over the page's words, so that the printed page keeps
// its text for searching and copying (as a scanned page's text layer does) while the image
// shows exactly what the screen shows.
bool PrintPage(Poppler::Page& Page, QPrinter& Printer, QPainter& Painter,
               const std::atomic<bool>& Cancelled)
{
    const QSizeF points = Page.pageSizeF();
    const QRectF paper = Printer.pageRect(QPrinter::DevicePixel);
    if (points.isEmpty() || paper.isEmpty())
        return false;
    const double dpi = std::min(Printer.logicalDpiX(), Printer.logicalDpiY());
    // Device pixels per point: 100 %, shrunk to fit the paper when the page is larger.
    const double scale =
        std::min({dpi / 72.0, paper.width() / points.width(), paper.height() / points.height()});
    const QSizeF size(points.width() * scale, points.height() * scale);
    const QPointF origin((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2);

    // The words first, each stretched to its box; the image covers them.
    Painter.save();
    Painter.setPen(Qt::black);
    for (const std::unique_ptr<Poppler::TextBox>& box : Page.textList()) {
        const QRectF area = box->boundingBox();
        if (area.isEmpty() || box->text().isEmpty())
            continue;
        QFont font(QStringLiteral("Sans"));
        font.setPixelSize(std::max(1, int(area.height() * scale * 0.8)));
        // Ligatures would put "ﬂ" in the text where the page has "fl".
        font.setStyleStrategy(QFont::PreferNoShaping);
        Painter.setFont(font);
        const double natural = Painter.fontMetrics().horizontalAdvance(box->text());
        if (natural <= 0)
            continue;
        Painter.save();
        Painter.translate(origin + QPointF(area.left() * scale, area.bottom() * scale));
        Painter.scale(area.width() * scale / natural, 1.0);
        Painter.drawText(QPointF(0, -area.height() * scale * 0.2), box->text());
        Painter.restore();
    }
    Painter.restore();

    // The image in bands, at the printer's resolution (at most kMostDpi).
    const double imageDpi = std::min(kMostDpi, scale * 72.0);
    const QSize pixels(int(std::ceil(points.width() * imageDpi / 72.0)),
                       int(std::ceil(points.height() * imageDpi / 72.0)));
    const double toDevice = scale * 72.0 / imageDpi;
    for (int y = 0; y < pixels.height(); y += kBandRows) {
        if (Cancelled)
            return false;
        const int rows = std::min(kBandRows, pixels.height() - y);
        const QImage band = Page.renderToImage(imageDpi, imageDpi, 0, y, pixels.width(), rows);
        if (band.isNull())
            return false;
        Painter.drawImage(QRectF(origin.x(), origin.y() + y * toDevice, pixels.width() * toDevice,
                                 rows * toDevice),
                          band);
    }
    return true;
}

}  // namespace

TReaderDialogs SetReaderDialogs(TReaderDialogs Dialogs)
{
    return std::exchange(Seams(), std::move(Dialogs));
}

bool ChoosePrinter(QWidget* Parent, QPrinter& Printer, int PageCount, int CurrentPage)
{
    if (Seams().ChoosePrinter)
        return Seams().ChoosePrinter(Parent, Printer, PageCount, CurrentPage);
    QPrintDialog dialog(&Printer, Parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setMinMax(1, std::max(1, PageCount));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintShowPageSize);
    Q_UNUSED(CurrentPage);
    return dialog.exec() == QDialog::Accepted;
}

QString AskSaveAs(QWidget* Parent, const QString& Proposed)
{
    if (Seams().AskSaveAs)
        return Seams().AskSaveAs(Parent, Proposed);
    QFileDialog dialog(Parent, texts::SaveCopy(), Proposed, texts::PdfFiles());
    dialog.setObjectName(QStringLiteral("SaveCopyDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(Proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

bool OpenUrl(const QUrl& Url)
{
    if (Seams().OpenUrl)
        return Seams().OpenUrl(Url);
    return QDesktopServices::openUrl(Url);
}

void ShowError(QWidget* Parent, const QString& Text)
{
    if (Seams().ShowError) {
        Seams().ShowError(Parent, Text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString(), Text, QMessageBox::Ok, Parent);
    box.setObjectName(QStringLiteral("ReaderError"));
    box.exec();
}

std::vector<int> PagesToPrint(const QPrinter& Printer, int PageCount, int CurrentPage)
{
    std::vector<int> pages;
    int first = 0;
    int last = PageCount - 1;
    switch (Printer.printRange()) {
    case QPrinter::CurrentPage:
        first = last = std::clamp(CurrentPage, 0, PageCount - 1);
        break;
    case QPrinter::PageRange:
        // 1-based and inclusive; 0 means no range was given.
        if (Printer.fromPage() > 0) {
            first = std::max(0, Printer.fromPage() - 1);
            last = std::min(PageCount - 1, std::max(Printer.fromPage(), Printer.toPage()) - 1);
        }
        break;
    default:
        break;
    }
    for (int page = first; page <= last; ++page)
        pages.push_back(page);
    return pages;
}

TPrintJob::TPrintJob(TPdfSourcePtr Source, std::unique_ptr<QPrinter> Printer,
                     std::vector<int> Pages, QWidget* Parent)
    : QObject(Parent), FSource(std::move(Source)), FPrinter(std::move(Printer)),
      FPages(std::move(Pages)), FParent(Parent)
{
}

TPrintJob::~TPrintJob()
{
    if (FThread) {
        FCancelled = true;
        FThread->wait();
        delete FThread;
    }
    delete FProgress;
}

void TPrintJob::Start()
{
    const int count = static_cast<int>(FPages.size());
    FProgress = new QProgressDialog(texts::Printing(1, count), texts::Cancel(), 0, count, FParent);
    FProgress->setObjectName(QStringLiteral("PrintProgress"));
    FProgress->setWindowModality(Qt::NonModal);
    FProgress->setMinimumDuration(400);
    FProgress->setAutoClose(false);
    FProgress->setAutoReset(false);
    connect(FProgress, &QProgressDialog::canceled, this, &TPrintJob::Cancel);
    FThread = QThread::create([this] { Run(); });
    FThread->setObjectName(QStringLiteral("ReaderPrint"));
    FThread->start(QThread::LowPriority);
}

// On the print thread: the printer and this thread's Poppler document are used here only.
void TPrintJob::Run()
{
    auto report = [this](int Done) {
        QMetaObject::invokeMethod(
            this, [this, Done] { OnProgress(Done); }, Qt::QueuedConnection);
    };
    int result = 0;  // 0 done, 1 cancelled, 2 printer refused, 3 document unreadable
    std::unique_ptr<Poppler::Document> doc = LoadPoppler(*FSource);
    QPainter painter;
    if (!doc) {
        result = 3;
    } else {
        for (size_t i = 0; i < FPages.size() && result == 0; ++i) {
            if (FCancelled) {
                result = 1;
                break;
            }
            std::unique_ptr<Poppler::Page> page(doc->page(FPages[i]));
            if (page) {
                const QSizeF size = page->pageSizeF();
                FPrinter->setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
            }
            if (i == 0 ? !painter.begin(FPrinter.get()) : !FPrinter->newPage()) {
                result = 2;
                break;
            }
            // A page Poppler cannot draw stays blank rather than ending the print.
            if (page)
                PrintPage(*page, *FPrinter, painter, FCancelled);
            report(static_cast<int>(i) + 1);
        }
    }
    // A printer's job is withdrawn; a file keeps the pages printed so far.
    if (result == 1 && FPrinter->outputFormat() == QPrinter::NativeFormat)
        FPrinter->abort();
    if (painter.isActive())
        painter.end();
    QMetaObject::invokeMethod(
        this, [this, result] { OnDone(result); }, Qt::QueuedConnection);
}

void TPrintJob::OnProgress(int Done)
{
    const int count = static_cast<int>(FPages.size());
    FProgress->setValue(Done);
    FProgress->setLabelText(texts::Printing(std::min(Done + 1, count), count));
}

void TPrintJob::OnDone(int Result)
{
    FThread->wait();
    delete FThread;
    FThread = nullptr;
    FProgress->hide();
    if (Result == 2)
        ShowError(FParent, texts::PrintFailed());
    else if (Result == 3)
        ShowError(FParent, texts::PrintReadFailed());
    emit finished(Result == 0);
    deleteLater();
}

bool SameFile(const QString& A, const QString& B)
{
    const QFileInfo a(A);
    const QFileInfo b(B);
    if (a.exists() && b.exists())
        return a.canonicalFilePath() == b.canonicalFilePath();
    return a.absoluteFilePath() == b.absoluteFilePath();
}

bool WriteCopy(const TPdfSource& Source, const QString& Target, QString* Error)
{
    QSaveFile out(Target);
    if (!out.open(QIODevice::WriteOnly)) {
        *Error = out.errorString();
        return false;
    }
    if (Source.FileName.isEmpty()) {
        if (out.write(Source.Bytes) != Source.Bytes.size()) {
            *Error = out.errorString();
            return false;
        }
    } else {
        QFile in(Source.FileName);
        if (!in.open(QIODevice::ReadOnly)) {
            *Error = in.errorString();
            out.cancelWriting();
            return false;
        }
        QByteArray chunk;
        while (!(chunk = in.read(1 << 20)).isEmpty()) {
            if (out.write(chunk) != chunk.size()) {
                *Error = out.errorString();
                return false;
            }
        }
        if (in.error() != QFile::NoError) {
            *Error = in.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        *Error = out.errorString();
        return false;
    }
    return true;
}

}  // namespace tavo::pdfreader
