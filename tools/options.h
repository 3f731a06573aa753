#pragma once

#include "runtime/locale.h"

#include <optional>
#include <span>
#include <string>

namespace bz::preview {

// The previewer's command line.
struct Options {
    bool help = false;
    std::optional<std::string> collegeFile;
    std::optional<std::string> patternsFile;
    std::optional<PortableLocaleKind> locale; // the environment's when absent
    std::optional<int> weeks;
    std::optional<std::string> from; // dates as written, read under the locale
    std::optional<std::string> to;
};

// Reads the arguments after the program name; InputError for anything it does not know.
Options parseOptions(std::span<const std::string> args);

// The usage text for --help.
const char* usageText();

// "en-GB" for PortableLocaleKind::EnGb, and so on.
const char* localeName(PortableLocaleKind kind);

} // namespace bz::preview
