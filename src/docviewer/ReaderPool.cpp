#include "ReaderPool.h"

#include <QCoreApplication>
#include <algorithm>

#include "PDFLib_TLB.h"
#include "PdfLib_TLB_Old.h"

namespace tavo::docviewer {

bool ReaderAvailable = true;
std::string ReaderSetupPath;
std::array<QPointer<TPDF>, ControlPoolSize> NewControlPool;
std::array<QPointer<TPdfOld>, ControlPoolSize> OldControlPool;

namespace {

// The program's application object goes before the library modules stop; the pools must be
// empty by then. Registered once the first control exists, when the object surely does.
void EnsureFreedWithApplication()
{
    static bool Registered = false;
    if (Registered || !QCoreApplication::instance())
        return;
    Registered = true;
    qAddPostRoutine(FreeAllControlPools);
}

template <typename T> void FreeSlots(std::array<QPointer<T>, ControlPoolSize>& Pool)
{
    for (QPointer<T>& slot : Pool) {
        delete slot.data();
        slot = nullptr;
    }
}

TPdfOld* TakeOldControl()
{
    for (QPointer<TPdfOld>& slot : OldControlPool) {
        if (!slot) {
            slot = new TPdfOld(nullptr);
            return slot;
        }
        if (!slot->parentWidget())
            return slot;
    }
    return nullptr;
}

TPooledControl TakeNewControl()
{
    for (int i = 0; i < ControlPoolSize; ++i) {
        QPointer<TPDF>& slot = NewControlPool[i];
        if (slot) {
            if (!slot->parentWidget())
                return {slot, nullptr};
            continue;
        }
        slot = new TPDF(nullptr);
        if (slot->DefaultInterface())
            return {slot, nullptr};
        // The reader answers the older interface only: from now on the process uses that.
        delete slot.data();
        slot = nullptr;
        delete OldControlPool[i].data();
        OldControlPool[i] = new TPdfOld(nullptr);
        return {nullptr, OldControlPool[i]};
    }
    return {};
}

}  // namespace

TPooledControl TakeControl()
{
    EnsureFreedWithApplication();
    if (UseOldControl)
        return {nullptr, TakeOldControl()};
    return TakeNewControl();
}

bool ControlAvailable()
{
    auto free = [](const auto& Pool) {
        return std::any_of(Pool.begin(), Pool.end(),
                           [](const auto& Slot) { return !Slot || !Slot->parentWidget(); });
    };
    return UseOldControl ? free(OldControlPool) : free(NewControlPool);
}

void FreeControlPool()
{
    FreeSlots(NewControlPool);
}

void FreeAllControlPools()
{
    FreeSlots(NewControlPool);
    FreeSlots(OldControlPool);
}

void StartViewerModule()
{
    ReaderAvailable = true;
    UseOldControl = false;
}

void StopViewerModule()
{
    // Without an application object the post routine has already emptied the pools.
    if (QCoreApplication::instance())
        FreeAllControlPools();
    ReaderAvailable = true;
    UseOldControl = false;
}

}  // namespace tavo::docviewer
