#include "module.h"

#include "runtime/com/hresult_error.h"

namespace bz::com {

namespace {

// Any object of this module: its address finds the module.
const char moduleAnchor = 0;

} // namespace

std::wstring modulePath() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&moduleAnchor), &module))
        raiseHresult(HRESULT_FROM_WIN32(GetLastError()));
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            raiseHresult(HRESULT_FROM_WIN32(GetLastError()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

ComPtr<ITypeLib> componentTypeLibrary() {
    ComPtr<ITypeLib> library;
    check(LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, library.put()));
    return library;
}

} // namespace bz::com
