#pragma once

#include "runtime/locale.h"
#include "warning.h"

#include <optional>
#include <string>

namespace bz::preview {

// The locale the previewer reads and shows under, and how it came to it.
struct LocaleChoice {
    PortableLocaleKind kind;
    std::string name;               // "en-GB"
    std::optional<Warning> warning; // the environment named a locale the previewer lacks
};

// `named` ("en-US", "en-GB" or "de-DE") when given, else the one LC_ALL, LC_TIME or LANG
// names; one the previewer does not model becomes en-US with a warning. C and POSIX name none.
LocaleChoice chooseLocale(const std::optional<std::string>& named);

} // namespace bz::preview
