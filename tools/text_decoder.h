#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace bz::preview {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Windows1252 };

// The lines of a text file as UTF-8, read in blocks so that memory stays bounded whatever the
// file's size. A byte-order mark names the encoding (UTF-8, UTF-16 LE or BE); without one the
// text is in `assumed`, or when none is given in UTF-8, read as Windows-1252 from the first line
// that is not UTF-8 if every line before it was ASCII (the same in both). Text that turns
// invalid after UTF-8 beyond ASCII is passed on as it is, for its reader to refuse.
class TextDecoder {
  public:
    // A line longer than this is cut, and flagged.
    static constexpr std::size_t lineLimit = std::size_t{1} << 20;

    TextDecoder(std::istream& in, std::optional<Encoding> assumed);

    // The next line without its LF (a CR before it kept); false at the end.
    bool next(std::string& line);
    // The number of the line last read, the first being 1.
    int line() const { return line_; }
    // Whether the line last read was longer than lineLimit.
    bool tooLong() const { return tooLong_; }
    // The line from which text that is not UTF-8 was read as Windows-1252, when it was guessed.
    std::optional<int> guessedWindows1252() const { return guessedFrom_; }

  private:
    bool readUnits(std::string& bytes);
    bool refill();
    std::size_t newlineAt(std::size_t from) const;
    void decode(std::string& bytes);

    std::streambuf& in_;
    Encoding encoding_ = Encoding::Utf8;
    bool guessing_ = false; // ASCII so far, no encoding given: UTF-8 or Windows-1252
    std::size_t width_ = 1; // bytes per code unit
    std::string block_;
    std::size_t position_ = 0, end_ = 0;
    int line_ = 0;
    bool tooLong_ = false;
    std::optional<int> guessedFrom_;
};

} // namespace bz::preview
