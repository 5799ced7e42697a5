#pragma once
// Inside the lookup library: what screen readers see of a lookup list. The list is a list
// whose children are its cells, as list items named by their captions; the hot cell is the
// focused and selected one, a disabled row is unavailable, and pressing a cell chooses it.
namespace tavo::lookup {

class TCustomLookUpList;

// Lets QAccessible find the lists' interfaces; every list calls it, it acts once.
void InstallLookUpListAccessibility();
// The cells changed: their interfaces are made anew.
void LookUpListLayoutChanged(TCustomLookUpList* List);
// Tells screen readers which cell is hot now.
void LookUpListHotChanged(TCustomLookUpList* List);

}  // namespace tavo::lookup
