#pragma once
// The viewer's remembered layout, in settings store 1, section "F_DocPDFViewer": where the
// bar between contents and document stands, whether the contents sit left or on top, and
// whether the tree opens fully expanded.
#include <cstdint>

#include "platform/PdfReaderControl.h"

namespace tavo::docviewer {

struct TViewerLayout {
    static constexpr const char* Section = "F_DocPDFViewer";
    // The tree never takes more than this share of the viewer.
    static constexpr uint8_t MaxPercent = 75;

    // As read: 0 to 255 (anything else reads as the default).
    uint8_t PercentX = 25;
    uint8_t PercentY = 25;
    bool OrientV = true;  // contents on the left
    bool AutoExpandTree = true;

    uint8_t AppliedPercentX() const { return PercentX > MaxPercent ? MaxPercent : PercentX; }
    uint8_t AppliedPercentY() const { return PercentY > MaxPercent ? MaxPercent : PercentY; }

    // Defaults for anything missing or out of range.
    static TViewerLayout Load();
    // Failures to write are ignored, as for every setting.
    void Store() const;

    bool operator==(const TViewerLayout&) const = default;
};

// The zoom mode the user chose on the reader's strip, kept in the same section; absent or
// unknown reads as fitting the width, the viewer's own way of opening a document.
inline constexpr const char* kZoomModeKey = "DocumentZoomMode";
platform::TPdfZoomMode LoadZoomMode();
// A custom zoom is not a mode and is not kept.
void StoreZoomMode(platform::TPdfZoomMode Mode);

}  // namespace tavo::docviewer
