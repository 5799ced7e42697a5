// The viewer's form: the contents pane (buttons, catalogue warning, search, tree) and the
// document pane (the panel the reader goes into, its messages and the reader setup).
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "FDOCPDFViewer.h"
#include "ManualSearchPanel.h"
#include "PdfPanel.h"
#include "PdfTreeView.h"
#include "ViewerParts.h"
#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "split/OxSplit.h"
#include "tools/Colors.h"

namespace tavo::docviewer {

using split::ToxScrollPane;

QString ViewerText(int32_t Id)
{
    return platform::FromAnsi(platform::LoadStr(Id));
}

namespace {

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
    TreePane->setAccessibleName(ViewerText(SNameContentsPane));

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
    Panel1->setAccessibleName(ViewerText(SNameContentsButtons));
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
    PDFPane->setAccessibleName(ViewerText(SNameDocumentPane));

    P_Pdf = new TPdfPanel;
    P_Pdf->setObjectName(QStringLiteral("P_Pdf"));
    P_Pdf->setFrameShape(QFrame::NoFrame);
    P_Pdf->setMinimumSize(0, 0);
    P_Pdf->setAutoFillBackground(true);
    QPalette pal = P_Pdf->palette();
    pal.setColor(QPalette::Window, tools::ToQColor(tools::clWindow));
    P_Pdf->setPalette(pal);
    P_Pdf->setAccessibleName(ViewerText(SNameDocument));

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

}  // namespace tavo::docviewer
