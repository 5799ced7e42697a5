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
    void DesignLoadFile(const QString& FileName) override { LoadFile(FileName); }
    void DesignSetCurrentPage(int32_t Page) override { setCurrentPage(Page); }
    void DesignSetNamedDest(const QString& Name) override { setNamedDest(Name); }
    void DesignSetView(const QString& View) override { setView(View); }

private:
    QVariant Invoke(int32_t DispId, const QVariantList& Args);

    platform::IPdfDispatch* FDispatch = nullptr;
};

}  // namespace tavo::docviewer
