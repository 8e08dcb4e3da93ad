#pragma once

#include <cstddef>
#include <new>

namespace spinalyst {

// Memory for arrays that grow to millions of entries. A block of a megabyte or more is mapped
// from the system on its own and given back whole when freed, so that the blocks a growing
// array leaves behind do not stay resident in the allocator's heap; it asks for huge pages,
// so that filling it costs a few page faults rather than one per 4 KiB. Smaller blocks come
// from the ordinary heap.
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;

template <typename T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }

    template <typename U>
    friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator<U>&) {
        return true;
    }
};

}  // namespace spinalyst
