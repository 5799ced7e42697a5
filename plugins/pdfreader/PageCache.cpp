#include "PageCache.h"

#include <algorithm>
#include <unistd.h>

#include "ImageMemory.h"

namespace tavo::pdfreader {

int64_t MachineCacheBound(int64_t PhysicalBytes)
{
    const int64_t quarter = PhysicalBytes > 0 ? PhysicalBytes / 4 : TPageCache::kDefaultLimit;
    return std::max(TPageCache::kMinimumLimit, quarter);
}

int64_t PhysicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? int64_t(pages) * size : 0;
}

TPageCache::TPageCache(int64_t LimitBytes) : FBound(MachineCacheBound(PhysicalMemory()))
{
    FLimit = std::clamp(LimitBytes, kMinimumLimit, FBound);
}

void TPageCache::SetLimit(int64_t LimitBytes)
{
    FLimit = std::clamp(LimitBytes, kMinimumLimit, FBound);
    EvictTo(FLimit);
}

const QImage* TPageCache::Find(const TTileKey& Key)
{
    auto found = FIndex.find(Key);
    if (found == FIndex.end())
        return nullptr;
    FLru.splice(FLru.begin(), FLru, found.value());
    return &FLru.front().Image;
}

void TPageCache::Insert(const TTileKey& Key, QImage Image)
{
    auto found = FIndex.find(Key);
    if (found != FIndex.end())
        Remove(found.value());
    const int64_t size = PooledBytes(Image.sizeInBytes());
    if (Image.isNull() || size > FLimit)
        return;
    EvictTo(FLimit - size);
    FLru.push_front({Key, std::move(Image)});
    FIndex.insert(Key, FLru.begin());
    FBytes += size;
    FPeak = std::max(FPeak, FBytes);
}

void TPageCache::RemoveIf(const std::function<bool(const TTileKey&)>& Predicate)
{
    for (auto item = FLru.begin(); item != FLru.end();) {
        auto next = std::next(item);
        if (Predicate(item->Key))
            Remove(item);
        item = next;
    }
}

void TPageCache::Clear()
{
    FLru.clear();
    FIndex.clear();
    FBytes = 0;
}

void TPageCache::Remove(TList::iterator Item)
{
    FBytes -= PooledBytes(Item->Image.sizeInBytes());
    FIndex.remove(Item->Key);
    FLru.erase(Item);
}

void TPageCache::EvictTo(int64_t Bytes)
{
    while (FBytes > Bytes && !FLru.empty())
        Remove(std::prev(FLru.end()));
}

}  // namespace tavo::pdfreader
