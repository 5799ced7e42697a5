#pragma once
// The browser tab's downloads: where each goes (the user's download folder and the
// server's name, in the save dialog), its progress in the status line and the progress
// bar (bytes, percent, rate), a button that cancels, and at the end a message that offers
// to open the file or its folder, or says why it failed. A file already there is replaced
// only when the user says so; a folder that cannot be written is named in the error.
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/WebBrowserControl.h"

class QLabel;
class QProgressBar;
class QToolButton;
class QWidget;

namespace tavo::browser {

class TBrowserDownloads : public QObject {
    Q_OBJECT
public:
    TBrowserDownloads(QWidget* Window, QLabel* Status, QProgressBar* Progress, QObject* Parent);

    // Connects to the control's download notifications.
    void Attach(platform::TWebBrowserCommands* Commands);
    void Detach();

    // Downloads under way.
    int Active() const { return static_cast<int>(FRunning.size()); }
    // Stops every download under way.
    void CancelAll();

    // Status texts, for the tests and the status line.
    static QString ProgressText(const QString& Name, int64_t Received, int64_t Total,
                                double BytesPerSecond);

private:
    void Requested(const platform::TWebBrowserCommands::TDownload& Download);
    void Progress(uint32_t Id, int64_t Received, int64_t Total);
    void Finished(uint32_t Id, platform::TWebBrowserCommands::TDownloadEnd End,
                  const QString& Reason);
    // Asks for the path; empty when the user gave none or the folder cannot take it.
    QString ChoosePath(const QString& FileName);
    void UpdateCancelButton();

    struct TRunning {
        QString Path;
        QString Name;
        QElapsedTimer Clock;
    };
    QWidget* FWindow;
    QLabel* FStatus;
    QProgressBar* FProgress;
    QToolButton* FCancelButton = nullptr;
    platform::TWebBrowserCommands* FCommands = nullptr;
    QHash<uint32_t, TRunning> FRunning;
};

}  // namespace tavo::browser
