#include "core/store/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace spinalyst {

void AdviseHugePages(void* data, std::size_t size) {
    constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;
    if (size < hugePage) return;
    // Only the whole huge pages inside the block: the advice must not reach memory beyond it.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (start + size) & ~(hugePage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace spinalyst
