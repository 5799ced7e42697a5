#pragma once
// What both reader control wrappers share: the control created by class id inside a
// window of ours that the viewer re-parents, hides and shows without destroying it, and the
// one typed interface the viewer drives it through.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>

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
    // The reader as the viewer drives it: the control's own typed interface, or for a
    // reader that answers only the design's interfaces, this wrapper's four operations
    // behind it (which then know neither pages nor marks). Errors of the control raise.
    platform::IPdfView* View() const;

signals:
    // The page in view changed; a page was painted whole (1-based; our reader only).
    void currentPageChanged(int Page);
    void pageShown(int Page);
    // The place a jump inside the document left (1-based page, points); back (-1) or
    // forward (+1) asked for; a zoom mode chosen (platform::TPdfZoomMode).
    void placeLeft(int Page, double Top);
    void placeRequested(int Direction);
    void zoomModeChosen(int Mode);

protected:
    // One of the design's four operations (named by its dispatch number) with its argument,
    // through this wrapper's kind of interface.
    friend class TDesignView;
    virtual void Design(platform::TPdfDispId Operation, const QVariant& Argument) = 0;

    // Raises the error that a failure status stands for.
    static void Check(platform::TStatus Status);

private:
    QPointer<QWidget> FControl;
    std::unique_ptr<platform::IPdfView> FDesignView;
};

}  // namespace tavo::docviewer
