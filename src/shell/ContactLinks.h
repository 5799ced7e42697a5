#pragma once
// The contact links shared by the splash and the main window: web addresses go to the
// user's browser, e-mail addresses to the mail program, through the desktop. Where the
// desktop has none, a web address opens in the shell's Internet tab and an e-mail address
// is shown in a message to copy it from.
#include <QString>

class QLabel;
class QWidget;

namespace tavo::shell {

class TLinkLabel;

// The distributor's contact data (the design-time captions of the banner's labels).
struct DistributorData {
    static QString Name();
    static QString Street();
    static QString Phone();
    static QString Email();
    static QString Web();
};

// Targets are passed exactly as the links define them.
void OpenMakerWeb();                   // string 10596
void OpenMakerEmail(QWidget* Owner);   // "mailto:" + 10598 + "?subject= &body="
void OpenAuthorsPage();                // string 10600
void OpenFirmWeb(const QLabel* Link);  // the label's current caption
void OpenFirmEmail(QWidget* Owner, const QLabel* Link);

// The three maker's links of a window, texts from the string table.
struct MakerLinks {
    TLinkLabel* L_TervikWWW;
    TLinkLabel* L_TervikEMail;
    TLinkLabel* L_CopyRight;
    TLinkLabel* Image1;  // the maker's logo, same effect as L_TervikWWW
};
MakerLinks CreateMakerLinks(QWidget* Parent, int LogoSize);
void SetMakerLinkTexts(const MakerLinks& Links);

// The distributor's two links with their design-time captions.
TLinkLabel* CreateLinkLabel(QWidget* Parent, const char* Name, const QString& Text, int PixelSize);

}  // namespace tavo::shell
