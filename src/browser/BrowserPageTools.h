#pragma once
// What the tab adds for the page itself: the find bar under the toolbars (Ctrl+F; next,
// previous and the count of matches; Escape closes it), zoom (Ctrl+plus, Ctrl+minus,
// Ctrl+0, Ctrl with the wheel; the zoom shown in the status line while it is not 100 %)
// and print (Ctrl+P). Each command is one action with its standard keys, live while the
// "Internet" tab shows the browser.
#include <QObject>
#include <QPointer>

#include "platform/WebBrowserControl.h"

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace tavo::browser {

class TBrowserPageTools : public QObject {
    Q_OBJECT
public:
    // TabPage holds the browser's panel, the find bar goes above it; StatusRow is the
    // status line, the zoom indicator goes into it before Before.
    TBrowserPageTools(QWidget* TabPage, QWidget* Panel, QWidget* StatusRow, QWidget* Before,
                      QObject* Parent);

    // Page is the control's window, which gets the focus back when the find bar closes.
    void Attach(platform::TWebBrowserCommands* Commands, QWidget* Page);
    void Detach();

    QAction* FindAction() const { return FFindAction; }
    QWidget* FindBar() const { return FFindBar; }

    void ShowFindBar();
    void CloseFindBar();
    void FindNext(bool Backward);
    void Zoom(int Direction);  // 0: back to 100 %
    void Print();
    // Shows the page's zoom as the control has it now (a new page may bring its own).
    void RefreshZoom();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildFindBar(QWidget* TabPage, QWidget* Panel);
    void FindResult(int Matches, int Current);
    void ShowZoom(double Factor);

    platform::TWebBrowserCommands* FCommands = nullptr;
    QPointer<QWidget> FPage;
    QWidget* FFindBar = nullptr;
    QLineEdit* FFindEdit = nullptr;
    QLabel* FFindCount = nullptr;
    QToolButton* FZoomIndicator = nullptr;
    QAction* FFindAction = nullptr;
    QAction* FFindNextAction = nullptr;
    QAction* FFindPreviousAction = nullptr;
    QAction* FCloseFindAction = nullptr;
    QAction* FZoomInAction = nullptr;
    QAction* FZoomOutAction = nullptr;
    QAction* FZoomResetAction = nullptr;
    QAction* FPrintAction = nullptr;
};

}  // namespace tavo::browser
