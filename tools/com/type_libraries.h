#pragma once

#include "installation_facts.h"
#include "registry_view.h"

#include <optional>
#include <string>

namespace bz::preview {

// A type library by its identity: "{4B00BD6B-...}", version, and "TembraLinkHelperIF 1.0".
struct LibraryIdentity {
    const wchar_t* guid;
    unsigned short major;
    unsigned short minor;
    std::string name;
};

// Where this process's view registers `library` (found as the platform finds it for a client
// of this bitness), whether the file is there and loads as that library, and whether the
// other view registers it.
TypeLibrary findTypeLibrary(const LibraryIdentity& library,
                            const std::optional<RegistryView>& other);

} // namespace bz::preview
