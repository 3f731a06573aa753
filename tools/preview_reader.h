#pragma once

#include "preview_snapshot.h"

#include <string>

namespace bz::preview {

// The schema version of the JSON preview that `readPreview` reads.
inline constexpr int previewSchemaVersion = 2;

// A JSON preview written earlier, of either form, read resource by resource so that only the
// folded days are kept. InputError naming the file when it is not JSON, not a preview, or a
// preview of another schema version.
Snapshot readPreview(const std::string& path);

} // namespace bz::preview
