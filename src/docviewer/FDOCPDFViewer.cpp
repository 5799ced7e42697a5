#include "FDOCPDFViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "FAdobeRader6Warrning.h"
#include "ManualSearchPanel.h"
#include "PDFLib_TLB.h"
#include "PdfLib_TLB_Old.h"
#include "PdfPanel.h"
#include "PdfTreeView.h"
#include "ReaderPool.h"
#include "TransparentPanel.h"
#include "ViewerParts.h"
#include "catalogue/DocCatalogue.h"
#include "platform/AnsiText.h"
#include "platform/ProgramStart.h"
#include "platform/StringTable.h"
#include "split/OxSplit.h"
#include "tools/Colors.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"
#include "tools/TextToNumber.h"

namespace tavo::docviewer {

using catalogue::TDocItem0;
using split::ToxScrollPane;
using split::ToxSplit;

namespace {

// Pages written as expressions ("-2*3") through the utility library, which reports a bad one.
int32_t PageExpression(const std::string& Text)
{
    int32_t value = objects::NullInt;
    tools::TextToInt(Text, value);
    return value;
}

}  // namespace

TF_DocPDFViewer::TF_DocPDFViewer(QWidget* Owner) : TdxBar_Form(Owner)
{
    setObjectName(QStringLiteral("F_DocPDFViewer"));
    setWindowTitle(tr("Documentation"));
    setWindowFlags(Qt::Widget | Qt::FramelessWindowHint);
    resize(506, 469);
    setAccessibleName(tr("Documentation"));

    Split = new ToxSplit(this);
    Split->setObjectName(QStringLiteral("Split"));
    Split->SetStyle(split::oxsInset);
    Split->SetOptions({split::oxsHideInvisible, split::oxsSaveAsPercent});
    Split->SetAutoUpdate(false);
    Split->SetSyncScroll(false);
    Split->SetDockSite(false);
    Split->setAccessibleName(tr("Documentation"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Split);
    Split->setGeometry(rect());

    BuildTreePane();
    BuildPdfPane();
    Split->SetOrientation(split::oxsVert);
    Split->SetPercentX(42);
    Split->SetPercentY(22);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(400);

    connect(Timer, &QTimer::timeout, this, tools::Guarded([this] { TimerTimer(); }));
    connect(PdfTreeView, &TPdfTreeView::Change, this,
            tools::Guarded([this](const QModelIndex& Node) { PdfTreeViewChange(Node); }));
    PdfTreeView->OnSelectInitial = [this] { SelectInitial(); };
    connect(SB_TreeH, &QToolButton::clicked, this, tools::Guarded([this] { SB_TreeHClick(); }));
    connect(SB_TreeV, &QToolButton::clicked, this, tools::Guarded([this] { SB_TreeVClick(); }));
    connect(Btn_InstalAcrobat, &QPushButton::clicked, this,
            tools::Guarded([this] { Btn_InstalAcrobatClick(); }));
    connect(Split, &ToxSplit::OnResize, this, [this] { SplitResize(); });
    connect(
        SearchPanel, &TManualSearchPanel::OpenRequested, this,
        tools::Guarded([this](const std::filesystem::path& File, int32_t Page,
                              const QStringList& Words) { OpenSearchResult(File, Page, Words); }));
    PDFPane->installEventFilter(this);
    P_Pdf->installEventFilter(this);
    PdfTreeView->installEventFilter(this);

    // F6 moves between the contents and the document, as in other programs with panes.
    for (QKeySequence key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { SwitchFocus(); });
    }
    // Back and forward through places from the contents too (the reader has its own keys).
    for (const auto& [key, direction] :
         {std::pair{QKeySequence::Back, -1}, std::pair{QKeySequence::Forward, 1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), PdfTreeView);
        shortcut->setContext(Qt::WidgetShortcut);
        // A copy: clang before 16 cannot capture a structured binding.
        const int step = direction;
        connect(shortcut, &QShortcut::activated, this,
                tools::Guarded([this, step] { GoPlace(step); }));
    }
    // Once the document has the focus, however it got there, the first click needs no catching.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* Now) {
        TReaderControl* control = CurrentControl();
        if (ClickPanel && control && Now && (Now == control || control->isAncestorOf(Now)))
            ClickPanel->hide();
    });

    FormCreate();
}

TF_DocPDFViewer::~TF_DocPDFViewer()
{
    FormDestroy();
}

void TF_DocPDFViewer::FormCreate()
{
    FControlPending = true;
    FControlReady = false;
    FFirstShow = true;
    FCurrentFile.clear();
    FCurrentPage = 0;
    FCurrentDest.clear();
    FLastType = objects::NullInt;
    FPdfControl = nullptr;
    FPdfOldControl = nullptr;
    FOrientV = true;
    UpdateButtons();
}

void TF_DocPDFViewer::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    Timer->stop();
    // A failing reader must not stop the layout from being stored or the window from going.
    try {
        CloseDocument();
    } catch (...) {
        ForgetControl();
    }
    CurrentLayout().Store();
}

bool TF_DocPDFViewer::Busy() const
{
    return PdfTreeView->Busy();
}

void TF_DocPDFViewer::FillTree(const catalogue::TDocCatalogue* Catalogue, tools::TImageList* Images)
{
    FDestinationPages.clear();
    FDelegate->Marked = QPersistentModelIndex();
    SearchPanel->SetCatalogue(Catalogue);
    PdfTreeView->FillTree(Catalogue, Images);
}

void TF_DocPDFViewer::showEvent(QShowEvent* Event)
{
    TdxBar_Form::showEvent(Event);
    tools::Guarded([this] { FormShow(); })();
}

void TF_DocPDFViewer::hideEvent(QHideEvent* Event)
{
    TdxBar_Form::hideEvent(Event);
    FormHide();
}

void TF_DocPDFViewer::FormShow()
{
    if (FFirstShow) {
        bool setup = !tools::IsBlank(ReaderSetupPath);
        Btn_InstalAcrobat->setVisible(setup);
        L_AcrobatInstal->setVisible(!setup);
        if (!FLayoutApplied) {
            FLayoutApplied = true;
            ApplyLayout(TViewerLayout::Load());
            FZoomMode = LoadZoomMode();
        }
        SelectInitial();
        Timer->start();
        // After the first document has opened: reading the others must not slow it down.
        SearchPanel->StartIndexingSoon(1500);
    }
    UpdateButtons();
}

void TF_DocPDFViewer::FormHide()
{
    Timer->stop();
}

void TF_DocPDFViewer::FormClose()
{
    Timer->stop();
    CloseDocument();
}

void TF_DocPDFViewer::TimerTimer()
{
    Timer->stop();
    if (!FControlPending)
        return;
    FFirstShow = false;
    QPointer<TF_DocPDFViewer> self(this);
    SelectInitial();
    if (!self)
        return;
    TReaderControl* control = CurrentControl();
    if (FControlPending && (!control || !control->parentWidget()))
        Timer->start();
}

void TF_DocPDFViewer::SelectInitial()
{
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    int32_t node = 0;
    if (catalogue && FLastType != objects::NullInt)
        node = catalogue->FirstNodeWithFile(
            [this](const catalogue::TDocItem0& Item) { return Item.CaptionTyp() == FLastType; });
    if (catalogue && node == 0)
        node = catalogue->FirstNodeWithFile();
    if (node > 0) {
        QPointer<TF_DocPDFViewer> self(this);
        QPersistentModelIndex kept(PdfTreeView->IndexOf(node));
        if (!CurrentControl())
            PdfTreeViewChange(kept);
        if (self && kept.isValid())
            PdfTreeView->setCurrentIndex(kept);
        return;
    }
    OpenDocument(std::filesystem::path(), 1, std::string());
}

void TF_DocPDFViewer::PdfTreeViewChange(const QModelIndex& Node)
{
    if (Busy() || !Node.isValid())
        return;
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    const TDocItem0* item = PdfTreeView->ItemOf(Node);
    if (!item || !catalogue)
        return;
    if (!item->HasFile(catalogue->Folder())) {
        PdfTreeView->expand(Node);
        return;
    }
    const std::filesystem::path file =
        catalogue->Document(catalogue->Toc().Entry(PdfTreeView->NodeOf(Node)));
    int32_t type = item->CaptionTyp();
    QPointer<TF_DocPDFViewer> self(this);
    // The type is kept whatever becomes of the opening.
    struct TKeepType {
        QPointer<TF_DocPDFViewer>& Self;
        int32_t Type;
        ~TKeepType()
        {
            if (Self)
                Self->FLastType = Type;
        }
    } keep{self, type};
    RecordPlace(ShownPlace());
    OpenDocument(file, item->PageNumber(PageExpression), item->Destination());
}

void TF_DocPDFViewer::SetCatalogueWarning(const QString& Text)
{
    L_CatalogueWarning->setText(Text);
    L_CatalogueWarning->setVisible(!Text.isEmpty());
}

void TF_DocPDFViewer::Btn_InstalAcrobatClick()
{
    if (!platform::StartProgram(ReaderSetupPath)) {
        // Ending the program now would leave the user with neither reader nor manual.
        tools::ErrorMessageFmt(SInstallerNotStarted, {ReaderSetupPath});
        return;
    }
    window()->close();
}

void TF_DocPDFViewer::SB_TreeVClick()
{
    bool focused = SB_TreeV->hasFocus();
    Split->SetOrientation(split::oxsVert);
    FOrientV = true;
    UpdateButtons();
    if (focused)
        SB_TreeH->setFocus();
}

void TF_DocPDFViewer::SB_TreeHClick()
{
    bool focused = SB_TreeH->hasFocus();
    Split->SetOrientation(split::oxsHorz);
    FOrientV = false;
    UpdateButtons();
    if (focused)
        SB_TreeV->setFocus();
}

void TF_DocPDFViewer::UpdateButtons()
{
    SB_TreeV->setVisible(Split->Orientation() == split::oxsHorz);
    SB_TreeH->setVisible(SB_TreeV->isHidden());
}

void TF_DocPDFViewer::SplitResize()
{
    if (Split->PositionX() < TreePane->minimumWidth())
        Split->SetPositionX(TreePane->minimumWidth());
    if (Split->PositionY() < TreePane->minimumHeight())
        Split->SetPositionY(TreePane->minimumHeight());
}

void TF_DocPDFViewer::PDFPaneResize()
{
    if (!ClickPanel)
        return;
    QPoint pane = PDFPane->mapTo(this, QPoint(0, 0));
    ClickPanel->setGeometry(pane.x(), pane.y(), P_Pdf->width(), P_Pdf->height());
}

void TF_DocPDFViewer::ApplyLayout(const TViewerLayout& Layout)
{
    Split->SetPercentX(Layout.AppliedPercentX());
    Split->SetPercentY(Layout.AppliedPercentY());
    FOrientV = Layout.OrientV;
    Split->SetOrientation(Layout.OrientV ? split::oxsVert : split::oxsHorz);
    // A change of state acts as a click: unticking collapses the tree built expanded.
    CB_ExpandAll->setChecked(Layout.AutoExpandTree);
    UpdateButtons();
}

TViewerLayout TF_DocPDFViewer::CurrentLayout() const
{
    TViewerLayout layout;
    layout.PercentX = Split->PercentX();
    layout.PercentY = Split->PercentY();
    layout.OrientV = FOrientV;
    layout.AutoExpandTree = CB_ExpandAll->isChecked();
    return layout;
}

bool TF_DocPDFViewer::eventFilter(QObject* Watched, QEvent* Event)
{
    // The pane moves with the bar; the panel inside it takes the pane's new size after the
    // pane has seen its own resize.
    if ((Watched == PDFPane && Event->type() == QEvent::Move) ||
        (Watched == P_Pdf && Event->type() == QEvent::Resize)) {
        PDFPaneResize();
    } else if (Watched == PdfTreeView && Event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(Event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            // Enter opens the entry again, at its page, after scrolling elsewhere.
            QModelIndex node = PdfTreeView->currentIndex();
            tools::Guarded([this, node] { PdfTreeViewChange(node); })();
            return true;
        }
    }
    return TdxBar_Form::eventFilter(Watched, Event);
}

}  // namespace tavo::docviewer
