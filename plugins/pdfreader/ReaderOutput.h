#pragma once
// What leaves the reader: printing, a copy of the document, the desktop's own PDF viewer. The
// dialogs stand behind seams that tests answer; the real ones are the desktop's.
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "PdfDocument.h"

class QPrinter;
class QProgressDialog;
class QThread;
class QUrl;
class QWidget;

namespace tavo::pdfreader {

struct TReaderDialogs {
    // Chooses the printer and the pages to print (QPrinter's print range, from and to page);
    // false cancels. The real one is the print dialog.
    std::function<bool(QWidget* Parent, QPrinter& Printer, int PageCount, int CurrentPage)>
        ChoosePrinter;
    // The file a copy goes to, Proposed first offered; empty cancels. The real one is the
    // desktop's save dialog, which asks before replacing a file.
    std::function<QString(QWidget* Parent, const QString& Proposed)> AskSaveAs;
    // Hands a file to the desktop; false when nothing took it.
    std::function<bool(const QUrl& Url)> OpenUrl;
    // An error for the user.
    std::function<void(QWidget* Parent, const QString& Text)> ShowError;
};

// Members left empty are the real dialogs. Returns the previous set.
TReaderDialogs SetReaderDialogs(TReaderDialogs Dialogs);
bool ChoosePrinter(QWidget* Parent, QPrinter& Printer, int PageCount, int CurrentPage);
QString AskSaveAs(QWidget* Parent, const QString& Proposed);
bool OpenUrl(const QUrl& Url);
void ShowError(QWidget* Parent, const QString& Text);

// The 0-based pages the printer's range asks for, in order.
std::vector<int> PagesToPrint(const QPrinter& Printer, int PageCount, int CurrentPage);

// One print: its own Poppler document on a thread of its own renders the pages at the
// printer's resolution onto the printer, each over its words, so that the printed pages keep
// their text (a PDF printed to a file can be searched and copied from). A progress dialog
// that does not block the window shows the page and cancels.
class TPrintJob : public QObject {
    Q_OBJECT

public:
    TPrintJob(TPdfSourcePtr Source, std::unique_ptr<QPrinter> Printer, std::vector<int> Pages,
              QWidget* Parent);
    ~TPrintJob() override;

    void Start();
    void Cancel() { FCancelled = true; }

signals:
    // Ok: every page went to the printer; false after a cancel or a failure.
    void finished(bool Ok);

private:
    void Run();
    void OnProgress(int Done);
    void OnDone(int Result);

    TPdfSourcePtr FSource;
    std::unique_ptr<QPrinter> FPrinter;
    std::vector<int> FPages;
    QWidget* FParent;
    QProgressDialog* FProgress = nullptr;
    QThread* FThread = nullptr;
    std::atomic<bool> FCancelled{false};
};

// Writes the source's bytes to Target whole or not at all; false with Error set.
bool WriteCopy(const TPdfSource& Source, const QString& Target, QString* Error);
// True when A and B are the same file (or the same path, when one does not exist).
bool SameFile(const QString& A, const QString& B);

}  // namespace tavo::pdfreader
