#include "core/store/large_blocks.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "core/store/huge_pages.h"

namespace spinalyst {

namespace {
constexpr std::size_t largeBlock = std::size_t{1} << 20;
constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;
constexpr std::uintptr_t smallPage = 4096;

// What is mapped for a block: a block of a huge page or more runs on to the end of its last
// huge page, so that its tail is one too rather than hundreds of small pages, each a fault of
// its own. The memory the tail does not use is only taken once the tail is touched.
std::size_t MappedSize(std::size_t bytes) {
    const std::size_t page = bytes >= hugePage ? hugePage : smallPage;
    return (bytes + page - 1) & ~(page - 1);
}
}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < largeBlock) {
        if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
        throw std::bad_alloc();
    }
    // Placed on a huge page boundary, so that every whole huge page of the block can be one:
    // a block mapped anywhere loses the huge pages its ends cut across.
    const std::size_t size = MappedSize(bytes);
    const std::size_t mapped = size + hugePage;
    void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t begin = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = begin + size;
    if (begin > start) ::munmap(p, begin - start);
    if (start + mapped > end) ::munmap(reinterpret_cast<void*>(end), start + mapped - end);
    void* block = reinterpret_cast<void*>(begin);
    AdviseHugePages(block, size);
    return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < largeBlock)
        std::free(block);
    else
        ::munmap(block, MappedSize(bytes));
}

}  // namespace spinalyst
