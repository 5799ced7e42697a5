#pragma once
// Rendered page images, least recently used first out, within a byte budget. The budget
// counts the memory the images take (PooledBytes); the cache never holds more.
#include <QHash>
#include <QImage>
#include <cstdint>
#include <functional>
#include <list>

namespace tavo::pdfreader {

// One image: a tile of a page of one opening of a document at one scale. A page small
// enough is one tile (Tile 0); Width, the page's width in device pixels, stands for the scale.
struct TTileKey {
    uint64_t Serial = 0;
    int32_t Page = 0;
    int32_t Width = 0;
    int32_t Tile = 0;

    friend bool operator==(const TTileKey&, const TTileKey&) = default;
};

inline size_t qHash(const TTileKey& Key, size_t Seed = 0)
{
    return qHashMulti(Seed, Key.Serial, Key.Page, Key.Width, Key.Tile);
}

// The most a cache may hold on a machine with this much memory: a quarter of it (at least
// the minimum); with the memory unknown, the default.
int64_t MachineCacheBound(int64_t PhysicalBytes);
// This machine's physical memory in bytes; 0 when unknown.
int64_t PhysicalMemory();

class TPageCache {
public:
    static constexpr int64_t kDefaultLimit = int64_t(256) << 20;
    static constexpr int64_t kMinimumLimit = int64_t(16) << 20;

    // Within this machine's bound (MachineCacheBound).
    explicit TPageCache(int64_t LimitBytes = kDefaultLimit);

    // At least kMinimumLimit, so that a screenful of tiles always fits, and at most the
    // machine's bound.
    void SetLimit(int64_t LimitBytes);
    int64_t Bound() const { return FBound; }
    int64_t Limit() const { return FLimit; }

    // The image, made the most recently used; null when absent.
    const QImage* Find(const TTileKey& Key);
    bool Contains(const TTileKey& Key) const { return FIndex.contains(Key); }
    // Replaces any image under the key; evicts the least recently used until it fits. An
    // image larger than the whole budget is not kept.
    void Insert(const TTileKey& Key, QImage Image);
    void RemoveIf(const std::function<bool(const TTileKey&)>& Predicate);
    void Clear();

    int64_t Bytes() const { return FBytes; }
    int64_t PeakBytes() const { return FPeak; }
    void ResetPeak() { FPeak = FBytes; }
    int Count() const { return static_cast<int>(FIndex.size()); }

private:
    struct TEntry {
        TTileKey Key;
        QImage Image;
    };
    using TList = std::list<TEntry>;

    void Remove(TList::iterator Item);
    void EvictTo(int64_t Bytes);

    int64_t FBound;
    int64_t FLimit;
    int64_t FBytes = 0;
    int64_t FPeak = 0;
    TList FLru;  // most recently used first
    QHash<TTileKey, TList::iterator> FIndex;
};

}  // namespace tavo::pdfreader
