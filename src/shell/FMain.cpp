#include "FMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "FAbout.h"
#include "LinkLabel.h"
#include "browser/BrowserTab.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DocCatalogue.h"
#include "docviewer/DMDocItem.h"
#include "docviewer/FDOCPDFViewer.h"
#include "docviewer/ReaderPool.h"
#include "identity/ApplCons.h"
#include "objects/ObjectsErrors.h"
#include "platform/AnsiText.h"
#include "platform/Folders.h"
#include "platform/StartupLog.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/ArtworkIcon.h"
#include "tools/MessageBoxes.h"

namespace tavo::shell {

TF_Main* F_Main = nullptr;

namespace {

QFont PixelFont(const QFont& base, int pixelSize, bool bold)
{
    QFont f = base;
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace

TF_Main::TF_Main(QWidget* Parent) : QMainWindow(Parent)
{
    setObjectName(QStringLiteral("F_Main"));
    setMinimumSize(640, 550);
    setContextMenuPolicy(Qt::NoContextMenu);  // the toolbars are not for customising

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildBanner(central);
    layout->addWidget(P_Main);

    BuildToolbars();

    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setDocumentMode(false);
    PageControl1->tabBar()->setMinimumHeight(22);
    PageControl1->setIconSize(QSize(16, 16));
    PageControl1->addTab(BuildProgramsTab(),
                         tools::ArtworkIcon(QStringLiteral(":/icons/tab-programs.svg")),
                         tr("Programs"));
    PageControl1->addTab(BuildInternetTab(),
                         tools::ArtworkIcon(QStringLiteral(":/icons/tab-internet.svg")),
                         tr("Internet"));
    PageControl1->addTab(BuildManualTab(),
                         tools::ArtworkIcon(QStringLiteral(":/icons/tab-manual.svg")),
                         tr("Manual"));
    PageControl1->setAccessibleName(tr("Tabs"));
    layout->addWidget(PageControl1, 1);
    setCentralWidget(central);

    // Ctrl+Q closes the window as Alt+F4 does.
    auto* quit = new QAction(this);
    quit->setObjectName(QStringLiteral("QuitAction"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setShortcutContext(Qt::ApplicationShortcut);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    FormCreate();

    // Connected after creation: choosing the first tab above is not a user's change.
    connect(PageControl1, &QTabWidget::currentChanged, this,
            tools::Guarded([this](int) { PageControl1Change(); }));
    connect(L_FirmWWW, &TLinkLabel::clicked, this, tools::Guarded([this] { L_FirmWWWClick(); }));
    connect(L_FirmEMail, &TLinkLabel::clicked, this,
            tools::Guarded([this] { L_FirmEMailClick(); }));
    connect(FMaker.L_TervikWWW, &TLinkLabel::clicked, this,
            tools::Guarded([this] { L_TervikWWWClick(); }));
    connect(FMaker.Image1, &TLinkLabel::clicked, this,
            tools::Guarded([this] { L_TervikWWWClick(); }));
    connect(FMaker.L_TervikEMail, &TLinkLabel::clicked, this,
            tools::Guarded([this] { L_TervikEMailClick(); }));
    connect(FMaker.L_CopyRight, &TLinkLabel::clicked, this,
            tools::Guarded([this] { L_CopyRightClick(); }));
    connect(Sbtn_InstallHD, &QToolButton::clicked, this,
            tools::Guarded([this] { Sbtn_InstallHDClick(); }));
    connect(SBtn_HD, &QToolButton::clicked, this, tools::Guarded([this] { Btn_HDClick(); }));
}

TF_Main::~TF_Main()
{
    FormDestroy();
    if (F_Main == this)
        F_Main = nullptr;
    platform::LogLifeEvent("main window destroyed");
}

void TF_Main::BuildBanner(QWidget* Parent)
{
    P_Main = new QFrame(Parent);
    P_Main->setObjectName(QStringLiteral("P_Main"));
    P_Main->setFixedHeight(84);
    P_Main->setAutoFillBackground(true);
    QPalette pal = P_Main->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    P_Main->setPalette(pal);

    auto* row = new QHBoxLayout(P_Main);
    row->setContentsMargins(8, 4, 8, 4);
    auto* shape = new QFrame(P_Main);  // the frame round the contact data
    shape->setObjectName(QStringLiteral("Shape2"));
    shape->setFrameShape(QFrame::Box);
    shape->setStyleSheet(QStringLiteral("#Shape2 { border: 1px solid #000080; }"));
    row->addWidget(shape);
    row->addStretch(1);

    auto* inner = new QHBoxLayout(shape);
    inner->setContentsMargins(8, 4, 12, 4);
    inner->setSpacing(12);
    auto* logo = new QLabel(shape);
    logo->setObjectName(QStringLiteral("Image2"));
    logo->setPixmap(tools::ArtworkPixmap(QStringLiteral(":/artwork/distributor-logo.svg"), 64,
                                         devicePixelRatioF()));
    logo->setAccessibleName(DistributorData::Name());
    inner->addWidget(logo);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    auto* label3 = new QLabel(DistributorData::Name(), shape);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setFont(PixelFont(label3->font(), 15, true));
    auto* label4 = new QLabel(DistributorData::Street(), shape);
    label4->setObjectName(QStringLiteral("Label4"));
    auto* label7 = new QLabel(DistributorData::Phone(), shape);
    label7->setObjectName(QStringLiteral("Label7"));
    texts->addWidget(label3);
    texts->addWidget(label4);
    texts->addWidget(label7);
    auto* links = new QHBoxLayout;
    links->setSpacing(16);
    L_FirmWWW = CreateLinkLabel(shape, "L_FirmWWW", DistributorData::Web(), 0);
    L_FirmEMail = CreateLinkLabel(shape, "L_FirmEMail", DistributorData::Email(), 0);
    links->addWidget(L_FirmWWW);
    links->addWidget(L_FirmEMail);
    links->addStretch(1);
    texts->addLayout(links);
    inner->addLayout(texts);
}

void TF_Main::BuildToolbars()
{
    BarManager = new QObject(this);
    BarManager->setObjectName(QStringLiteral("BarManager"));
    auto makeBar = [this](const char* name, const QString& caption) {
        auto* bar = new QToolBar(caption, this);
        bar->setObjectName(QLatin1String(name));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setAllowedAreas(Qt::TopToolBarArea);
        bar->setAccessibleName(caption);
        addToolBar(Qt::TopToolBarArea, bar);
        bar->hide();
        return bar;
    };
    FButtonsBar = makeBar("BarManagerBar1", QStringLiteral("Przyciski internetowe"));
    addToolBarBreak(Qt::TopToolBarArea);
    FAddressBar = makeBar("BarManagerBar2", QStringLiteral("Adres"));
}

QWidget* TF_Main::BuildProgramsTab()
{
    TS_Programs = new QWidget;
    TS_Programs->setObjectName(QStringLiteral("TS_Programs"));
    auto* column = new QVBoxLayout(TS_Programs);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(12);

    auto makeButton = [this](const char* name, const QString& caption, const QString& icon) {
        auto* b = new QToolButton(TS_Programs);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setAccessibleName(caption);
        b->setIcon(tools::ArtworkIcon(icon));
        b->setIconSize(QSize(28, 28));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);  // flat until the mouse is over it
        b->setFocusPolicy(Qt::StrongFocus);
        b->setFixedSize(458, 40);
        // The design's "Arial" is the desktop's sans-serif font here.
        QFont f = b->font();
        f.setPixelSize(16);
        f.setBold(true);
        b->setFont(f);
        b->setStyleSheet(QStringLiteral("QToolButton { text-align: left; padding-left: 6px; }"));
        return b;
    };
    Sbtn_InstallHD = makeButton("Sbtn_InstallHD", tr("Install the program Tavo C.H. 3.2"),
                                QStringLiteral(":/icons/install.svg"));
    SBtn_HD = makeButton("SBtn_HD", tr("Start the program Tavo C.H. 3.2"),
                         QStringLiteral(":/icons/start.svg"));
    column->addWidget(Sbtn_InstallHD);
    column->addWidget(SBtn_HD);

    auto* frame = new QFrame(TS_Programs);
    frame->setObjectName(QStringLiteral("Bevel1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setMaximumWidth(458);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(12);
    FMaker = CreateMakerLinks(frame, 48);
    row->addWidget(FMaker.Image1, 0, Qt::AlignTop);
    auto* linkColumn = new QVBoxLayout;
    linkColumn->addWidget(FMaker.L_TervikWWW);
    linkColumn->addWidget(FMaker.L_TervikEMail);
    linkColumn->addWidget(FMaker.L_CopyRight);
    row->addLayout(linkColumn, 1);
    column->addWidget(frame);
    column->addStretch(1);
    return TS_Programs;
}

QWidget* TF_Main::BuildInternetTab()
{
    TS_HTML = new QWidget;
    TS_HTML->setObjectName(QStringLiteral("TS_HTML"));
    auto* column = new QVBoxLayout(TS_HTML);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* panel = new QFrame(TS_HTML);
    panel->setObjectName(QStringLiteral("P_HTML1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* message = new QLabel(
        tr("Internet viewer Internet Explorer has not been installed in this system."), panel);
    message->setObjectName(QStringLiteral("P_HTML1Caption"));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);
    QFont f = message->font();  // the desktop's sans-serif font for the design's "Arial"
    f.setPixelSize(19);
    message->setFont(f);
    QPalette pal = message->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    message->setPalette(pal);
    // The browser, once it exists, is stacked over the message and covers it.
    auto* stack = new QStackedLayout(panel);
    stack->addWidget(message);
    P_HTML1 = panel;
    column->addWidget(panel, 1);

    Panel1 = new QFrame(TS_HTML);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(19);
    auto* status = new QHBoxLayout(Panel1);
    status->setContentsMargins(2, 0, 2, 0);
    AdressLabel = new QLabel(Panel1);
    AdressLabel->setObjectName(QStringLiteral("AdressLabel"));
    AdressLabel->setAccessibleName(tr("Status"));
    ProgressBar = new QProgressBar(Panel1);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedWidth(225);
    ProgressBar->setAccessibleName(tr("Progress"));
    status->addWidget(AdressLabel, 1);
    status->addWidget(ProgressBar);
    column->addWidget(Panel1);
    return TS_HTML;
}

QWidget* TF_Main::BuildManualTab()
{
    TS_Doc = new QWidget;
    TS_Doc->setObjectName(QStringLiteral("TS_Doc"));
    auto* column = new QVBoxLayout(TS_Doc);
    column->setContentsMargins(0, 0, 0, 0);
    return TS_Doc;
}

void TF_Main::FormCreate()
{
    F_Main = this;
    platform::LogLifeEvent("main window created");
    setWindowTitle(platform::FromAnsi(platform::LoadStr(IdCaptionProgram)));
    SetMakerLinkTexts(FMaker);

    // On this platform the disc folder ends with '/'; paths below it may still be written
    // with '\', which the platform layer resolves.
    FDiscFolder = platform::DiscFolder().string();
    if (FDiscFolder.empty() || FDiscFolder.back() != '/')
        FDiscFolder += '/';
    docviewer::ReaderSetupPath = FDiscFolder + "Setup\\Acrobat\\SetupAcrobat.exe";
    FDocumentationFolder = FDiscFolder + "Setup\\PdfViewer\\Documentation\\";

    PageControl1->setCurrentIndex(TabPrograms);
    UpdateTabView();
}

void TF_Main::UpdateTabView()
{
    int i = PageControl1->currentIndex();
    P_Main->setVisible(i != TabInternet && i != TabManual);
    bool show = i == TabInternet && FBrowserTab && FBrowserTab->BrowserReady();
    FAddressBar->setVisible(show);
    FButtonsBar->setVisible(show);
    PageControl1->setVisible(true);
    PageControl1->repaint();
}

void TF_Main::PageControl1Change()
{
    int i = PageControl1->currentIndex();
    if (i == TabInternet)
        CreateBrowser();
    UpdateTabView();
    repaint();  // the new tab is drawn before any lengthy work
    if (i == TabManual)
        ShowManual();
}

void TF_Main::CreateBrowser()
{
    if (browser::TBrowserTab* tab = BrowserTab())
        tab->CreateBrowser();
}

browser::TBrowserTab* TF_Main::BrowserTab() const
{
    // Its toolbars' buttons, menus and page tools are built when first needed, or right
    // after the window shows: the window does not wait for what its first tab never shows.
    if (!FBrowserTab && !FDestroyed)
        FBrowserTab = new browser::TBrowserTab(
            const_cast<TF_Main*>(this),
            browser::TBrowserTab::Parts{P_HTML1, AdressLabel, ProgressBar, FButtonsBar, FAddressBar,
                                        DistributorData::Web()});
    return FBrowserTab;
}

const objects::TObjectCollection* TF_Main::Catalogue() const
{
    return FCatalogue ? &FCatalogue->Collection() : nullptr;
}

docviewer::TF_DocPDFViewer* TF_Main::Viewer() const
{
    return FViewer.data();
}

void TF_Main::ShowManual()
{
    if (!FViewer) {
        // Errors reach the standard handler: the tab stays empty and the next visit tries
        // again. A catalogue left from a failed attempt goes first.
        FCatalogue.reset();
        const catalogue::TDocumentFolder folder(FDocumentationFolder);
        const std::filesystem::path file = folder.ResolveInside(catalogue::CatalogueFileName);
        catalogue::TCatalogueLoadInfo info;
        std::unique_ptr<objects::TObjectCollection> entries =
            catalogue::LoadCatalogue(file.string(), *identity::CatalogueVerInfo(), &info);
        docviewer::TDM_DocItem* types = docviewer::DM_DocItem;
        FCatalogue = std::make_unique<catalogue::TDocCatalogue>(
            std::move(entries), types ? types->DocTypes() : catalogue::TDocTypes(), folder, file);
        auto* viewer = new docviewer::TF_DocPDFViewer(this);
        viewer->AlignClientIn(TS_Doc);
        FViewer = viewer;
        // A catalogue that ends early shows what it holds, and says that it is not all.
        if (!info.Complete)
            FViewer->SetCatalogueWarning(platform::FromAnsi(platform::LoadStr(SFileEndsEarly))
                                             .replace(QLatin1String("%s"),
                                                      QString::fromStdString(file.string()),
                                                      Qt::CaseInsensitive));
        FViewer->FillTree(FCatalogue.get(), types ? types->Glyphs : nullptr);
    }
    FViewer->show();
    FViewer->raise();
}

void TF_Main::ShowTab(Tab Which)
{
    if (PageControl1->currentIndex() == Which)
        tools::Guarded([this] { PageControl1Change(); })();
    else
        PageControl1->setCurrentIndex(Which);
}

bool TF_Main::ShowWebAddress(const QString& Address)
{
    ShowTab(TabInternet);
    browser::TBrowserTab* tab = BrowserTab();
    if (!tab || !tab->BrowserReady())
        return false;
    tab->Browser()->Navigate(Address);
    if (isVisible()) {
        raise();
        activateWindow();
    }
    return true;
}

void TF_Main::FormShow()
{
    platform::LogLifeEvent("main window shown");
    DestroySplash();
    // Once the window is on the screen; the first visit to "Internet" then finds the tab
    // built and the engine ready.
    QTimer::singleShot(0, this, tools::Guarded([this] {
                           if (browser::TBrowserTab* tab = BrowserTab())
                               tab->PrepareWhenIdle();
                       }));
}

void TF_Main::FormClose()
{
    // Whatever the viewer's close handling does, the pooled controls are released.
    struct TFreePool {
        ~TFreePool() { docviewer::FreeControlPool(); }
    } freePool;
    if (FViewer)
        FViewer->FormClose();
}

void TF_Main::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    if (FBrowserTab)
        FBrowserTab->Release();
    // The viewer (which stores its layout as it goes) before the catalogue whose entries
    // its tree shows, so the tree never holds released entries.
    delete FViewer.data();
    FCatalogue.reset();
}

void TF_Main::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TF_Main::closeEvent(QCloseEvent* Event)
{
    tools::Guarded([this] { FormClose(); })();
    QMainWindow::closeEvent(Event);
}

void TF_Main::L_FirmWWWClick()
{
    OpenFirmWeb(L_FirmWWW);
}
void TF_Main::L_FirmEMailClick()
{
    OpenFirmEmail(this, L_FirmEMail);
}
void TF_Main::L_TervikWWWClick()
{
    OpenMakerWeb();
}
void TF_Main::L_TervikEMailClick()
{
    OpenMakerEmail(this);
}
void TF_Main::L_CopyRightClick()
{
    OpenAuthorsPage();
}

}  // namespace tavo::shell
