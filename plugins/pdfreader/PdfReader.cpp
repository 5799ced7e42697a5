#include "PdfReader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "PageView.h"
#include "PdfDocument.h"
#include "ReaderIcons.h"
#include "ReaderInterfaces.h"
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
    connect(FFitWidth, &QAction::triggered, this, [this](bool) { FView->SetFitWidth(true); });
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

    FStrip = new TReaderStrip({zoomOut, zoomIn, FFitWidth, findPrevious, findNext}, this);
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
        FView->GoTo(Page - 1);
        FView->setFocus(Qt::OtherFocusReason);
    });
    connect(FView, &TPageView::currentPageChanged, this, [this](int Page) {
        UpdateStrip();
        emit currentPageChanged(Page + 1);
    });
    connect(FView, &TPageView::zoomChanged, this, &TPdfReader::UpdateStrip);
    connect(FView, &TPageView::pageShown, this, [this](int Page) { emit pageShown(Page + 1); });

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
    FFitWidth->setChecked(FView->FitWidth());
    for (QAction* action : actions())
        action->setEnabled(FDoc != nullptr);
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
