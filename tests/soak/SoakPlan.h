#pragma once
// What the soak does at each step, decided from the seed and the step number alone, so a
// run replays from its seed although the shell's timing differs from run to run.
#include <cstdint>
#include <string>

namespace tavo::soak {

enum class TActionKind {
    Key,             // one key with modifiers to the active window
    Text,            // a short word typed into whatever has the focus
    Click,           // at a point of the active window (X, Y as fractions), Button 1..3
    DoubleClick,     //
    Wheel,           // at a point of the active window, Delta in eighths of a degree
    Resize,          // the main window to X, Y as fractions of the screen
    Maximise,        //
    SwitchTab,       // Index: 0 Programs, 1 Internet, 2 Manual
    OpenEntry,       // the Index-th visible entry of the contents; Double: by double click
    SearchManual,    // Text typed into the manual's search field, then Enter
    OpenResult,      // the Index-th search result; Double: by double click
    TypeAddress,     // the address box gets the Index-th local page, then Enter
    StartInstaller,  // the "Install" button
    StartProgram,    // the "Start" button
};

struct TAction {
    TActionKind Kind = TActionKind::Key;
    int Key = 0;        // a Qt::Key
    int Modifiers = 0;  // Qt::KeyboardModifiers
    int Button = 1;     // 1 left, 2 right, 3 middle
    int Delta = 0;
    int Index = 0;
    bool Double = false;
    double X = 0;  // 0..1
    double Y = 0;  // 0..1
    std::string Text;
};

// The action of step Step in the run of seed Seed.
TAction PlanAction(uint64_t Seed, uint64_t Step);

// One line for the run's log: enough to see what was done.
std::string Describe(const TAction& Action);

// The number of local pages the soak's server offers (page0.html ... ).
constexpr int LocalPageCount = 6;

}  // namespace tavo::soak
