#include "input_file.h"

#include "input_error.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace bz::preview {

InputFile::InputFile(const std::string& path)
    : path_(path), name_(path == "-" ? "standard input" : path) {
    if (path == "-")
        return;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw InputError(path + ": cannot read it: it is a directory");
    file_.open(path, std::ios::binary);
    if (!file_)
        throw InputError(path + ": cannot read it: " + std::strerror(errno));
}

std::string contentOf(InputFile& file) {
    std::ostringstream text;
    text << file.stream().rdbuf();
    if (file.stream().bad())
        throw InputError(file.name() + ": cannot read it: " + std::strerror(errno));
    return text.str();
}

} // namespace bz::preview
