#pragma once
// The file dialog the browser tab asks where a download goes, behind a seam that tests
// answer. The real one is the desktop's save dialog; it does not ask about replacing a
// file itself: the tab does, through the message boxes.
#include <QString>
#include <functional>

class QWidget;

namespace tavo::browser {

// Returns the chosen path, or empty when the user cancelled.
using TSaveAsDialog = std::function<QString(QWidget* Parent, const QString& Proposed)>;

QString AskSaveAs(QWidget* Parent, const QString& Proposed);
// Replaces the dialog (empty restores the real one); returns the previous.
TSaveAsDialog SetSaveAsDialog(TSaveAsDialog Dialog);

}  // namespace tavo::browser
