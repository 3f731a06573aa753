#include "registration.h"

#include "Brenik_Zefa.h"
#include "module.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/type_descriptions.h"
#include "runtime/com/unique_any.h"

#include <exception>
#include <functional>
#include <initializer_list>
#include <string>

namespace bz::com {

namespace {

constexpr const wchar_t* progId = L"Brenik_Zefa.TembraLinkHelper";

std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring classKey() {
    return L"CLSID\\" + guidText(__uuidof(TembraLinkHelper));
}

void checkWin32(LSTATUS status) {
    if (status != ERROR_SUCCESS)
        raiseHresult(HRESULT_FROM_WIN32(static_cast<unsigned long>(status)));
}

using Key = UniqueAny<HKEY, RegCloseKey>;

// Key `path` under HKEY_CLASSES_ROOT, created when missing, open for setting values.
Key createKey(const std::wstring& path) {
    HKEY key = nullptr;
    checkWin32(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, &key, nullptr));
    return Key(key);
}

// Sets value `name` (the default value when empty) of key `path` under HKEY_CLASSES_ROOT.
void setValue(const std::wstring& path, const wchar_t* name, const std::wstring& data) {
    checkWin32(RegSetValueExW(createKey(path).get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))));
}

// The library's identity, copied out of the attributes the library owns.
TLIBATTR identityOf(ITypeLib& library) {
    TLIBATTR* attributes = nullptr;
    check(library.GetLibAttr(&attributes));
    return *LibAttrPtr(attributes, {&library});
}

void deleteTree(const std::wstring& path) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    if (status != ERROR_FILE_NOT_FOUND)
        checkWin32(status);
}

// Removes the type library's registration; one that is not there is no failure.
void unregisterTypeLibrary() {
    const TLIBATTR identity = identityOf(*componentTypeLibrary());
    const HRESULT hr = UnRegisterTypeLib(identity.guid, identity.wMajorVerNum,
                                         identity.wMinorVerNum, identity.lcid, identity.syskind);
    if (hr != TYPE_E_REGISTRYACCESS)
        check(hr);
}

// Runs every step, also after one fails, then raises the first failure: one step that fails
// leaves no more behind than itself.
void everyStep(std::initializer_list<std::function<void()>> steps) {
    std::exception_ptr first;
    for (const std::function<void()>& step : steps) {
        try {
            step();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

} // namespace

void registerServer() {
    const std::wstring path = modulePath();
    const ComPtr<ITypeLib> library = componentTypeLibrary();
    check(RegisterTypeLib(library.get(), const_cast<wchar_t*>(path.c_str()), nullptr));

    const TLIBATTR identity = identityOf(*library);
    const std::wstring version =
        std::to_wstring(identity.wMajorVerNum) + L"." + std::to_wstring(identity.wMinorVerNum);

    setValue(classKey(), L"", progId);
    setValue(classKey() + L"\\ProgID", L"", progId);
    setValue(classKey() + L"\\InprocServer32", L"", path);
    setValue(classKey() + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    setValue(classKey() + L"\\TypeLib", L"", guidText(identity.guid));
    setValue(classKey() + L"\\Version", L"", version);
    setValue(progId, L"", progId);
    setValue(std::wstring(progId) + L"\\CLSID", L"", guidText(__uuidof(TembraLinkHelper)));
}

void unregisterServer() {
    everyStep({unregisterTypeLibrary, [] { deleteTree(classKey()); }, [] { deleteTree(progId); }});
}

} // namespace bz::com
