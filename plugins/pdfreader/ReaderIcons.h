#pragma once
// The strip's icons, drawn rather than taken from a theme that may not be installed.
#include <QIcon>

class QPalette;

namespace tavo::pdfreader {

enum class TReaderIcon {
    riZoomIn,
    riZoomOut,
    riFitWidth,
    riFitPage,
    riActualSize,
    riPrevious,
    riNext,
    riBack,
    riForward,
    riPrint,
    riSave,
    riOpenExternally,
};

QIcon ReaderIcon(TReaderIcon Icon, const QPalette& Palette);

}  // namespace tavo::pdfreader
