// The Windows previewer's platform: the user's locale with the platform's conversions, and the
// COM component, which reads under that same locale.
#include "com_link_helper.h"
#include "input_error.h"
#include "preview_platform.h"
#include "runtime/com/platform_locale.h"
#include "runtime/text.h"

#include <windows.h>

namespace bz::preview {

namespace {

std::string userLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    return toUtf8(reinterpret_cast<const char16_t*>(name));
}

// Month first for the locales whose short date is month-day-year.
DateOrder userDateOrder() {
    DWORD order = 0;
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDATE | LOCALE_RETURN_NUMBER,
                    reinterpret_cast<LPWSTR>(&order), sizeof order / sizeof(wchar_t));
    return order == 0 ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

} // namespace

PreviewLocale previewLocale(const Options& options) {
    const std::string name = userLocaleName();
    if (options.locale && *options.locale != name)
        throw InputError("--locale " + *options.locale +
                         ": the component reads under the user's locale, " + name +
                         "; to preview "
                         "under another, run bz-preview as an account with that regional format");
    return {std::make_unique<com::PlatformLocale>(), name, userDateOrder(), std::nullopt};
}

std::unique_ptr<LinkHelper> makeLinkHelper(const Options& options, const Locale&) {
    return comLinkHelper(options.dll);
}

// MoveFileExW replaces the target in one step; std::filesystem::rename may not on MinGW.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace bz::preview
