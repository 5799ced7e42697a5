#include "DMDocItem.h"

#include "platform/StartupLog.h"

namespace tavo::docviewer {

TDM_DocItem* DM_DocItem = nullptr;

TDM_DocItem::TDM_DocItem(QObject* Owner) : QObject(Owner)
{
    setObjectName(QStringLiteral("DM_DocItem"));
    DM_DocItem = this;
    platform::LogLifeEvent("data module created");
}

TDM_DocItem::~TDM_DocItem()
{
    if (DM_DocItem == this)
        DM_DocItem = nullptr;
    platform::LogLifeEvent("data module destroyed");
}

}  // namespace tavo::docviewer
