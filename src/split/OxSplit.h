#pragma once
// The split panes: the split control and its scroll panes.
#include "split/SplitTypes.h"
#include "split/ToxCustomSplit.h"
#include "split/ToxScrollPane.h"
