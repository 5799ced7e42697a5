#pragma once
#include <QLabel>

namespace tavo::shell {

// A label that acts as a link: hand cursor, reachable with Tab, Enter or Space activate
// it, and screen readers see it as a link named by its text (or by its accessible name,
// for a picture).
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* Parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
};

}  // namespace tavo::shell
