#include "FAdobeRader6Warrning.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "platform/AnsiText.h"
#include "platform/ShellExecute.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/AddressBox.h"
#include "tools/MessageBoxes.h"
#include "tools/SettingsStore.h"

namespace tavo::docviewer {

namespace {

constexpr const char* WarningSection = "Messages";
constexpr const char* WarningName = "AdobeRader6Warrning";

TWarningPresenter& Presenter()
{
    static TWarningPresenter p;
    return p;
}

QLabel* WrappedLabel(QWidget* Parent, const char* Name, const QString& Text, QRect Bounds)
{
    auto* label = new QLabel(Text, Parent);
    label->setObjectName(QLatin1String(Name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(Bounds);
    return label;
}

constexpr const char* kDontShowAgain = QT_TRANSLATE_NOOP("tavo::docviewer::TF_AdobeRader6Warrning",
                                                         "Do not show this message again.  ");

}  // namespace

std::string ReaderDownloadAddress()
{
    return platform::LoadStr(SReaderDownloadAddress);
}

TF_AdobeRader6Warrning::TF_AdobeRader6Warrning(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("F_AdobeRader6Warrning"));
    setWindowTitle(tr("Warning"));
    setFixedSize(489, 181);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(4, 6, 31, 31);
    Image1->setPixmap(QIcon(QStringLiteral(":/docviewer/warning.svg")).pixmap(31, 31));
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setAccessibleName(tr("Warning"));

    Label1 =
        WrappedLabel(this, "Label1",
                     tr("This program does not work with the browser Adobe Reader 6.00 and may "
                        "be hung up (it is caused by the bug in this browser version). "),
                     QRect(44, 6, 431, 33));
    Label3 = WrappedLabel(this, "Label3",
                          tr("If you have this browser version installed, close this program and "
                             "uninstall Adobe Reader 6.00."),
                          QRect(44, 38, 431, 33));
    QString address = platform::FromAnsi(ReaderDownloadAddress());
    Label2 = WrappedLabel(
        this, "Label2",
        tr("Install instead Adobe Reader browser version 4, 5, 6.01 or newer. You will find the "
           "appropriate browser on the CD with this program (folder \"setup/acrobat\") or you may "
           "download it from ") +
            address + QStringLiteral(". "),
        QRect(44, 72, 431, 46));
    // The address can be selected and copied.
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);

    CB_DontShowAgain = new QCheckBox(tr(kDontShowAgain), this);
    CB_DontShowAgain->setObjectName(QStringLiteral("CB_DontShowAgain"));
    CB_DontShowAgain->setGeometry(6, 129, 201, 17);

    BitBtn2 = new QPushButton(QIcon(QStringLiteral(":/docviewer/download.svg")),
                              tr("Download the browser."), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    // Wider than designed only when the platform's font needs it, into the gap before OK.
    BitBtn2->setGeometry(212, 124, std::clamp(BitBtn2->sizeHint().width(), 139, 180), 25);
    BitBtn2->setAutoDefault(false);

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(400, 124, 75, 25);
    BitBtn1->setDefault(true);

    FitTexts();

    setTabOrder(CB_DontShowAgain, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, tools::Guarded([this] { BitBtn2Click(); }));

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The design's places hold the English texts; a longer translation moves what follows down
// and right, and the window grows with it.
void TF_AdobeRader6Warrning::FitTexts()
{
    int below = 0;  // how far the texts so far reach past the design's places
    for (QLabel* label : {Label1, Label3, Label2}) {
        QRect r = label->geometry().translated(0, below);
        const int needed = label->heightForWidth(r.width());
        if (needed > r.height()) {
            below += needed - r.height();
            r.setHeight(needed);
        }
        label->setGeometry(r);
    }
    QRect box = CB_DontShowAgain->geometry().translated(0, below);
    // As much wider as the translated caption is longer than the design's.
    const QFontMetrics metrics = CB_DontShowAgain->fontMetrics();
    box.setWidth(
        box.width() +
        std::max(0, metrics.horizontalAdvance(CB_DontShowAgain->text().trimmed()) -
                        metrics.horizontalAdvance(QString::fromLatin1(kDontShowAgain).trimmed())));
    CB_DontShowAgain->setGeometry(box);
    QRect download = BitBtn2->geometry().translated(0, below);
    download.moveLeft(std::max(download.left(), box.right() + 6));
    BitBtn2->setGeometry(download);
    QRect ok = BitBtn1->geometry().translated(0, below);
    ok.moveLeft(std::max(ok.left(), download.right() + 12));
    BitBtn1->setGeometry(ok);
    setFixedSize(std::max(width(), ok.right() + 15), height() + below);
}

void TF_AdobeRader6Warrning::BitBtn2Click()
{
    // Without a browser on the desktop the button would seem dead: say so, with the address.
    if (!platform::ShellExecute(this, "open", ReaderDownloadAddress()))
        tools::ShowAddressBox(this, IdNoBrowser, ReaderDownloadAddress());
}

TWarningPresenter SetWarningPresenter(TWarningPresenter NewPresenter)
{
    TWarningPresenter previous = std::move(Presenter());
    Presenter() = std::move(NewPresenter);
    return previous;
}

void ReaderVersionWarning()
{
    if (!tools::ReadSettingBool(WarningSection, WarningName, tools::ssApplication, true))
        return;
    TF_AdobeRader6Warrning form;  // no owner
    if (Presenter())
        Presenter()(form);
    else
        form.exec();
    tools::WriteSettingBool(!form.CB_DontShowAgain->isChecked(), WarningSection, WarningName,
                            tools::ssApplication);
}

}  // namespace tavo::docviewer
