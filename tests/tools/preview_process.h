#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace bz::testing {

// A file in the temporary directory, removed with the object.
class TempFile {
  public:
    explicit TempFile(const std::string& content, const std::string& suffix = "") {
        path_ =
            std::filesystem::temp_directory_path() /
            ("bz_preview_" + std::to_string(::getpid()) + "_" + std::to_string(++count_) + suffix);
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
    static inline int count_ = 0;
};

inline std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One run of bz-preview as a process: its exit status and what it printed.
struct PreviewRun {
    int status;
    std::string out;
    std::string err;
};

// Runs bz-preview with `arguments` through the shell, `input` on its standard input and the
// variable assignments `environment` before it.
inline PreviewRun runPreview(const std::string& arguments, const std::string& input = "",
                             const std::string& environment = "") {
    const TempFile in(input), out(""), err("");
    const std::string command = environment + " " + BZ_PREVIEW + " " + arguments + " <" +
                                in.path() + " >" + out.path() + " 2>" + err.path();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(out.path()),
            contentOf(err.path())};
}

// What python3-jsonschema finds wrong with the JSON document `text` against the schema file
// docs/`schema`; empty when the document matches it.
inline std::string schemaErrors(const std::string& text, const std::string& schema) {
    const TempFile document(text, ".json"), err("");
    const std::string command =
        "/usr/bin/python3 -c 'import json, sys, jsonschema; "
        "jsonschema.validate(json.load(open(sys.argv[2])), "
        "json.load(open(sys.argv[1])), cls=jsonschema.Draft202012Validator)' " BZ_DOCS "/" +
        schema + " " + document.path() + " 2>" + err.path();
    if (std::system(command.c_str()) == 0)
        return "";
    const std::string errors = contentOf(err.path());
    return "python3-jsonschema: " + errors.substr(errors.size() > 2000 ? errors.size() - 2000 : 0);
}

} // namespace bz::testing
