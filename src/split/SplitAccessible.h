#pragma once
// What screen readers see of a split: the split itself, named by its accessible name or else
// its object name; its panes, named by their captions; and each bar as a separator whose value
// is its position.
#include <cstdint>

namespace tavo::split {

class ToxCustomSplit;

// Lets QAccessible find the split's interface; every split calls it, it acts once.
void InstallSplitAccessibility();

// Tells screen readers which bars moved.
void AnnounceBarMoves(ToxCustomSplit* Split, bool Vertical, bool Horizontal);

}  // namespace tavo::split
