#pragma once
#include <QObject>

namespace tavo::docviewer {

// The data module of the documentation: document type and level tables and the tree's
// pictures. Owned by the application, created before the main window.
class TDM_DocItem : public QObject {
    Q_OBJECT
public:
    explicit TDM_DocItem(QObject* Owner = nullptr);
    ~TDM_DocItem() override;
};

// The one instance, while it exists.
extern TDM_DocItem* DM_DocItem;

}  // namespace tavo::docviewer
