#pragma once
// The thin strip along the top of the reader: back and forward, the page indicator "n / N",
// zoom buttons and modes, the find field, and print, save and open elsewhere. Its buttons carry the
// reader's actions, so keys and buttons cannot drift apart.
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tavo::pdfreader {

class TReaderStrip : public QWidget {
    Q_OBJECT

public:
    struct TActions {
        QAction* Back;
        QAction* Forward;
        QAction* ZoomOut;
        QAction* ZoomIn;
        QAction* FitWidth;
        QAction* FitPage;
        QAction* ActualSize;
        QAction* FindPrevious;
        QAction* FindNext;
        QAction* Print;
        QAction* SaveCopy;
        QAction* OpenExternally;
    };
    TReaderStrip(const TActions& Actions, QWidget* Parent = nullptr);

    // Page is 1-based; a count of 0: no document.
    void SetPage(int Page, int Count);
    void SetZoom(double Zoom);
    void SetFindStatus(const QString& Text);
    QLineEdit* FindField() const { return FFindField; }

signals:
    void pageEntered(int Page);
    void findRequested(const QString& Text, bool Backwards);
    void findCancelled();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QToolButton* Button(QAction* Action, const char* Name);

    QLineEdit* FPageField;
    QLabel* FPageCount;
    QLabel* FZoomLevel;
    QLineEdit* FFindField;
    QLabel* FFindStatus;
    int FCount = 0;
};

}  // namespace tavo::pdfreader
