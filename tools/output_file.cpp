#include "output_file.h"

#include "preview_platform.h"
#include "utf.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace bz::preview {

namespace {

// "old.txt.bz-preview-1f3a9c.tmp": beside the file, so that putting it in place moves no data.
std::string temporaryBeside(const std::string& name) {
    std::random_device random;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%06x", random() & 0xFFFFFF);
    return name + ".bz-preview-" + suffix + ".tmp";
}

} // namespace

Destination::Destination(const std::optional<std::string>& output, std::ostream& out) : out_(&out) {
    if (!output)
        return;
    name_ = *output;
    // A target that is no regular file of its own (a link, such as /dev/stdout; a device; a pipe)
    // is written through as it is: a rename would replace the link or the node itself.
    std::error_code unknown;
    const auto target = std::filesystem::symlink_status(pathOf(name_), unknown);
    if (!std::filesystem::exists(target) || std::filesystem::is_regular_file(target))
        temporary_ = temporaryBeside(name_);
    file_.open(pathOf(temporary_.empty() ? name_ : temporary_), std::ios::binary);
    if (!file_)
        throw OutputError(name_ + ": cannot write it: " + std::strerror(errno));
    out_ = &file_;
}

Destination::~Destination() {
    if (temporary_.empty())
        return;
    file_.close();
    std::error_code ignored;
    std::filesystem::remove(pathOf(temporary_), ignored);
}

void Destination::commit() {
    if (!out_->flush())
        throw OutputError((name_.empty() ? "standard output" : name_) +
                          ": cannot write it: " + std::strerror(errno));
    if (name_.empty())
        return;
    file_.close();
    if (!file_)
        throw OutputError(name_ + ": cannot write it: " + std::strerror(errno));
    if (temporary_.empty())
        return;
    if (const std::error_code error = replaceFile(pathOf(temporary_), pathOf(name_)))
        throw OutputError(name_ + ": cannot put the preview in its place: " + error.message());
    temporary_.clear();
}

} // namespace bz::preview
