#include "FDOCPDFViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QHideEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "FAdobeRader6Warrning.h"
#include "ManualSearchPanel.h"
#include "PDFLib_TLB.h"
#include "PdfLib_TLB_Old.h"
#include "PdfPanel.h"
#include "PdfTreeView.h"
#include "ReaderPool.h"
#include "TransparentPanel.h"
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

// Draws the entry whose part of the document is on screen in bold; the selection stays
// where the user put it, so marking never opens anything.
class TCurrentEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QPersistentModelIndex Marked;

protected:
    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override
    {
        QStyledItemDelegate::initStyleOption(Option, Index);
        if (Marked.isValid() && Index == Marked)
            Option->font.setBold(true);
    }
};

namespace {

QString Str(int32_t Id)
{
    return platform::FromAnsi(platform::LoadStr(Id));
}

QLabel* MessageLabel(const char* Name, const QString& Text, const QColor& Colour)
{
    auto* label = new QLabel(Text);
    label->setObjectName(QLatin1String(Name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    label->setContentsMargins(4, 6, 4, 6);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Colour);
    label->setPalette(pal);
    label->hide();
    return label;
}

QToolButton* TreeButton(QWidget* Parent, const char* Name, const QString& Hint, const char* Icon)
{
    auto* b = new QToolButton(Parent);
    b->setObjectName(QLatin1String(Name));
    b->setGeometry(29, 2, 24, 22);
    b->setAutoRaise(true);  // flat
    b->setIcon(QIcon(QLatin1String(Icon)));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(Hint);
    b->setAccessibleName(Hint);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

constexpr const QColor Navy(0, 0, 128);

}  // namespace

bool DocumentExists(const std::filesystem::path& Document)
{
    std::error_code ec;
    return !Document.empty() && std::filesystem::is_regular_file(Document, ec);
}

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

void TF_DocPDFViewer::BuildTreePane()
{
    TreePane = new ToxScrollPane(Split);
    TreePane->setObjectName(QStringLiteral("TreePane"));
    TreePane->SetAutoDock(false);
    TreePane->setMinimumSize(56, 56);
    TreePane->setFocusPolicy(Qt::NoFocus);  // a container: Tab goes to what it holds
    TreePane->setWidgetResizable(true);
    TreePane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TreePane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TreePane->setAccessibleName(Str(SNameContentsPane));

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("TreePaneContent"));
    content->setMinimumSize(0, 0);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = new QFrame(content);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(27);
    Panel1->setMinimumWidth(0);
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAccessibleName(Str(SNameContentsButtons));
    SB_TreeH =
        TreeButton(Panel1, "SB_TreeH", tr("Table of contents on top"), ":/docviewer/tree-top.svg");
    SB_TreeV = TreeButton(Panel1, "SB_TreeV", tr("Table of contents on the left"),
                          ":/docviewer/tree-left.svg");
    CB_ExpandAll = new QCheckBox(tr("Expand"), Panel1);
    CB_ExpandAll->setObjectName(QStringLiteral("CB_ExpandAll"));
    CB_ExpandAll->setGeometry(58, 4, 69, 17);
    CB_ExpandAll->setToolTip(tr("Auto expand whole table of contents"));
    CB_ExpandAll->setAccessibleDescription(tr("Auto expand whole table of contents"));
    CB_ExpandAll->setChecked(true);
    column->addWidget(Panel1);

    // Searching the whole manual: the field above the tree, the results in its place.
    // A catalogue that could be read only in part says so above what it holds.
    L_CatalogueWarning = new QLabel(content);
    L_CatalogueWarning->setObjectName(QStringLiteral("L_CatalogueWarning"));
    L_CatalogueWarning->setWordWrap(true);
    L_CatalogueWarning->setTextFormat(Qt::PlainText);
    L_CatalogueWarning->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::TextSelectableByKeyboard);
    L_CatalogueWarning->setContentsMargins(4, 2, 4, 2);
    L_CatalogueWarning->setAutoFillBackground(true);
    QPalette warning = L_CatalogueWarning->palette();
    warning.setColor(QPalette::Window, tools::ToQColor(tools::clInfoBk));
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    L_CatalogueWarning->setPalette(warning);
    L_CatalogueWarning->hide();
    column->addWidget(L_CatalogueWarning);
    SearchPanel = new TManualSearchPanel(content);
    column->addWidget(SearchPanel);
    SearchPanel->AddShortcutsTo(TreePane);
    connect(SearchPanel, &TManualSearchPanel::ResultsShownChanged, this,
            [column, this](bool Shown) { column->setStretchFactor(SearchPanel, Shown ? 1 : 0); });

    PdfTreeView = new TPdfTreeView(content);
    PdfTreeView->setMinimumSize(0, 0);
    PdfTreeView->setToolTip(QString());
    FDelegate = new TCurrentEntryDelegate(PdfTreeView);
    PdfTreeView->setItemDelegate(FDelegate);
    PdfTreeView->LinkExpandCheckBox(CB_ExpandAll);
    column->addWidget(PdfTreeView, 1);
    SearchPanel->SetContents(PdfTreeView);
    TreePane->setWidget(content);

    setTabOrder(SB_TreeH, SB_TreeV);
    setTabOrder(SB_TreeV, CB_ExpandAll);
    setTabOrder(CB_ExpandAll, SearchPanel->E_ManualSearch);
    setTabOrder(SearchPanel->E_ManualSearch, SearchPanel->Btn_NotSearched);
    setTabOrder(SearchPanel->Btn_NotSearched, SearchPanel->L_NotSearched);
    setTabOrder(SearchPanel->L_NotSearched, SearchPanel->LV_SearchResults);
    setTabOrder(SearchPanel->LV_SearchResults, PdfTreeView);
}

void TF_DocPDFViewer::BuildPdfPane()
{
    PDFPane = new ToxScrollPane(Split);
    PDFPane->setObjectName(QStringLiteral("PDFPane"));
    PDFPane->SetAutoDock(false);
    PDFPane->setWidgetResizable(true);
    PDFPane->setFocusPolicy(Qt::NoFocus);
    PDFPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PDFPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PDFPane->setAccessibleName(Str(SNameDocumentPane));

    P_Pdf = new TPdfPanel;
    P_Pdf->setObjectName(QStringLiteral("P_Pdf"));
    P_Pdf->setFrameShape(QFrame::NoFrame);
    P_Pdf->setMinimumSize(0, 0);
    P_Pdf->setAutoFillBackground(true);
    QPalette pal = P_Pdf->palette();
    pal.setColor(QPalette::Window, tools::ToQColor(tools::clWindow));
    P_Pdf->setPalette(pal);
    P_Pdf->setAccessibleName(Str(SNameDocument));

    L_AcrobatLoading =
        MessageLabel("L_AcrobatLoading", tr("Opening Adobe Acrobat Reader - Please wait"), Navy);
    L_NoDocMsg = MessageLabel("L_NoDocMsg", tr("No documentation"), Navy);
    QFont big = L_NoDocMsg->font();
    big.setBold(true);
    L_NoDocMsg->setFont(big);
    L_AcrobatLoading->setFont(big);
    // Under "No documentation": the file that was looked for, which the user may copy.
    L_NoDocFile = MessageLabel("L_NoDocFile", QString(), Navy);
    L_NoDocFile->setTextFormat(Qt::PlainText);
    L_NoDocFile->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    P_AcrobatSetup = new QFrame;
    P_AcrobatSetup->setObjectName(QStringLiteral("P_AcrobatSetup"));
    P_AcrobatSetup->setFixedHeight(95);
    P_AcrobatSetup->setAccessibleName(tr("Acrobat Reader setup"));
    Label5 = new QLabel(tr("Acrobat Reader program for viewing the documentation has not been "
                           "installed on this computer"),
                        P_AcrobatSetup);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette red = Label5->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label5->setPalette(red);
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    L_AcrobatInstal = new QLabel(tr("The Acrobat Reader installation files are placed on CD in "
                                    "folder '\\setup\\acrobat\\'."),
                                 P_AcrobatSetup);
    L_AcrobatInstal->setObjectName(QStringLiteral("L_AcrobatInstal"));
    L_AcrobatInstal->setWordWrap(true);
    L_AcrobatInstal->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Btn_InstalAcrobat = new QPushButton(tr("Install Acrobat Reader"), P_AcrobatSetup);
    Btn_InstalAcrobat->setObjectName(QStringLiteral("Btn_InstalAcrobat"));
    // The button and the label share one place: only one of them is ever shown.
    auto* setupColumn = new QVBoxLayout(P_AcrobatSetup);
    setupColumn->setContentsMargins(8, 8, 8, 8);
    setupColumn->addWidget(Label5);
    auto* place = new QHBoxLayout;
    place->addStretch(1);
    place->addWidget(L_AcrobatInstal, 4);
    place->addWidget(Btn_InstalAcrobat);
    place->addStretch(1);
    setupColumn->addLayout(place);
    P_AcrobatSetup->hide();

    P_Pdf->AddTopItem(L_AcrobatLoading);
    P_Pdf->AddTopItem(L_NoDocMsg);
    P_Pdf->AddTopItem(L_NoDocFile);
    P_Pdf->AddTopItem(P_AcrobatSetup);
    PDFPane->setWidget(P_Pdf);
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
    OpenDocument(file, item->PageNumber(PageExpression), item->Destination());
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
        if (Page >= 0)
            view->ShowPage(Page);
        if (tools::IsBlank(Destination))
            view->FitWidth();
        else
            view->ShowDestination(platform::FromAnsi(Destination));
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
            Str(SDocumentNotFound)
                .replace(QLatin1String("%s"), QString::fromStdString(FileName.string())));
    L_NoDocFile->setVisible(missing);
}

void TF_DocPDFViewer::SetCatalogueWarning(const QString& Text)
{
    L_CatalogueWarning->setText(Text);
    L_CatalogueWarning->setVisible(!Text.isEmpty());
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
    auto* panel = new QLabel(Str(SReadingDocument), this);
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
        panel->setAccessibleName(Str(SNameClickPanel));
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

void TF_DocPDFViewer::Btn_InstalAcrobatClick()
{
    if (!platform::StartProgram(ReaderSetupPath)) {
        // Ending the program now would leave the user with neither reader nor manual.
        tools::ErrorMessageFmt(SInstallerNotStarted, {ReaderSetupPath});
        return;
    }
    window()->close();
}

void TF_DocPDFViewer::CollectSections(bool Loaded)
{
    FDestinationPages.clear();
    FDelegate->Marked = QPersistentModelIndex();
    // An entry that names a destination opens where the destination lies; the document is
    // asked once per name, now that it is loaded.
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    platform::IPdfView* destinations = nullptr;
    if (TReaderControl* control = CurrentControl(); control && Loaded)
        destinations = control->View();
    if (catalogue && destinations)
        for (int32_t node : catalogue->NodesOf(FCurrentFile)) {
            const std::string& name = catalogue->Toc().Item(node)->Destination();
            if (!tools::IsBlank(name) && !FDestinationPages.count(name))
                FDestinationPages[name] = destinations->DestinationPage(platform::FromAnsi(name));
        }
    PdfTreeView->viewport()->update();
}

void TF_DocPDFViewer::MarkCurrentEntry(int Page)
{
    const catalogue::TDocCatalogue* catalogue = PdfTreeView->Catalogue();
    const int32_t node =
        catalogue
            ? catalogue->NodeAt(FCurrentFile, Page,
                                [this](const std::string& Name) {
                                    const auto found = FDestinationPages.find(Name);
                                    return found == FDestinationPages.end() ? 0 : found->second;
                                })
            : 0;
    QPersistentModelIndex marked(PdfTreeView->IndexOf(node));
    if (marked == FDelegate->Marked)
        return;
    FDelegate->Marked = marked;
    PdfTreeView->viewport()->update();
    QString caption = marked.isValid() ? marked.data(Qt::DisplayRole).toString() : QString();
    PdfTreeView->setAccessibleDescription(
        caption.isEmpty() ? QString() : Str(SCurrentSection).replace(QLatin1String("%s"), caption));
}

QModelIndex TF_DocPDFViewer::MarkedEntry() const
{
    return FDelegate->Marked;
}

// Layout.

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
