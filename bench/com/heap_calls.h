#pragma once

#include <windows.h>

#include <cstddef>

namespace bz::bench {

// Counts the heap allocations one loaded DLL makes: its imports of the C runtime's malloc,
// calloc and realloc and of SysAllocStringLen are pointed at counting wrappers. The DLL itself
// stays as shipped; operator new, the BSTRs and everything else it allocates goes through them.
class HeapCalls {
  public:
    // Patches the imports of `module`; throws when it imports none of the four.
    static void countIn(HMODULE module);
    // The allocations counted so far.
    static std::size_t allocations() noexcept;
};

} // namespace bz::bench
