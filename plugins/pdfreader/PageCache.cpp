#include "PageCache.h"

#include <algorithm>

namespace tavo::pdfreader {

TPageCache::TPageCache(int64_t LimitBytes) : FLimit(std::max(LimitBytes, kMinimumLimit)) {}

void TPageCache::SetLimit(int64_t LimitBytes)
{
    FLimit = std::max(LimitBytes, kMinimumLimit);
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
    const int64_t size = Image.sizeInBytes();
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
    FBytes -= Item->Image.sizeInBytes();
    FIndex.remove(Item->Key);
    FLru.erase(Item);
}

void TPageCache::EvictTo(int64_t Bytes)
{
    while (FBytes > Bytes && !FLru.empty())
        Remove(std::prev(FLru.end()));
}

}  // namespace tavo::pdfreader
