#include "ContactLinks.h"

#include <QIcon>
#include <QLabel>

#include "LinkLabel.h"
#include "platform/AnsiText.h"
#include "platform/ShellExecute.h"
#include "platform/StringTable.h"

namespace tavo::shell {

using platform::FromAnsi;
using platform::LoadStr;
using platform::ShellExecute;
using platform::ToAnsi;

namespace {

constexpr int32_t IdCopyright = 10595;
constexpr int32_t IdMakerWeb = 10596;
constexpr int32_t IdMakerWebHint = 10597;
constexpr int32_t IdMakerEmail = 10598;
constexpr int32_t IdMakerEmailHint = 10599;
constexpr int32_t IdAuthorsPage = 10600;
constexpr const char* kMailSuffix = "?subject= &body=";

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
    return QStringLiteral("phone +00 12 345 67 89, fax +00 12 345 67 90");
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
    ShellExecute(nullptr, "", LoadStr(IdMakerWeb));
}

void OpenMakerEmail(QWidget* Owner)
{
    ShellExecute(Owner, "open", "mailto:" + LoadStr(IdMakerEmail) + kMailSuffix);
}

void OpenAuthorsPage()
{
    ShellExecute(nullptr, "", LoadStr(IdAuthorsPage));
}

void OpenFirmWeb(const QLabel* Link)
{
    ShellExecute(nullptr, "", ToAnsi(Link->text()));
}

void OpenFirmEmail(QWidget* Owner, const QLabel* Link)
{
    ShellExecute(Owner, "open", "mailto:" + ToAnsi(Link->text()) + kMailSuffix);
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
    links.Image1->setPixmap(
        QIcon(QStringLiteral(":/artwork/maker-logo.svg")).pixmap(LogoSize, LogoSize));
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
