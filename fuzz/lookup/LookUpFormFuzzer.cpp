// The computed lookups read from arbitrary forms, as text and as binary: a sub-lookup with
// its stored "SubSet" over a stored lookup, and an action lookup with its containers.
// Whatever a form sets, the lookups must write, and what they write must read back into
// the same state; the rows must be fetchable without harm.
#include <QAction>
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "lookup/LookUpCtrls.h"
#include "platform/Errors.h"
#include "tools/FormStreamText.h"

namespace {

using namespace tavo;

struct TModule : QObject, tools::TFormComponent {
    lookup::TLookUp* Base = new lookup::TLookUp(this);
    lookup::TSubLookUp* Sub = new lookup::TSubLookUp(this);
    lookup::TSubLookUp* Chained = new lookup::TSubLookUp(this);
    lookup::TActionsLookUp* Actions = new lookup::TActionsLookUp(this);
    std::vector<lookup::TActionContainer*> Containers;
    TModule()
    {
        Base->setObjectName(QStringLiteral("LUp_Base"));
        Sub->setObjectName(QStringLiteral("LUp_Sub"));
        Chained->setObjectName(QStringLiteral("LUp_Chained"));
        Actions->setObjectName(QStringLiteral("LUp_Actions"));
        for (const char* name : {"ActOpen", "ActSave"})
            (new QAction(QString::fromLatin1(name), this))
                ->setObjectName(QString::fromLatin1(name));
        for (const char* name : {"Cont1", "Cont2", "Cont3"}) {
            auto* container = new lookup::TActionContainer(this);
            container->setObjectName(QString::fromLatin1(name));
            Containers.push_back(container);
        }
    }
    std::string ClassName() const override { return "TModule"; }
    std::string FormName() const override { return "DM"; }
    std::vector<TFormComponent*> FormChildren() const override
    {
        std::vector<TFormComponent*> children{Base, Sub, Chained, Actions};
        for (lookup::TActionContainer* container : Containers)
            if (!container->ActionsLookUp())
                children.push_back(container);
        return children;
    }
};

// Every row of every lookup, as a list would fetch it.
void TouchRows(TModule& Module)
{
    for (lookup::TCustomLookUp* lookup : {static_cast<lookup::TCustomLookUp*>(Module.Sub),
                                          static_cast<lookup::TCustomLookUp*>(Module.Chained),
                                          static_cast<lookup::TCustomLookUp*>(Module.Actions)})
        for (int32_t i = 0; i < lookup->Count(); ++i)
            if (lookup::TCustomLookUpItem* item = lookup->GetItem(i))
                (void)item->GetCaption();
}

void Check(const std::function<void(TModule&)>& Read)
{
    std::string written;
    try {
        TModule module;
        Read(module);
        TouchRows(module);
        tools::TWriter writer;
        writer.WriteRootComponent(module);
        written = writer.TakeData();
    } catch (const platform::Exception&) {
        return;
    }
    // Our own form reads without error and writes the same bytes.
    TModule copy;
    tools::TReader(written).ReadRootComponent(copy);
    TouchRows(copy);
    tools::TWriter writer;
    writer.WriteRootComponent(copy);
    if (writer.Data() != written)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string bytes(reinterpret_cast<const char*>(Data), Size);
    Check([&bytes](TModule& Module) { tools::ReadComponentText(bytes, Module); });
    Check([&bytes](TModule& Module) { tools::TReader(bytes).ReadRootComponent(Module); });
    return 0;
}
