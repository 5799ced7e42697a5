#pragma once
// Memory for the page images the cache keeps. Memory touched for the first time costs a fault
// per 4 KiB page, which on a virtual machine costs more than rendering the page. Poppler
// renders into memory of the heap; a viewer that kept those images would take fresh memory
// for each one. So a rendered image is copied into a block of this pool (the window's own
// renders once they are on the screen), and the heap's memory goes to the next render while
// still mapped. Blocks are mapped in huge pages where the system offers them, populated in one
// call, and handed from an image the cache let go to the next one of its size.
#include <QImage>
#include <cstdint>

namespace tavo::pdfreader {

// A copy of Image in pooled memory, or Image itself when it is small or no memory can be had.
QImage InPooledMemory(const QImage& Image);

// The memory an image of so many bytes takes once pooled (whole huge pages for large ones).
int64_t PooledBytes(int64_t ImageBytes);

// Unmaps the blocks no image holds (the reader that used them is gone).
void ReleaseFreeImageMemory();

struct TImagePoolState {
    int64_t InUse = 0;  // bytes of blocks held by images
    int64_t Free = 0;   // bytes of blocks kept for the next images
};
TImagePoolState ImagePoolState();

}  // namespace tavo::pdfreader
