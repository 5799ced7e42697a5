#pragma once
// The reader control through its newer interface, asked of the control once and kept.
// When the control does not answer it, the process switches to the older kind for good
// (UseOldControl) and no error is raised.
#include "ReaderControl.h"

namespace tavo::docviewer {

// Set once a newer-kind control has been found without its interface; from then on the
// process uses TPdfOld only.
extern bool UseOldControl;

class TPDF : public TReaderControl {
    Q_OBJECT

public:
    explicit TPDF(QWidget* Parent = nullptr);

    // The newer interface, or none (and UseOldControl set) when the control lacks it.
    platform::IAcroAXDocShim* DefaultInterface();

    void LoadFile(const QString& FileName);
    void setCurrentPage(int32_t Page);
    void setNamedDest(const QString& Name);
    void setView(const QString& View);

protected:
    void Design(platform::TPdfDispId Operation, const QVariant& Argument) override;

private:
    platform::IAcroAXDocShim& Intf();

    bool FAsked = false;
    platform::IAcroAXDocShim* FIntf = nullptr;
};

}  // namespace tavo::docviewer
