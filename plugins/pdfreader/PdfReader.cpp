#include "PdfReader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "PageView.h"
#include "PdfDocument.h"
#include "ReaderIcons.h"
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

TStatus TPdfReader::Load(const QString& FileName, bool* Loaded)
{
    if (Loaded)
        *Loaded = false;
    Unload();
    if (FileName.isEmpty())
        return kStatusOk;
    QString error;
    const TPdfSourcePtr source = FileSource(FileName);
    FView->Prepare(source);
    FDoc = TPdfDocument::Open(source, &error);
    if (!FDoc) {
        FView->SetDocument(nullptr);
        ShowMessage(error);
        return kStatusOk;
    }
    FView->SetDocument(FDoc.get());
    UpdateStrip();
    if (Loaded)
        *Loaded = true;
    return kStatusOk;
}

TStatus TPdfReader::GoToPage(int32_t Page)
{
    if (FDoc)
        FView->GoTo(Page - 1);
    return kStatusOk;
}

TStatus TPdfReader::GoToDestination(const QString& Name)
{
    if (!FDoc)
        return kStatusOk;
    if (const auto target = FDoc->Destination(Name))
        FView->GoTo(target->Page, target->Top.value_or(0));
    return kStatusOk;
}

// "FitH" or "FitH,top" (top in points from the page's top), "Fit"; letter case and spaces
// do not matter. Other views are left alone.
TStatus TPdfReader::ApplyView(const QString& View)
{
    if (!FDoc)
        return kStatusOk;
    static const QRegularExpression fitH(QStringLiteral(R"(^\s*fith\s*(?:,\s*(-?[0-9.]+)\s*)?$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fit(QStringLiteral(R"(^\s*fit\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = fitH.match(View);
    if (match.hasMatch()) {
        const int page = std::max(0, FView->CurrentPage());
        FView->SetFitWidth(true);
        FView->GoTo(page, match.captured(1).toDouble());
    } else if (fit.match(View).hasMatch()) {
        FView->FitPage();
    }
    return kStatusOk;
}

TStatus TPdfReader::Invoke(int32_t DispId, const QVariantList& Args, QVariant* Result)
{
    auto arg = [&](QMetaType::Type Type) -> TStatus {
        if (Args.size() != 1)
            return kStatusBadParamCount;
        if (Args[0].metaType().id() != Type)
            return kStatusTypeMismatch;
        return kStatusOk;
    };
    TStatus status = kStatusOk;
    switch (DispId) {
    case DispLoadFile: {
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        bool loaded = false;
        status = Load(Args[0].toString(), &loaded);
        if (Result)
            *Result = loaded;
        return status;
    }
    case DispSetCurrentPage:
        if ((status = arg(QMetaType::Int)) != kStatusOk)
            return status;
        return GoToPage(Args[0].toInt());
    case DispSetNamedDest:
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        return GoToDestination(Args[0].toString());
    case DispSetView:
        if ((status = arg(QMetaType::QString)) != kStatusOk)
            return status;
        return ApplyView(Args[0].toString());
    default:
        return kStatusMemberNotFound;
    }
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

bool TPdfReader::FitWidth() const
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
    return Load(FileName, Loaded);
}

TStatus TPdfReaderAx::setCurrentPage(int32_t Page)
{
    return GoToPage(Page);
}

TStatus TPdfReaderAx::setNamedDest(const QString& Name)
{
    return GoToDestination(Name);
}

TStatus TPdfReaderAx::setView(const QString& View)
{
    return ApplyView(View);
}

}  // namespace tavo::pdfreader
