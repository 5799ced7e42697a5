// Pages mapped up front: touched afterwards, they take no faults.
#include <gtest/gtest.h>
#include <link.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/PageMapping.h"

using namespace tavo::platform;

namespace {

long Faults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

const std::uintptr_t Page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));

// The test program's read-only pages that are in the file cache now.
std::vector<std::uintptr_t> CachedCodePages()
{
    std::vector<std::uintptr_t> pages;
    dl_iterate_phdr(
        [](dl_phdr_info* Info, size_t, void* Data) {
            if (Info->dlpi_name && *Info->dlpi_name)
                return 0;  // the program only
            auto& out = *static_cast<std::vector<std::uintptr_t>*>(Data);
            for (int i = 0; i < Info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& part = Info->dlpi_phdr[i];
                if (part.p_type != PT_LOAD || (part.p_flags & PF_W))
                    continue;
                const std::uintptr_t start = (Info->dlpi_addr + part.p_vaddr) & ~(Page - 1);
                const std::uintptr_t end =
                    (Info->dlpi_addr + part.p_vaddr + part.p_memsz + Page - 1) & ~(Page - 1);
                std::vector<unsigned char> cached((end - start) / Page);
                if (mincore(reinterpret_cast<void*>(start), end - start, cached.data()) != 0)
                    continue;
                for (size_t p = 0; p < cached.size(); ++p)
                    if (cached[p] & 1)
                        out.push_back(start + p * Page);
            }
            return 1;
        },
        &pages);
    return pages;
}

// Reads a byte of each page; not instrumented, so a sanitizer's checks fault on nothing.
__attribute__((no_sanitize("address", "undefined"))) unsigned
Touch(const std::vector<std::uintptr_t>& Pages)
{
    unsigned sum = 0;
    for (std::uintptr_t page : Pages)
        sum += *reinterpret_cast<const volatile unsigned char*>(page);
    return sum;
}

// Takes the pages out of the page tables; they stay in the file cache, and a touch faults.
void Unmap(const std::vector<std::uintptr_t>& Pages)
{
    for (std::uintptr_t page : Pages)
        madvise(reinterpret_cast<void*>(page), Page, MADV_DONTNEED);
}

// One page in each 64 KiB: a fault maps the pages around it too, so each of these faults
// once when unmapped.
std::vector<std::uintptr_t> Apart(const std::vector<std::uintptr_t>& Pages)
{
    std::vector<std::uintptr_t> apart;
    for (std::uintptr_t page : Pages)
        if (apart.empty() || page / 65536 != apart.back() / 65536)
            apart.push_back(page);
    return apart;
}

long FaultsOfTouching(const std::vector<std::uintptr_t>& Pages)
{
    const long before = Faults();
    Touch(Pages);
    return Faults() - before;
}

}  // namespace

TEST(PageMapping, CodeMappedUpFrontTakesNoFaultWhenRun)
{
    const std::vector<std::uintptr_t> pages = CachedCodePages();
    const std::vector<std::uintptr_t> apart = Apart(pages);
    ASSERT_GE(apart.size(), 4u);
    if (MapLoadedCode({}) == 0)
        GTEST_SKIP() << "this kernel cannot map pages up front";
    // Compared with the same touches unmapped: the machine's own paging (reclaim, huge
    // pages) may cost a stray fault either way.
    Unmap(pages);
    const long unmapped = FaultsOfTouching(apart);
    ASSERT_GE(unmapped, static_cast<long>(apart.size() / 2));
    Unmap(pages);
    const size_t mapped = MapLoadedCode({});
    EXPECT_GE(mapped, pages.size() * Page);
    const long faults = FaultsOfTouching(apart);
    EXPECT_LE(faults, unmapped / 4) << "of " << apart.size() << " pages";
}

TEST(PageMapping, LibrariesAreMappedByNameOnly)
{
    const size_t program = MapLoadedCode({});
    if (program == 0)
        GTEST_SKIP() << "this kernel cannot map pages up front";
    // The C++ library is loaded into every test program; a name nothing has maps nothing more.
    EXPECT_GT(MapLoadedCode({"libstdc++"}), program);
    EXPECT_EQ(MapLoadedCode({"no-such-library"}), program);
}

TEST(PageMapping, AReservedHeapServesAllocationsWithoutFaults)
{
    const size_t reserved = ReserveHeap(4 << 20);
    if (reserved == 0)
        GTEST_SKIP() << "an allocator without a heap to reserve (a sanitizer's)";
    // The heap keeps the pad less its own bookkeeping.
    EXPECT_GE(reserved, (size_t{4} << 20) - 128 * 1024);
    // Two MiB in the small blocks windows allocate, written to.
    std::vector<char*> blocks(16384);  // written now: its own pages are not counted
    const long before = Faults();
    for (char*& block : blocks) {
        block = static_cast<char*>(malloc(120));
        std::memset(block, 0x5a, 120);
    }
    const long faults = Faults() - before;
    for (char* block : blocks)
        free(block);
    // Without the reservation: one fault per fresh page, about 500.
    EXPECT_LT(faults, 20);
}
