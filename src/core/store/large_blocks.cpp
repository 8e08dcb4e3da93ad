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
}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < largeBlock) {
        if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
        throw std::bad_alloc();
    }
    // Placed on a huge page boundary, so that every whole huge page of the block can be one:
    // a block mapped anywhere loses the huge pages its ends cut across.
    const std::size_t mapped = bytes + hugePage;
    void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t begin = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (begin + bytes + smallPage - 1) & ~(smallPage - 1);
    if (begin > start) ::munmap(p, begin - start);
    if (start + mapped > end) ::munmap(reinterpret_cast<void*>(end), start + mapped - end);
    void* block = reinterpret_cast<void*>(begin);
    AdviseHugePages(block, bytes);
    return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < largeBlock)
        std::free(block);
    else
        ::munmap(block, bytes);
}

}  // namespace spinalyst
