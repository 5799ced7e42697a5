#pragma once
#include <QPointer>
#include <QWidget>

#include "ContactLinks.h"

class QEventLoop;
class QLabel;

namespace tavo::shell {

class TLinkLabel;

// The splash window shown while the program starts: the distributor's and the maker's
// contact data with working links. It lives until the main window is first shown.
class TF_About : public QWidget {
    Q_OBJECT
public:
    explicit TF_About(QWidget* Parent = nullptr);
    // For the program's start: the window is asked onto the screen first and its contents
    // built while the window system maps it, so they are all there at its first paint.
    enum TShowFirst { ShowFirst };
    explicit TF_About(TShowFirst);
    ~TF_About() override;

    // Shows the window on top, centred, and paints it at once: the message loop has not
    // started yet and the main window's creation may take a while.
    void ShowAndPaint();
    bool Painted() const { return FPainted; }

    void L_FirmWWWClick();
    void L_FirmEMailClick();
    void L_TervikWWWClick();
    void L_TervikEMailClick();
    void L_CopyRightClick();

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    void Setup();
    void ShowCentred();
    void BuildContents();
    void FormCreate();

    QWidget* FClientArea = nullptr;  // holds every label, so they show in one go
    TLinkLabel* L_FirmWWW = nullptr;
    TLinkLabel* L_FirmEMail = nullptr;
    MakerLinks FMaker{};
    bool FBuilt = false;               // its contents are all there
    bool FPainted = false;             // with them
    QEventLoop* FPaintWait = nullptr;  // ShowAndPaint waiting for the first paint
};

// The splash while it exists (null once it is gone); the main window's first showing
// destroys it through DestroySplash.
extern QPointer<TF_About> F_About;

// Destroys the splash if it still exists; later calls do nothing.
void DestroySplash();

}  // namespace tavo::shell
