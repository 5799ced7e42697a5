#include "ImageMemory.h"

#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <vector>

namespace tavo::pdfreader {

namespace {

constexpr int64_t kHugePage = int64_t(2) << 20;
constexpr int64_t kPooledFrom = int64_t(1) << 20;  // smaller images stay on the heap
// Free blocks are kept while all blocks together stay within a page cache's default bound,
// so that the next document's pages take the blocks of the last one's; beyond it only a few.
constexpr int64_t kKeepTotal = int64_t(256) << 20;
constexpr int64_t kKeepFree = int64_t(32) << 20;

struct TBlock {
    void* Memory = nullptr;
    int64_t Bytes = 0;
};

void Unmap(const TBlock& Block)
{
    ::munmap(Block.Memory, size_t(Block.Bytes));
}

// Aligned to a huge page, so that the kernel can back it with huge pages.
TBlock Map(int64_t Bytes)
{
    const size_t span = size_t(Bytes + kHugePage);
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return {};
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    const uintptr_t end = aligned + uintptr_t(Bytes);
    if (start + span > end)
        ::munmap(reinterpret_cast<void*>(end), start + span - end);
    auto* memory = reinterpret_cast<void*>(aligned);
    ::madvise(memory, size_t(Bytes), MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    ::madvise(memory, size_t(Bytes), MADV_POPULATE_WRITE);
#endif
    return {memory, Bytes};
}

class TPool {
public:
    TBlock Take(int64_t Bytes)
    {
        {
            const std::lock_guard lock(FMutex);
            for (auto block = FFree.begin(); block != FFree.end(); ++block) {
                if (block->Bytes != Bytes)
                    continue;
                const TBlock taken = *block;
                FFree.erase(block);
                FFreeBytes -= Bytes;
                FInUse += Bytes;
                return taken;
            }
        }
        // Mapped outside the lock: populating takes a while.
        const TBlock mapped = Map(Bytes);
        if (mapped.Memory) {
            const std::lock_guard lock(FMutex);
            FInUse += Bytes;
        }
        return mapped;
    }

    void Give(const TBlock& Block)
    {
        std::vector<TBlock> excess;
        {
            const std::lock_guard lock(FMutex);
            FInUse -= Block.Bytes;
            FFree.push_back(Block);
            FFreeBytes += Block.Bytes;
            // The oldest go first.
            while (FFreeBytes > kKeepFree && FFreeBytes + FInUse > kKeepTotal) {
                excess.push_back(FFree.front());
                FFreeBytes -= FFree.front().Bytes;
                FFree.erase(FFree.begin());
            }
        }
        for (const TBlock& block : excess)
            Unmap(block);
    }

    void Release()
    {
        std::vector<TBlock> all;
        {
            const std::lock_guard lock(FMutex);
            all.swap(FFree);
            FFreeBytes = 0;
        }
        for (const TBlock& block : all)
            Unmap(block);
    }

    TImagePoolState State() const
    {
        const std::lock_guard lock(FMutex);
        return {FInUse, FFreeBytes};
    }

private:
    mutable std::mutex FMutex;
    std::vector<TBlock> FFree;
    int64_t FFreeBytes = 0;
    int64_t FInUse = 0;
};

// Never destroyed: images may be let go after static destruction has begun.
TPool& Pool()
{
    static auto* pool = new TPool;
    return *pool;
}

void GiveBack(void* Info)
{
    auto* block = static_cast<TBlock*>(Info);
    Pool().Give(*block);
    delete block;
}

}  // namespace

int64_t PooledBytes(int64_t ImageBytes)
{
    if (ImageBytes < kPooledFrom)
        return ImageBytes;
    return (ImageBytes + kHugePage - 1) / kHugePage * kHugePage;
}

QImage InPooledMemory(const QImage& Image)
{
    const int64_t bytes = Image.sizeInBytes();
    if (Image.isNull() || bytes < kPooledFrom)
        return Image;
    const TBlock block = Pool().Take(PooledBytes(bytes));
    if (!block.Memory)
        return Image;
    auto* data = static_cast<uchar*>(block.Memory);
    std::memcpy(data, Image.constBits(), size_t(bytes));
    QImage pooled(data, Image.width(), Image.height(), Image.bytesPerLine(), Image.format(),
                  GiveBack, new TBlock(block));
    pooled.setDevicePixelRatio(Image.devicePixelRatio());
    return pooled;
}

void ReleaseFreeImageMemory()
{
    Pool().Release();
}

TImagePoolState ImagePoolState()
{
    return Pool().State();
}

}  // namespace tavo::pdfreader
