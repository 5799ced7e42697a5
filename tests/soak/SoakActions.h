#pragma once
// Carries out the planned actions on the running shell, as a user would: keys, clicks and
// the wheel go in through the windows, where the window system would deliver them.
#include <QPoint>
#include <QString>

#include "SoakPlan.h"

class QWidget;

namespace tavo::shell {
class TF_Main;
}

namespace tavo::soak {

class TSoakActions {
public:
    // Pages: the address of the local server's folder, ending in "/".
    TSoakActions(shell::TF_Main* Main, QString Pages);

    // Does Action on whatever window is active now; returns what was done (for the log).
    QString Do(const TAction& Action);

private:
    QWidget* ActiveWindow() const;
    void ClickWidget(QWidget* Widget, QPoint At, bool Double, int Button = 1);
    void Type(QWidget* Window, const QString& Text);
    bool SelectTab(int Index);

    shell::TF_Main* FMain;
    QString FPages;
};

}  // namespace tavo::soak
