// Counts every allocation through the global operator new of the benchmark program.
#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> allocations{0};

void* allocate(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory)
        throw std::bad_alloc();
    liveBytes.fetch_add(malloc_usable_size(memory), std::memory_order_relaxed);
    allocations.fetch_add(1, std::memory_order_relaxed);
    return memory;
}

void deallocate(void* memory) noexcept {
    if (!memory)
        return;
    liveBytes.fetch_sub(malloc_usable_size(memory), std::memory_order_relaxed);
    std::free(memory);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    deallocate(memory);
}
void operator delete[](void* memory) noexcept {
    deallocate(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    deallocate(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    deallocate(memory);
}

namespace bz::bench {

HeapCount heapCount() noexcept {
    return {liveBytes.load(), allocations.load()};
}

} // namespace bz::bench
