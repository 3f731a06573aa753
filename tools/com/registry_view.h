#pragma once

#include "installation_facts.h"

#include <windows.h>

#include <optional>
#include <string>

namespace bz::preview {

// A registry view: this process's bitness's, or the other's on 64-bit Windows.
struct RegistryView {
    Bitness bitness;
    REGSAM flag; // KEY_WOW64_32KEY or KEY_WOW64_64KEY
};

// This process's view, and the other one where Windows has two.
RegistryView ownView();
std::optional<RegistryView> otherView();

// Whether HKEY_CLASSES_ROOT\`path` exists in `view`.
bool keyExists(const RegistryView& view, const std::wstring& path);
// The text value `name` (the default when empty) of HKEY_CLASSES_ROOT\`path` in `view`, in UTF-8;
// empty when missing.
std::string textValue(const RegistryView& view, const std::wstring& path, const wchar_t* name);

// The component's class as `view` registers it.
ClassRegistration readClassRegistration(const RegistryView& view);

} // namespace bz::preview
