#include "FAbout.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "LinkLabel.h"
#include "platform/StartupLog.h"
#include "tools/ArtworkIcon.h"
#include "tools/MessageBoxes.h"

namespace tavo::shell {

QPointer<TF_About> F_About;

void DestroySplash()
{
    delete F_About.data();
}

namespace {

constexpr int kWidth = 513;
constexpr int kHeight = 227;
constexpr int kFooterTop = 150;

QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, int pixelSize, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

}  // namespace

TF_About::TF_About(QWidget* Parent)
    : QWidget(Parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    Setup();
    BuildContents();
}

TF_About::TF_About(TShowFirst)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    Setup();
    ShowCentred();
    BuildContents();
    // Made on a window already shown, the contents stay hidden until shown; shown as one,
    // since each widget shown on a visible window asks the X server where the pointer is.
    FClientArea->show();
}

void TF_About::Setup()
{
    setObjectName(QStringLiteral("F_About"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void TF_About::ShowCentred()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
}

void TF_About::BuildContents()
{
    FClientArea = new QWidget(this);
    FClientArea->setObjectName(QStringLiteral("ClientArea"));
    FClientArea->setGeometry(rect());
    QWidget* area = FClientArea;

    auto* logo = new QLabel(area);
    logo->setObjectName(QStringLiteral("Image2"));
    logo->setPixmap(tools::ArtworkPixmap(QStringLiteral(":/artwork/distributor-logo.svg"), 64,
                                         devicePixelRatioF()));
    logo->setGeometry(14, 12, 64, 64);
    logo->setAccessibleName(DistributorData::Name());

    PlainLabel(area, "Label3", DistributorData::Name(), 15, true)->setGeometry(92, 8, 410, 20);
    PlainLabel(area, "Label4", DistributorData::Street(), 12, false)->setGeometry(92, 28, 410, 15);
    PlainLabel(area, "Label7", DistributorData::Phone(), 12, false)->setGeometry(92, 43, 410, 15);
    L_FirmWWW = CreateLinkLabel(area, "L_FirmWWW", DistributorData::Web(), 12);
    L_FirmWWW->setGeometry(92, 59, 410, 16);
    L_FirmEMail = CreateLinkLabel(area, "L_FirmEMail", DistributorData::Email(), 12);
    L_FirmEMail->setGeometry(92, 75, 410, 16);
    L_FirmWWW->adjustSize();  // only the text is a link, not the empty space beside it
    L_FirmEMail->adjustSize();

    auto* title = new QLabel(QStringLiteral("Tavo  C.H. 3.2"), area);
    title->setObjectName(QStringLiteral("Label1"));
    QFont tf = title->font();  // the desktop's sans-serif font for the design's "Arial"
    tf.setPixelSize(34);
    tf.setBold(true);
    tf.setItalic(true);
    title->setFont(tf);
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(tp);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 96, kWidth, 48);

    FMaker = CreateMakerLinks(area, 48);
    FMaker.Image1->move(14, kFooterTop + 12);
    FMaker.L_TervikWWW->setGeometry(74, kFooterTop + 10, 200, 17);
    FMaker.L_TervikEMail->setGeometry(74, kFooterTop + 28, 200, 17);
    FMaker.L_CopyRight->setGeometry(280, kFooterTop + 8, 222, 60);
    QFont small = FMaker.L_CopyRight->font();
    small.setPixelSize(11);
    FMaker.L_CopyRight->setFont(small);

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

    FormCreate();
    FBuilt = true;
}

TF_About::~TF_About()
{
    platform::LogLifeEvent("splash destroyed");
}

void TF_About::FormCreate()
{
    SetMakerLinkTexts(FMaker);
}

void TF_About::ShowAndPaint()
{
    if (!isVisible())
        ShowCentred();
    // The window system maps the window asynchronously; wait (a second at most) until it
    // can be drawn, then draw it now rather than when the loop gets round to it. The wait
    // ends the moment it is painted: a wait by slices would sit out the rest of a slice.
    if (FPainted)
        return;
    QEventLoop wait;
    FPaintWait = &wait;
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    QTimer poll;  // a window system that tells nothing of the exposure
    connect(&poll, &QTimer::timeout, this, [this] {
        if (windowHandle() && windowHandle()->isExposed())
            repaint();
    });
    poll.start(20);
    if (windowHandle() && windowHandle()->isExposed())
        repaint();
    if (!FPainted)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    FPaintWait = nullptr;
}

void TF_About::paintEvent(QPaintEvent* Event)
{
    QWidget::paintEvent(Event);
    QPainter p(this);
    p.setPen(QColor(0, 0, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The footer's frame.
    p.setPen(QColor(128, 128, 128));
    p.drawRect(QRect(6, kFooterTop, kWidth - 13, kHeight - kFooterTop - 7));
    // Painted means painted whole: the window system may be shown the frame alone first.
    if (!FPainted && FBuilt) {
        FPainted = true;
        platform::LogLifeEvent("splash painted");
        if (FPaintWait)
            FPaintWait->quit();
    }
}

void TF_About::L_FirmWWWClick()
{
    OpenFirmWeb(L_FirmWWW);
}
void TF_About::L_FirmEMailClick()
{
    OpenFirmEmail(this, L_FirmEMail);
}
void TF_About::L_TervikWWWClick()
{
    OpenMakerWeb();
}
void TF_About::L_TervikEMailClick()
{
    OpenMakerEmail(this);
}
void TF_About::L_CopyRightClick()
{
    OpenAuthorsPage();
}

}  // namespace tavo::shell
