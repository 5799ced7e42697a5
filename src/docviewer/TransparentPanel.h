#pragma once
// A panel that draws nothing, so that what lies beneath it stays visible, yet takes the
// mouse: laid over the document, it catches the first click, which gives the document the
// keyboard focus. Wheel turns go on to the window beneath, so the document still scrolls.
#include <QWidget>

namespace tavo::docviewer {

class TTransparentPanel : public QWidget {
    Q_OBJECT
public:
    explicit TTransparentPanel(QWidget* Parent = nullptr);

    // In a form designer it paints like an ordinary panel.
    bool DesignMode() const { return FDesignMode; }
    void SetDesignMode(bool Value);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;

private:
    bool FDesignMode = false;
    bool FPressed = false;
};

}  // namespace tavo::docviewer
