#include "core/store/large_blocks.h"

#include <sys/mman.h>

#include <cstdlib>

#include "core/store/huge_pages.h"

namespace spinalyst {

namespace {
constexpr std::size_t largeBlock = std::size_t{1} << 20;
}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
    if (bytes < largeBlock) {
        if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
        throw std::bad_alloc();
    }
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    AdviseHugePages(p, bytes);
    return p;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < largeBlock)
        std::free(block);
    else
        ::munmap(block, bytes);
}

}  // namespace spinalyst
