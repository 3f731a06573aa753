#include "utf.h"

#include "input_error.h"
#include "runtime/text.h"

namespace bz::preview {

std::u16string fromUtf8Input(std::string_view text, std::string_view where) {
    std::optional<std::u16string> decoded = decodeUtf8(text);
    if (!decoded)
        throw InputError(std::string(where) + ": the text is not valid UTF-8");
    return std::move(*decoded);
}

std::filesystem::path pathOf(const std::string& name) {
    return std::u8string(name.begin(), name.end());
}

} // namespace bz::preview
