// BzTestHost.dll: a test-only in-process server that lets scripts drive the component against
// the in-memory host (ProgID BzTestHost.Host). Never shipped; registered in the Wine prefix of
// the tests only.
#include "script_host.h"

#include "runtime/com/class_factory.h"
#include "runtime/com/hresult_error.h"
#include "shell/com/module.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using bz::com::ClassFactory;
using bz::com::guarded;
using bz::com::modulePath;
using bz::test::ScriptHost;

constexpr CLSID CLSID_ScriptHost{
    0x3d8e6a41, 0x9c27, 0x4b15, {0x8f, 0x02, 0x6e, 0x51, 0xd4, 0xa7, 0x3c, 0x98}};
constexpr const wchar_t* progId = L"BzTestHost.Host";

// Host objects are plain in-memory objects that the component may still hold after the script
// let go of the host, so every host lives as long as the process: the DLL never unloads, and the
// hosts are not destroyed at process exit either, when COM faces may still refer to them.
std::vector<std::unique_ptr<ScriptHost>>& hosts() {
    static auto* all = new std::vector<std::unique_ptr<ScriptHost>>;
    return *all;
}

HRESULT createScriptHost(REFIID iid, void** result) noexcept {
    try {
        hosts().push_back(std::make_unique<ScriptHost>());
        return hosts().back()->face()->QueryInterface(iid, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

LSTATUS setText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** result) {
    *result = nullptr;
    if (clsid != CLSID_ScriptHost)
        return CLASS_E_CLASSNOTAVAILABLE;
    return guarded(IID_IClassFactory, [&] {
        return ClassFactory<createScriptHost>::create()->QueryInterface(iid, result);
    });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded(IID_NULL, [] {
        const std::wstring classKey = L"CLSID\\" + guidText(CLSID_ScriptHost);
        for (LSTATUS status :
             {setText(classKey + L"\\InprocServer32", nullptr, modulePath()),
              setText(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
              setText(std::wstring(progId) + L"\\CLSID", nullptr, guidText(CLSID_ScriptHost))})
            if (status != ERROR_SUCCESS)
                return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
        return S_OK;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guidText(CLSID_ScriptHost)).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
    return S_OK;
}
