#include "heap_calls.h"

#include <oleauto.h>

#include <atomic>
#include <cstring>
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

// The import address table entry of `dll`'s `name` in `module`, or null.
ULONG_PTR* importEntry(HMODULE module, const char* dll, const char* name) {
    auto* const base = reinterpret_cast<const BYTE*>(module);
    const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto& headers = *reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos.e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* entries =
            reinterpret_cast<IMAGE_THUNK_DATA*>(const_cast<BYTE*>(base) + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* imported =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(imported->Name), name) == 0)
                return reinterpret_cast<ULONG_PTR*>(&entries->u1.Function);
        }
    }
    return nullptr;
}

// Points the import at `counting` and keeps where it pointed in `real`.
template <typename Function>
bool redirect(HMODULE module, const char* dll, const char* name, Function counting,
              Function& real) {
    ULONG_PTR* entry = importEntry(module, dll, name);
    if (!entry)
        return false;
    real = reinterpret_cast<Function>(*entry);
    DWORD protection = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection))
        throw std::runtime_error("the DLL's import table cannot be written");
    *entry = reinterpret_cast<ULONG_PTR>(counting);
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return true;
}

} // namespace

void HeapCalls::countIn(HMODULE module) {
    const bool any = redirect(module, "msvcrt.dll", "malloc", &countingMalloc, realMalloc) |
                     redirect(module, "msvcrt.dll", "calloc", &countingCalloc, realCalloc) |
                     redirect(module, "msvcrt.dll", "realloc", &countingRealloc, realRealloc) |
                     redirect(module, "oleaut32.dll", "SysAllocStringLen", &countingAllocateString,
                              realAllocateString);
    if (!any)
        throw std::runtime_error("the DLL imports no heap allocation to count");
}

std::size_t HeapCalls::allocations() noexcept {
    return counted.load(std::memory_order_relaxed);
}

} // namespace bz::bench
