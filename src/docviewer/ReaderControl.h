#pragma once
// What both reader control wrappers share: the control created by class id inside a
// window of ours that the viewer re-parents, hides and shows without destroying it.
#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "platform/PdfReaderControl.h"

namespace tavo::docviewer {

class TReaderControl : public QWidget {
    Q_OBJECT

public:
    // Creates the reader component inside this window; raises EOleSysError "Class not
    // registered" when no reader is installed.
    explicit TReaderControl(QWidget* Parent = nullptr);
    ~TReaderControl() override;

    // The component's own window and object.
    QWidget* Control() const { return FControl; }
    // Our reader's additions (page in view, marked words); none for a foreign reader.
    platform::IPdfReaderView* ReaderView() const;

signals:
    // The page in view changed (our reader only).
    void currentPageChanged(int Page);

protected:
    // Raises the error that a failure status stands for.
    static void Check(platform::TStatus Status);

private:
    QPointer<QWidget> FControl;
};

}  // namespace tavo::docviewer
