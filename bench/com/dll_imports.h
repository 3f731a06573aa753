#pragma once

#include <windows.h>

#include <stdexcept>

namespace bz::bench {

// The import address table entry of `dll`'s `name` in `module`, or null when it imports none.
ULONG_PTR* importEntry(HMODULE module, const char* dll, const char* name);

// Points the import at `replacement` and keeps where it pointed in `original`; false when the
// module does not import it.
template <typename Function>
bool redirectImport(HMODULE module, const char* dll, const char* name, Function replacement,
                    Function& original) {
    ULONG_PTR* entry = importEntry(module, dll, name);
    if (!entry)
        return false;
    original = reinterpret_cast<Function>(*entry);
    DWORD protection = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection))
        throw std::runtime_error("the DLL's import table cannot be written");
    *entry = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return true;
}

} // namespace bz::bench
