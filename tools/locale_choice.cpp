#include "locale_choice.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace bz::preview {

namespace {

constexpr std::array<std::pair<PortableLocaleKind, const char*>, 3> names = {
    {{PortableLocaleKind::EnUs, "en-US"},
     {PortableLocaleKind::EnGb, "en-GB"},
     {PortableLocaleKind::DeDe, "de-DE"}}};

const char* nameOf(PortableLocaleKind kind) {
    for (const auto& [known, name] : names)
        if (known == kind)
            return name;
    return "en-US";
}

// "en_GB.UTF-8" as "en-gb.utf-8", to compare with the names above.
std::string normalized(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return name;
}

} // namespace

LocaleChoice chooseLocale(const std::optional<std::string>& named) {
    if (named) {
        for (const auto& [kind, name] : names)
            if (*named == name)
                return {kind, name, std::nullopt};
    }
    const PortableLocaleKind kind = portableLocaleFromEnvironment();
    LocaleChoice choice{kind, nameOf(kind), std::nullopt};
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string environment = normalized(value);
        const bool none =
            environment == "c" || environment == "posix" || environment.starts_with("c.");
        if (!none && !environment.starts_with(normalized(choice.name)))
            choice.warning = Warning{variable, std::string("names the locale '") + value +
                                                   "', which the previewer does not know: "
                                                   "dates, times and numbers are read as " +
                                                   choice.name};
        break;
    }
    return choice;
}

} // namespace bz::preview
