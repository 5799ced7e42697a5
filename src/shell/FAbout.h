#pragma once
#include <QPointer>
#include <QWidget>

#include "ContactLinks.h"

class QLabel;

namespace tavo::shell {

class TLinkLabel;

// The splash window shown while the program starts: the distributor's and the maker's
// contact data with working links. It lives until the main window is first shown.
class TF_About : public QWidget {
    Q_OBJECT
public:
    explicit TF_About(QWidget* Parent = nullptr);
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
    void FormCreate();

    TLinkLabel* L_FirmWWW = nullptr;
    TLinkLabel* L_FirmEMail = nullptr;
    MakerLinks FMaker{};
    bool FPainted = false;
};

// The splash while it exists (null once it is gone); the main window's first showing
// destroys it through DestroySplash.
extern QPointer<TF_About> F_About;

// Destroys the splash if it still exists; later calls do nothing.
void DestroySplash();

}  // namespace tavo::shell
