#include "platform/large_block.h"

#include <sys/mman.h>

#include <new>

namespace quorin {
namespace {

constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

}  // namespace

void* AllocateBlock(std::size_t bytes) {
    if (bytes < kLargeBlock) return ::operator new(bytes);
    void* block =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    // Only advice: without huge pages the block works all the same.
    ::madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void FreeBlock(void* block, std::size_t bytes) noexcept {
    if (bytes < kLargeBlock) {
        ::operator delete(block);
        return;
    }
    ::munmap(block, bytes);
}

}  // namespace quorin
