#include "input_file.h"

#include "input_error.h"
#include "utf.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace bz::preview {

InputFile::InputFile(const std::string& path)
    : name_(path == "-" ? "standard input" : path), stream_(&std::cin) {
    if (path == "-")
        return;
    std::error_code error;
    if (std::filesystem::is_directory(pathOf(path), error))
        throw InputError(path + ": cannot read it: it is a directory");
    auto file = std::make_unique<std::ifstream>(pathOf(path), std::ios::binary);
    if (!*file)
        throw InputError(path + ": cannot read it: " + std::strerror(errno));
    stream_ = file.get();
    owned_ = std::move(file);
}

InputFile::InputFile(const EmbeddedFile& file)
    : name_(file.name), owned_(std::make_unique<std::istringstream>(std::string(file.content))),
      stream_(owned_.get()) {}

InputFile openInput(const std::string& path, const EmbeddedFile& sample) {
    return path.empty() ? InputFile(sample) : InputFile(path);
}

std::string contentOf(InputFile& file) {
    std::ostringstream text;
    text << file.stream().rdbuf();
    if (file.stream().bad())
        throw InputError(file.name() + ": cannot read it: " + std::strerror(errno));
    return text.str();
}

} // namespace bz::preview
