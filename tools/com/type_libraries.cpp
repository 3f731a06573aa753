#include "type_libraries.h"

#include "runtime/com/com_ptr.h"
#include "runtime/text.h"
#include "server_file.h"

#include <oleauto.h>

namespace bz::preview {

namespace {

// What goes wrong loading the file at `path` as `library`; empty when nothing does.
std::string loadError(const BSTR path, const GUID& guid, const LibraryIdentity& library) {
    com::ComPtr<ITypeLib> loaded;
    if (const HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, loaded.put()); FAILED(hr))
        return "LoadTypeLibEx " + hexCode(hr);
    TLIBATTR* attributes = nullptr;
    if (const HRESULT hr = loaded->GetLibAttr(&attributes); FAILED(hr))
        return "GetLibAttr " + hexCode(hr);
    const bool same = attributes->guid == guid && attributes->wMajorVerNum == library.major &&
                      attributes->wMinorVerNum == library.minor;
    loaded->ReleaseTLibAttr(attributes);
    return same ? std::string() : "the file holds another library";
}

} // namespace

TypeLibrary findTypeLibrary(const LibraryIdentity& library,
                            const std::optional<RegistryView>& other) {
    TypeLibrary found{library.name, {}, false, false, {}};
    const std::wstring version =
        std::to_wstring(library.major) + L"." + std::to_wstring(library.minor);
    found.inOtherView =
        other && keyExists(*other, std::wstring(L"TypeLib\\") + library.guid + L"\\" + version);
    GUID guid{};
    BSTR path = nullptr;
    if (FAILED(CLSIDFromString(library.guid, &guid)) ||
        FAILED(QueryPathOfRegTypeLib(guid, library.major, library.minor, 0x409, &path)))
        return found;
    found.path = toUtf8(reinterpret_cast<const char16_t*>(path));
    found.fileExists = fileExists(found.path);
    found.loadError = loadError(path, guid, library);
    SysFreeString(path);
    return found;
}

} // namespace bz::preview
