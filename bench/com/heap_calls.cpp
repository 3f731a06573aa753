#include "heap_calls.h"

#include "dll_imports.h"

#include <oleauto.h>

#include <atomic>
#include <stdexcept>

namespace bz::bench {

namespace {

std::atomic<std::size_t> counted{0};

using Malloc = void*(__cdecl*)(std::size_t);
using Calloc = void*(__cdecl*)(std::size_t, std::size_t);
using Realloc = void*(__cdecl*)(void*, std::size_t);
using AllocateString = BSTR(WINAPI*)(const OLECHAR*, UINT);

Malloc realMalloc;
Calloc realCalloc;
Realloc realRealloc;
AllocateString realAllocateString;

void* __cdecl countingMalloc(std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return realMalloc(size);
}
void* __cdecl countingCalloc(std::size_t count, std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return realCalloc(count, size);
}
void* __cdecl countingRealloc(void* memory, std::size_t size) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return realRealloc(memory, size);
}
BSTR WINAPI countingAllocateString(const OLECHAR* text, UINT length) {
    counted.fetch_add(1, std::memory_order_relaxed);
    return realAllocateString(text, length);
}

} // namespace

void HeapCalls::countIn(HMODULE module) {
    const bool any =
        redirectImport(module, "msvcrt.dll", "malloc", &countingMalloc, realMalloc) |
        redirectImport(module, "msvcrt.dll", "calloc", &countingCalloc, realCalloc) |
        redirectImport(module, "msvcrt.dll", "realloc", &countingRealloc, realRealloc) |
        redirectImport(module, "oleaut32.dll", "SysAllocStringLen", &countingAllocateString,
                       realAllocateString);
    if (!any)
        throw std::runtime_error("the DLL imports no heap allocation to count");
}

std::size_t HeapCalls::allocations() noexcept {
    return counted.load(std::memory_order_relaxed);
}

} // namespace bz::bench
