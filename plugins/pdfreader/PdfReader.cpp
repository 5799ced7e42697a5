#include "PdfReader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "PageView.h"
#include "PdfDocument.h"
#include "ReaderIcons.h"
#include "ReaderInterfaces.h"
#include "ReaderOutput.h"
#include "ReaderStrings.h"
#include "ReaderStrip.h"

namespace tavo::pdfreader {

using namespace platform;

TPdfReader::TPdfReader(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("PdfReader"));
    setAccessibleName(texts::DocumentName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FView = new TPageView(this);

    QAction* zoomIn = MakeAction(
        texts::ZoomIn(),
        {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, "ZoomIn");
    zoomIn->setIcon(ReaderIcon(TReaderIcon::riZoomIn, palette()));
    connect(zoomIn, &QAction::triggered, FView, &TPageView::ZoomIn);
    QAction* zoomOut =
        MakeAction(texts::ZoomOut(), QKeySequence::keyBindings(QKeySequence::ZoomOut), "ZoomOut");
    zoomOut->setIcon(ReaderIcon(TReaderIcon::riZoomOut, palette()));
    connect(zoomOut, &QAction::triggered, FView, &TPageView::ZoomOut);
    FFitWidth = MakeAction(texts::FitWidth(), {QKeySequence(Qt::CTRL | Qt::Key_0)}, "FitWidth");
    FFitWidth->setIcon(ReaderIcon(TReaderIcon::riFitWidth, palette()));
    FFitWidth->setCheckable(true);
    connect(FFitWidth, &QAction::triggered, this,
            [this](bool) { ChooseZoomMode(TPdfZoomMode::zmFitWidth); });
    FFitPage = MakeAction(texts::FitPage(), {QKeySequence(Qt::CTRL | Qt::Key_2)}, "FitPage");
    FFitPage->setIcon(ReaderIcon(TReaderIcon::riFitPage, palette()));
    FFitPage->setCheckable(true);
    connect(FFitPage, &QAction::triggered, this,
            [this](bool) { ChooseZoomMode(TPdfZoomMode::zmFitPage); });
    FActualSize =
        MakeAction(texts::ActualSize(), {QKeySequence(Qt::CTRL | Qt::Key_1)}, "ActualSize");
    FActualSize->setIcon(ReaderIcon(TReaderIcon::riActualSize, palette()));
    FActualSize->setCheckable(true);
    connect(FActualSize, &QAction::triggered, this,
            [this](bool) { ChooseZoomMode(TPdfZoomMode::zmActualSize); });
    FBack = MakeAction(texts::Back(), QKeySequence::keyBindings(QKeySequence::Back), "Back");
    FBack->setIcon(ReaderIcon(TReaderIcon::riBack, palette()));
    connect(FBack, &QAction::triggered, this, [this] { emit placeRequested(-1); });
    FForward =
        MakeAction(texts::Forward(), QKeySequence::keyBindings(QKeySequence::Forward), "Forward");
    FForward->setIcon(ReaderIcon(TReaderIcon::riForward, palette()));
    connect(FForward, &QAction::triggered, this, [this] { emit placeRequested(1); });
    QAction* print =
        MakeAction(texts::Print(), QKeySequence::keyBindings(QKeySequence::Print), "Print");
    print->setIcon(ReaderIcon(TReaderIcon::riPrint, palette()));
    connect(print, &QAction::triggered, this, &TPdfReader::Print);
    QAction* saveCopy =
        MakeAction(texts::SaveCopy(), QKeySequence::keyBindings(QKeySequence::Save), "SaveCopy");
    saveCopy->setIcon(ReaderIcon(TReaderIcon::riSave, palette()));
    connect(saveCopy, &QAction::triggered, this, &TPdfReader::SaveCopy);
    QAction* openExternally = MakeAction(texts::OpenExternally(), {}, "OpenExternally");
    openExternally->setIcon(ReaderIcon(TReaderIcon::riOpenExternally, palette()));
    connect(openExternally, &QAction::triggered, this, &TPdfReader::OpenExternally);
    QAction* findNext = MakeAction(texts::FindNext(),
                                   QKeySequence::keyBindings(QKeySequence::FindNext), "FindNext");
    findNext->setIcon(ReaderIcon(TReaderIcon::riNext, palette()));
    QAction* findPrevious =
        MakeAction(texts::FindPrevious(), QKeySequence::keyBindings(QKeySequence::FindPrevious),
                   "FindPrevious");
    findPrevious->setIcon(ReaderIcon(TReaderIcon::riPrevious, palette()));
    QAction* find =
        MakeAction(texts::Find(), QKeySequence::keyBindings(QKeySequence::Find), "Find");
    QAction* copy =
        MakeAction(texts::Copy(), QKeySequence::keyBindings(QKeySequence::Copy), "Copy");
    connect(copy, &QAction::triggered, this, [this] {
        const QString text = FView->SelectedText();
        if (!text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
    });

    FStrip = new TReaderStrip({FBack, FForward, zoomOut, zoomIn, FFitWidth, FFitPage, FActualSize,
                               findPrevious, findNext, print, saveCopy, openExternally},
                              this);
    connect(find, &QAction::triggered, this, [this] {
        FStrip->FindField()->setFocus(Qt::ShortcutFocusReason);
        FStrip->FindField()->selectAll();
    });
    auto findFrom = [this](bool Backwards) {
        const QString text = FStrip->FindField()->text();
        if (text.trimmed().isEmpty()) {
            FStrip->FindField()->setFocus(Qt::ShortcutFocusReason);
            return;
        }
        FStrip->SetFindStatus(texts::FindSearching());
        FView->Find(text, Backwards);
    };
    connect(findNext, &QAction::triggered, this, [findFrom] { findFrom(false); });
    connect(findPrevious, &QAction::triggered, this, [findFrom] { findFrom(true); });
    connect(FStrip, &TReaderStrip::findRequested, this,
            [findFrom](const QString&, bool Backwards) { findFrom(Backwards); });
    connect(FStrip, &TReaderStrip::findCancelled, this, [this] {
        FView->ClearFind();
        if (FStrip->FindField()->hasFocus() && FStrip->FindField()->text().isEmpty())
            FView->setFocus(Qt::OtherFocusReason);
    });
    connect(FView, &TPageView::findFinished, this, [this](bool Found) {
        FStrip->SetFindStatus(Found ? QString() : texts::FindNotFound());
    });
    connect(FStrip, &TReaderStrip::pageEntered, this, [this](int Page) {
        if (Page - 1 != FView->CurrentPage())
            emit placeLeft(FView->CurrentPage() + 1, FView->CurrentTop());
        FView->GoTo(Page - 1);
        FView->setFocus(Qt::OtherFocusReason);
    });
    connect(FView, &TPageView::currentPageChanged, this, [this](int Page) {
        UpdateStrip();
        emit currentPageChanged(Page + 1);
    });
    connect(FView, &TPageView::zoomChanged, this, &TPdfReader::UpdateStrip);
    connect(FView, &TPageView::pageShown, this, [this](int Page) { emit pageShown(Page + 1); });
    connect(FView, &TPageView::placeLeft, this,
            [this](int Page, double Top) { emit placeLeft(Page + 1, Top); });
    connect(FView, &TPageView::placeRequested, this, &TPdfReader::placeRequested);

    FMessage = new QLabel(this);
    FMessage->setObjectName(QStringLiteral("Message"));
    FMessage->setAlignment(Qt::AlignCenter);
    FMessage->setWordWrap(true);
    FMessage->setMargin(24);
    FMessage->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    FMessage->setFocusPolicy(Qt::StrongFocus);

    FStack = new QStackedWidget(this);
    FStack->addWidget(FView);
    FStack->addWidget(FMessage);
    layout->addWidget(FStrip);
    layout->addWidget(FStack, 1);
    setFocusProxy(FView);
    setTabOrder(FView, FStrip);
    UpdateStrip();
}

TPdfReader::~TPdfReader()
{
    FView->SetDocument(nullptr);
}

QAction* TPdfReader::MakeAction(const QString& Text, const QList<QKeySequence>& Keys,
                                const char* Name)
{
    auto* action = new QAction(Text, this);
    action->setObjectName(QString::fromLatin1(Name));
    action->setShortcuts(Keys);
    // Keys work while the focus is anywhere in this control, and nowhere else.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    return action;
}

void TPdfReader::UpdateStrip()
{
    const int count = FDoc ? FDoc->PageCount() : 0;
    FStrip->SetPage(FView->CurrentPage() + 1, count);
    // What a screen reader says of the page view: which page is in it.
    FView->setAccessibleDescription(count > 0 ? texts::PageInView(FView->CurrentPage() + 1, count)
                                              : QString());
    FStrip->SetZoom(FView->Zoom());
    FFitWidth->setChecked(FView->ZoomMode() == TPdfZoomMode::zmFitWidth);
    FFitPage->setChecked(FView->ZoomMode() == TPdfZoomMode::zmFitPage);
    FActualSize->setChecked(FView->ZoomMode() == TPdfZoomMode::zmActualSize);
    for (QAction* action : actions())
        action->setEnabled(FDoc != nullptr);
    // Places lead across documents: the viewer's list says, document or none.
    FBack->setEnabled(FCanGoBack);
    FForward->setEnabled(FCanGoForward);
}

void TPdfReader::Unload()
{
    FView->SetDocument(nullptr);
    FDoc.reset();
    FMessage->clear();
    FStack->setCurrentWidget(FView);
    FStrip->SetFindStatus(QString());
    UpdateStrip();
}

void TPdfReader::ShowMessage(const QString& Text)
{
    FMessage->setText(Text);
    FMessage->setAccessibleName(Text);
    const bool hadFocus = FView->hasFocus();
    FStack->setCurrentWidget(FMessage);
    if (hadFocus)
        FMessage->setFocus(Qt::OtherFocusReason);
}

bool TPdfReader::Load(const QString& FileName)
{
    Unload();
    if (FileName.isEmpty())
        return false;
    QString error;
    const TPdfSourcePtr source = FileSource(FileName);
    FView->Prepare(source);
    FDoc = TPdfDocument::Open(source, &error);
    if (!FDoc) {
        FView->SetDocument(nullptr);
        ShowMessage(error);
        return false;
    }
    FView->SetDocument(FDoc.get());
    UpdateStrip();
    return true;
}

void TPdfReader::ShowPage(int32_t Page, double Top)
{
    if (FDoc)
        FView->GoTo(Page - 1, Top);
}

bool TPdfReader::ShowDestination(const QString& Name)
{
    if (!FDoc)
        return false;
    const auto target = FDoc->Destination(Name);
    if (!target)
        return false;
    FView->GoTo(target->Page, target->Top.value_or(0));
    return true;
}

void TPdfReader::FitWidth(double Top)
{
    if (!FDoc)
        return;
    const int page = std::max(0, FView->CurrentPage());
    FView->SetFitWidth(true);
    FView->GoTo(page, Top);
}

void TPdfReader::FitPage()
{
    if (FDoc)
        FView->FitPage();
}

double TPdfReader::CurrentTop() const
{
    return FDoc ? FView->CurrentTop() : 0;
}

TPdfZoomMode TPdfReader::ZoomMode() const
{
    return FView->ZoomMode();
}

void TPdfReader::SetZoomMode(TPdfZoomMode Mode)
{
    FView->SetZoomMode(Mode);
}

void TPdfReader::ChooseZoomMode(TPdfZoomMode Mode)
{
    SetZoomMode(Mode);
    emit zoomModeChosen(static_cast<int>(Mode));
}

void TPdfReader::SetPlacesState(bool CanGoBack, bool CanGoForward)
{
    FCanGoBack = CanGoBack;
    FCanGoForward = CanGoForward;
    FBack->setEnabled(CanGoBack);
    FForward->setEnabled(CanGoForward);
}

void TPdfReader::Print()
{
    if (!FDoc || FPrinting)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QFileInfo(FDoc->Source()->FileName).completeBaseName());
    printer->setFromTo(1, FDoc->PageCount());
    if (!ChoosePrinter(this, *printer, FDoc->PageCount(), FView->CurrentPage() + 1))
        return;
    std::vector<int> pages = PagesToPrint(*printer, FDoc->PageCount(), FView->CurrentPage());
    if (pages.empty())
        return;
    FPrinting = true;
    auto* job = new TPrintJob(FDoc->Source(), std::move(printer), std::move(pages), this);
    connect(job, &TPrintJob::finished, this, [this](bool Ok) {
        FPrinting = false;
        emit printFinished(Ok);
    });
    job->Start();
}

void TPdfReader::SaveCopy()
{
    if (!FDoc)
        return;
    const TPdfSource& source = *FDoc->Source();
    QString name = QFileInfo(source.FileName).fileName();
    if (name.isEmpty())
        name = QStringLiteral("document.pdf");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString target = AskSaveAs(this, QDir(folder).filePath(name));
    if (target.isEmpty())
        return;
    if (!source.FileName.isEmpty() && SameFile(source.FileName, target)) {
        ShowError(this, texts::SaveOverOriginal());
        return;
    }
    QString error;
    if (!WriteCopy(source, target, &error))
        ShowError(this, texts::SaveFailed(QDir::toNativeSeparators(target), error));
}

void TPdfReader::OpenExternally()
{
    if (!FDoc || FDoc->Source()->FileName.isEmpty())
        return;
    if (!OpenUrl(QUrl::fromLocalFile(QFileInfo(FDoc->Source()->FileName).absoluteFilePath())))
        ShowError(this, texts::OpenFailed());
}

TStatus TPdfReader::Invoke(int32_t DispId, const QVariantList& Args, QVariant* Result)
{
    return InvokeByNumber(*this, DispId, Args, Result);
}

int32_t TPdfReader::CurrentPage() const
{
    return FDoc ? FView->CurrentPage() + 1 : 0;
}

int32_t TPdfReader::PageCount() const
{
    return FDoc ? FDoc->PageCount() : 0;
}

void TPdfReader::MarkWords(int32_t Page, const QStringList& Words)
{
    FView->MarkWords(Page - 1, Words);
}

int32_t TPdfReader::DestinationPage(const QString& Name)
{
    if (!FDoc)
        return 0;
    const std::optional<TPdfTarget> target = FDoc->Destination(Name);
    return target ? target->Page + 1 : 0;
}

int TPdfReader::MarkCount() const
{
    return FView->MarkCount();
}

qint64 TPdfReader::CacheLimit() const
{
    return FView->Cache().Limit();
}

void TPdfReader::SetCacheLimit(qint64 Bytes)
{
    FView->Cache().SetLimit(Bytes);
}

qint64 TPdfReader::CacheBytes() const
{
    return FView->Cache().Bytes();
}

qint64 TPdfReader::CachePeakBytes() const
{
    return FView->Cache().PeakBytes();
}

qint64 TPdfReader::ImageBytes() const
{
    return FView->ImageBytes();
}

double TPdfReader::Zoom() const
{
    return FView->Zoom();
}

bool TPdfReader::FitsWidth() const
{
    return FView->FitWidth();
}

QString TPdfReader::Message() const
{
    return FStack->currentWidget() == FMessage ? FMessage->text() : QString();
}

QString TPdfReader::SelectedText() const
{
    return FView->SelectedText();
}

bool TPdfReader::Settled() const
{
    return FView->Settled();
}

TStatus TPdfReaderAx::LoadFile(const QString& FileName, bool* Loaded)
{
    const bool loaded = Load(FileName);
    if (Loaded)
        *Loaded = loaded;
    return kStatusOk;
}

TStatus TPdfReaderAx::setCurrentPage(int32_t Page)
{
    ShowPage(Page);
    return kStatusOk;
}

TStatus TPdfReaderAx::setNamedDest(const QString& Name)
{
    ShowDestination(Name);
    return kStatusOk;
}

TStatus TPdfReaderAx::setView(const QString& View)
{
    ApplyViewText(*this, View);
    return kStatusOk;
}

}  // namespace tavo::pdfreader
