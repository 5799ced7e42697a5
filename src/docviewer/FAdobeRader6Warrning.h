#pragma once
// The reader version warning: shown before a viewer obtains a reader control, every time,
// until the user ticks "Do not show this message again.".
#include <QDialog>
#include <functional>
#include <string>

#include "strings/StringIds.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavo::docviewer {

class TF_AdobeRader6Warrning : public QDialog {
    Q_OBJECT
public:
    explicit TF_AdobeRader6Warrning(QWidget* Parent = nullptr);

    // Opens the reader's download page in the user's browser; the warning stays open.
    void BitBtn2Click();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* CB_DontShowAgain = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;

private:
    void FitTexts();
};

// The download page (Windows-1250, from the string table).
std::string ReaderDownloadAddress();

// The warning step: nothing when the user asked not to see it again; otherwise the warning
// is shown modally and the answer stored (a failed write is ignored, so it shows again).
void ReaderVersionWarning();

// Test seam: how the warning is shown modally (by default exec()). Returns the previous
// one; an empty function restores the default.
using TWarningPresenter = std::function<void(TF_AdobeRader6Warrning&)>;
TWarningPresenter SetWarningPresenter(TWarningPresenter Presenter);

}  // namespace tavo::docviewer
