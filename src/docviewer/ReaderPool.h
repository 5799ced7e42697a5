#pragma once
// The process's reader controls: created once, pooled, lent to viewers and detached (never
// destroyed) when a viewer lets one go. A control with no parent is free; one with a parent
// is in use. The viewer module owns both pools and frees them before the application object
// goes, since widgets cannot outlive it.
#include <QPointer>
#include <array>
#include <string>

namespace tavo::docviewer {

class TPDF;
class TPdfOld;

// Cleared for good once obtaining a reader control has failed; while false, viewers open
// nothing.
extern bool ReaderAvailable;
// The reader's installer on the disc; the main window sets it from the disc folder.
extern std::string ReaderSetupPath;

constexpr int ControlPoolSize = 4;
extern std::array<QPointer<TPDF>, ControlPoolSize> NewControlPool;
extern std::array<QPointer<TPdfOld>, ControlPoolSize> OldControlPool;

// A control taken from the pool of the current kind: at most one of the two is set.
struct TPooledControl {
    TPDF* New = nullptr;
    TPdfOld* Old = nullptr;
    bool Taken() const { return New || Old; }
};

// Slot 1 to 4 in order: an empty slot gets a new control, a free one is taken, one in use is
// passed over; none when all four are in use. A new newer-kind control that does not answer
// the newer interface switches the process to the older kind: an older control is created in
// the older pool's slot of the same number and taken instead. Creation errors pass on.
TPooledControl TakeControl();

// True when TakeControl would give a control: a slot of the current kind is empty or free.
bool ControlAvailable();

// Frees the newer pool's controls and empties its slots.
void FreeControlPool();
// Frees the older pool's controls too.
void FreeAllControlPools();

// The viewer module's life: started with the library modules, stopped before them.
// Starting resets the process-wide reader state; stopping frees both pools.
void StartViewerModule();
void StopViewerModule();

}  // namespace tavo::docviewer
