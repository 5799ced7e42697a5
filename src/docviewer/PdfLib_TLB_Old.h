#pragma once
// The reader control through its older interface: every operation invoked by its
// dispatch number with arguments of the declared types.
#include <QVariant>

#include "ReaderControl.h"

namespace tavo::docviewer {

class TPdfOld : public TReaderControl {
    Q_OBJECT

public:
    explicit TPdfOld(QWidget* Parent = nullptr);

    bool LoadFile(const QString& FileName);
    void setCurrentPage(int32_t Page);
    void setNamedDest(const QString& Name);
    void setView(const QString& View);

protected:
    void Design(platform::TPdfDispId Operation, const QVariant& Argument) override
    {
        Invoke(Operation, {Argument});
    }

private:
    QVariant Invoke(int32_t DispId, const QVariantList& Args);

    platform::IPdfDispatch* FDispatch = nullptr;
};

}  // namespace tavo::docviewer
