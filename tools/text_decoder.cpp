#include "text_decoder.h"

#include "runtime/text.h"

#include <algorithm>
#include <cstring>

namespace bz::preview {

namespace {

constexpr std::size_t blockSize = 1 << 16;

// Windows-1252's 0x80..0x9F; the five bytes it leaves undefined map to the C1 controls, as
// Windows maps them. The rest is Latin-1.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string fromWindows1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.push_back(value >= 0x80 && value < 0xA0 ? windows1252High[value - 0x80] : value);
    }
    return toUtf8(text);
}

// An odd byte left at the end becomes U+FFFD.
std::string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    if (bytes.size() % 2 != 0)
        text.push_back(0xFFFD);
    return toUtf8(text);
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

} // namespace

TextDecoder::TextDecoder(std::istream& in, std::optional<Encoding> assumed)
    : in_(*in.rdbuf()), block_(blockSize, '\0') {
    refill();
    const std::string_view start(block_.data(), end_);
    if (start.starts_with("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8;
        position_ = 3;
    } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        encoding_ = start[0] == '\xFF' ? Encoding::Utf16Le : Encoding::Utf16Be;
        position_ = 2;
    } else {
        encoding_ = assumed.value_or(Encoding::Utf8);
        guessing_ = !assumed;
    }
    if (encoding_ == Encoding::Utf16Le || encoding_ == Encoding::Utf16Be)
        width_ = 2;
}

bool TextDecoder::next(std::string& line) {
    line.clear();
    tooLong_ = false;
    if (!readUnits(line))
        return false;
    ++line_;
    decode(line);
    return true;
}

// The code units of the next line, up to lineLimit bytes of them; false at the end.
bool TextDecoder::readUnits(std::string& bytes) {
    bool any = false;
    while (true) {
        if (end_ - position_ < width_ && !refill()) {
            // An odd byte of UTF-16 left at the end.
            bytes.append(block_, position_, end_ - position_);
            any = any || position_ < end_;
            position_ = end_;
            return any;
        }
        any = true;
        const std::size_t newline = newlineAt(position_);
        const std::size_t stop = newline != std::string::npos
                                     ? newline
                                     : position_ + (end_ - position_) / width_ * width_;
        const std::size_t room = lineLimit - std::min(lineLimit, bytes.size());
        tooLong_ = tooLong_ || stop - position_ > room;
        bytes.append(block_, position_, std::min(stop - position_, room));
        if (newline != std::string::npos) {
            position_ = newline + width_;
            return true;
        }
        position_ = stop;
    }
}

// Moves what is left of the block to its start and reads more; false when nothing more came
// and less than one code unit is left.
bool TextDecoder::refill() {
    std::memmove(block_.data(), block_.data() + position_, end_ - position_);
    end_ -= position_;
    position_ = 0;
    const std::streamsize read =
        in_.sgetn(block_.data() + end_, static_cast<std::streamsize>(block_.size() - end_));
    end_ += static_cast<std::size_t>(std::max<std::streamsize>(read, 0));
    return end_ >= width_;
}

// Where the next LF code unit from `from` starts, or npos.
std::size_t TextDecoder::newlineAt(std::size_t from) const {
    if (width_ == 1) {
        const void* found = std::memchr(block_.data() + from, '\n', end_ - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - block_.data())
                     : std::string::npos;
    }
    const std::size_t low = encoding_ == Encoding::Utf16Le ? 0 : 1;
    for (std::size_t i = from; i + 1 < end_; i += 2)
        if (block_[i + low] == '\n' && block_[i + 1 - low] == '\0')
            return i;
    return std::string::npos;
}

void TextDecoder::decode(std::string& bytes) {
    // The first line beyond ASCII decides.
    if (guessing_ && !isAscii(bytes)) {
        guessing_ = false;
        if (!decodeUtf8(bytes)) {
            encoding_ = Encoding::Windows1252;
            guessedFrom_ = line_;
        }
    }
    switch (encoding_) {
    case Encoding::Utf8:
        return;
    case Encoding::Windows1252:
        bytes = fromWindows1252(bytes);
        return;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        bytes = fromUtf16(bytes, encoding_ == Encoding::Utf16Be);
        return;
    }
}

} // namespace bz::preview
