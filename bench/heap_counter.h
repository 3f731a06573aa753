#pragma once

#include <cstddef>

namespace bz::bench {

// What this program's global operator new has handed out: live bytes and allocations so far.
struct HeapCount {
    std::size_t liveBytes;
    std::size_t allocations;
};
HeapCount heapCount() noexcept;

} // namespace bz::bench
