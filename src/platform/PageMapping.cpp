#include "PageMapping.h"

#include <cstdint>
#include <link.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#ifndef MADV_POPULATE_READ  // Linux 5.14
#define MADV_POPULATE_READ 22
#define MADV_POPULATE_WRITE 23
#endif

namespace tavo::platform {

namespace {

std::uintptr_t PageSize()
{
    const long page = ::sysconf(_SC_PAGESIZE);
    return page > 0 ? static_cast<std::uintptr_t>(page) : 4096;
}

// Maps the pages of [Start, End) that are in the file cache, run by run.
std::size_t MapCachedPages(std::uintptr_t Start, std::uintptr_t End, std::uintptr_t Page)
{
    std::vector<unsigned char> cached((End - Start) / Page);
    if (cached.empty() || ::mincore(reinterpret_cast<void*>(Start), End - Start, cached.data()))
        return 0;
    std::size_t mapped = 0;
    for (std::size_t i = 0; i < cached.size();) {
        if (!(cached[i] & 1)) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < cached.size() && (cached[j] & 1))
            ++j;
        const std::uintptr_t from = Start + i * Page;
        const std::size_t bytes = (j - i) * Page;
        if (::madvise(reinterpret_cast<void*>(from), bytes, MADV_POPULATE_READ) == 0)
            mapped += bytes;
        i = j;
    }
    return mapped;
}

struct TScan {
    std::initializer_list<std::string_view> Names;
    std::uintptr_t Page = 4096;
    std::size_t Mapped = 0;
};

bool Wanted(const TScan& Scan, std::string_view File)
{
    if (File.empty())
        return true;  // the program itself
    const std::string_view base = File.substr(File.find_last_of('/') + 1);
    for (std::string_view name : Scan.Names)
        if (base.find(name) != std::string_view::npos)
            return true;
    return false;
}

int MapObject(dl_phdr_info* Info, std::size_t, void* Data)
{
    auto& scan = *static_cast<TScan*>(Data);
    if (!Info->dlpi_name || !Wanted(scan, Info->dlpi_name))
        return 0;
    for (int i = 0; i < Info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& part = Info->dlpi_phdr[i];
        // Writable parts are copied on their first write whatever is mapped before.
        if (part.p_type != PT_LOAD || (part.p_flags & PF_W) || part.p_memsz == 0)
            continue;
        const std::uintptr_t mask = scan.Page - 1;
        const std::uintptr_t start = (Info->dlpi_addr + part.p_vaddr) & ~mask;
        const std::uintptr_t end = (Info->dlpi_addr + part.p_vaddr + part.p_memsz + mask) & ~mask;
        scan.Mapped += MapCachedPages(start, end, scan.Page);
    }
    return 0;
}

}  // namespace

std::size_t MapLoadedCode(std::initializer_list<std::string_view> Names)
{
    TScan scan{Names, PageSize()};
    ::dl_iterate_phdr(MapObject, &scan);
    return scan.Mapped;
}

std::size_t ReserveHeap(std::size_t Bytes)
{
    // A sanitizer's allocator has no such setting and answers 0.
    if (::mallopt(M_TOP_PAD, static_cast<int>(Bytes)) != 1)
        return 0;
    constexpr std::size_t kBlock = 96 * 1024;  // below the size that gets a mapping of its own
    auto* before = static_cast<char*>(::sbrk(0));
    // Blocks below the threshold for mappings of their own come from the heap; they grow
    // it, by Bytes and more, once the free space at its top is used up.
    std::vector<void*> blocks;
    blocks.reserve(64);
    while (static_cast<char*>(::sbrk(0)) == before && blocks.size() < 64)
        blocks.push_back(::malloc(kBlock));
    // The free space at the top began where the first block did.
    std::uintptr_t top = reinterpret_cast<std::uintptr_t>(before);
    for (void* block : blocks) {
        if (reinterpret_cast<std::uintptr_t>(block) < top &&
            reinterpret_cast<std::uintptr_t>(block) + kBlock >= top)
            top = reinterpret_cast<std::uintptr_t>(block);
        ::free(block);
    }
    // Freed, the top is trimmed down to Bytes.
    auto* after = static_cast<char*>(::sbrk(0));
    const std::uintptr_t mask = PageSize() - 1;
    const std::uintptr_t start = (top + mask) & ~mask;
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(after) & ~mask;
    if (end <= start ||
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE) != 0)
        return 0;
    return end - start;
}

}  // namespace tavo::platform
