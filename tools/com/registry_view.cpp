#include "registry_view.h"

#include "runtime/text.h"

#include <memory>
#include <type_traits>

namespace bz::preview {

namespace {

constexpr const wchar_t* classKey = L"CLSID\\{BCEABCEE-073F-4073-B82E-FF90BE15E444}";

struct KeyClose {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyClose>;

Key openKey(const RegistryView& view, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view.flag, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return Key(key);
}

} // namespace

RegistryView ownView() {
    if constexpr (sizeof(void*) == 8)
        return {Bitness::X64, KEY_WOW64_64KEY};
    return {Bitness::X86, KEY_WOW64_32KEY};
}

std::optional<RegistryView> otherView() {
    if constexpr (sizeof(void*) == 8)
        return RegistryView{Bitness::X86, KEY_WOW64_32KEY};
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        return std::nullopt; // 32-bit Windows: one view
    return RegistryView{Bitness::X64, KEY_WOW64_64KEY};
}

bool keyExists(const RegistryView& view, const std::wstring& path) {
    return openKey(view, path) != nullptr;
}

std::string textValue(const RegistryView& view, const std::wstring& path, const wchar_t* name) {
    const Key key = openKey(view, path);
    DWORD type = 0, size = 0;
    if (!key ||
        RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return toUtf8(reinterpret_cast<const char16_t*>(text.c_str()));
}

ClassRegistration readClassRegistration(const RegistryView& view) {
    const std::wstring server = std::wstring(classKey) + L"\\InprocServer32";
    return {keyExists(view, classKey), textValue(view, L"Brenik_Zefa.TembraLinkHelper\\CLSID", L""),
            textValue(view, server, L""), textValue(view, server, L"ThreadingModel")};
}

} // namespace bz::preview
