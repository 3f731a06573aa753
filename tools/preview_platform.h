#pragma once

#include "link_helper.h"
#include "options.h"
#include "rule_warnings.h"
#include "runtime/locale.h"
#include "warning.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

namespace bz::preview {

// What differs between the previewers: the locale the component reads under and the component
// itself. On Linux a portable locale and the core in-process (native_platform.cpp); on Windows
// the user's locale with the platform's conversions and the COM component (com/).

// The locale, its name ("en-GB"), its order of day and month, and a warning on how it was
// chosen. InputError when the options ask for one the platform cannot give.
struct PreviewLocale {
    std::unique_ptr<Locale> locale;
    std::string name;
    DateOrder order = DateOrder::MonthFirst;
    std::optional<Warning> warning;
};
PreviewLocale previewLocale(const Options& options);

// The component, reading under `locale`. InputError when it cannot be had.
std::unique_ptr<LinkHelper> makeLinkHelper(const Options& options, const Locale& locale);

// Puts file `from` in the place of file `to` in one step, replacing it: no reader sees `to`
// missing or half written. The error when it cannot.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace bz::preview
