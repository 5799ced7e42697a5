#include "ContactLinks.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>

#include "FMain.h"
#include "LinkLabel.h"
#include "platform/AnsiText.h"
#include "platform/ShellExecute.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/AddressBox.h"
#include "tools/ArtworkIcon.h"

namespace tavo::shell {

using platform::FromAnsi;
using platform::LoadStr;
using platform::ShellExecute;
using platform::ToAnsi;

namespace {

constexpr const char* kMailSuffix = "?subject= &body=";

// The desktop first; without a browser there, the shell's own Internet tab.
void OpenWeb(const std::string& Target)
{
    if (ShellExecute(nullptr, "", Target))
        return;
    if (F_Main && F_Main->ShowWebAddress(FromAnsi(Target)))
        return;
    tools::ShowAddressBox(F_Main, IdNoBrowser, Target);
}

void OpenMail(QWidget* Owner, const std::string& Address)
{
    if (!ShellExecute(Owner, "open", "mailto:" + Address + kMailSuffix))
        tools::ShowAddressBox(Owner, IdNoMailProgram, Address);
}

}  // namespace

QString DistributorData::Name()
{
    return QStringLiteral("Heat Design Distribution Ltd.");
}
QString DistributorData::Street()
{
    return QStringLiteral("12 Example Street, 00-950 Exampleton");
}
QString DistributorData::Phone()
{
    return QCoreApplication::translate("tavo::shell::DistributorData",
                                       "phone +00 12 345 67 89, fax +00 12 345 67 90");
}
QString DistributorData::Email()
{
    return QStringLiteral("office@distribution.example.org");
}
QString DistributorData::Web()
{
    return QStringLiteral("www.distribution.example.org");
}

void OpenMakerWeb()
{
    OpenWeb(LoadStr(IdMakerWeb));
}

void OpenMakerEmail(QWidget* Owner)
{
    OpenMail(Owner, LoadStr(IdMakerEmail));
}

void OpenAuthorsPage()
{
    OpenWeb(LoadStr(IdAuthorsPage));
}

void OpenFirmWeb(const QLabel* Link)
{
    OpenWeb(ToAnsi(Link->text()));
}

void OpenFirmEmail(QWidget* Owner, const QLabel* Link)
{
    OpenMail(Owner, ToAnsi(Link->text()));
}

TLinkLabel* CreateLinkLabel(QWidget* Parent, const char* Name, const QString& Text, int PixelSize)
{
    auto* label = new TLinkLabel(Parent);
    label->setObjectName(QLatin1String(Name));
    label->setText(Text);
    QFont f = label->font();
    f.setBold(true);
    f.setUnderline(true);
    if (PixelSize > 0)
        f.setPixelSize(PixelSize);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    label->setPalette(pal);
    return label;
}

MakerLinks CreateMakerLinks(QWidget* Parent, int LogoSize)
{
    MakerLinks links{};
    links.L_TervikWWW = CreateLinkLabel(Parent, "L_TervikWWW", QString(), 0);
    links.L_TervikEMail = CreateLinkLabel(Parent, "L_TervikEMail", QString(), 0);
    links.L_CopyRight = new TLinkLabel(Parent);
    links.L_CopyRight->setObjectName(QStringLiteral("L_CopyRight"));
    links.L_CopyRight->setWordWrap(true);
    links.Image1 = new TLinkLabel(Parent);
    links.Image1->setObjectName(QStringLiteral("Image1"));
    links.Image1->setPixmap(tools::ArtworkPixmap(QStringLiteral(":/artwork/maker-logo.svg"),
                                                 LogoSize, Parent->devicePixelRatioF()));
    links.Image1->setFixedSize(LogoSize, LogoSize);
    return links;
}

void SetMakerLinkTexts(const MakerLinks& Links)
{
    Links.L_TervikWWW->setText(FromAnsi(LoadStr(IdMakerWeb)));
    Links.L_TervikWWW->setToolTip(FromAnsi(LoadStr(IdMakerWebHint)));
    Links.L_TervikEMail->setText(FromAnsi(LoadStr(IdMakerEmail)));
    Links.L_TervikEMail->setToolTip(FromAnsi(LoadStr(IdMakerEmailHint)));
    Links.L_CopyRight->setText(FromAnsi(LoadStr(IdCopyright)));
    Links.Image1->setToolTip(FromAnsi(LoadStr(IdMakerWebHint)));
    Links.Image1->setAccessibleName(FromAnsi(LoadStr(IdMakerWebHint)));
}

}  // namespace tavo::shell
