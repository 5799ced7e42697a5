#pragma once
// P_Pdf: the document pane's panel. Its messages stack at its top and the reader control
// fills what is left, so a message never covers the document.
#include <QFrame>
#include <QPointer>
#include <vector>

namespace tavo::docviewer {

class TPdfPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPdfPanel(QWidget* Parent = nullptr);

    // Items kept at the top, in order, each at its own height while it is not hidden.
    void AddTopItem(QWidget* Item);
    // The control that fills the rest; none to let it go.
    void SetClientControl(QWidget* Control);
    QWidget* ClientControl() const { return FClient; }
    void Realign();

protected:
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::vector<QPointer<QWidget>> FTop;
    QPointer<QWidget> FClient;
    bool FAligning = false;
};

}  // namespace tavo::docviewer
