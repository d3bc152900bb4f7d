// Memory for arrays that hostile input can grow to hundreds of megabytes: expression trees, key
// indexes, ini line tables. Filling a fresh block costs a page fault per page, and with 4 KiB
// pages that is most of the time a reader spends on a large text; blocks of 4 MiB and more are
// therefore mapped directly and offered transparent huge pages (a fault per 2 MiB where the system
// allows it). Smaller blocks come from operator new.
#pragma once

#include <cstddef>

namespace quorin {

// bytes of memory aligned for any object; throws std::bad_alloc when there is none.
void* AllocateBlock(std::size_t bytes);
// Frees a block from AllocateBlock, given the same size.
void FreeBlock(void* block, std::size_t bytes) noexcept;

// A standard allocator drawing from AllocateBlock, for std::vector.
template <class T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <class U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeBlock(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace quorin
