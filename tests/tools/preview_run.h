#pragma once

#include "preview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bz::testing {

// One run of the previewer: its exit status and what it printed.
struct PreviewRun {
    int status;
    std::string out;
    std::string err;

    std::vector<std::string> outLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // The lines of the paragraph that starts with `heading`, up to the next blank line.
    std::vector<std::string> section(const std::string& heading) const {
        const std::vector<std::string> lines = outLines();
        std::vector<std::string> found;
        bool inside = false;
        for (const std::string& line : lines) {
            if (line == heading)
                inside = true;
            else if (inside && line.empty())
                break;
            if (inside)
                found.push_back(line);
        }
        return found;
    }
};

inline PreviewRun preview(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = preview::runPreview(args, out, err);
    return {status, out.str(), err.str()};
}

// A file in the test's temporary directory, removed with the object.
class TempFile {
  public:
    explicit TempFile(const std::string& content) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("bz_preview_") + test->name() + "_" + std::to_string(++count_));
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

} // namespace bz::testing
