#include "text.h"

namespace bz {

namespace {

constexpr char32_t replacement = 0xFFFD;

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The code point of the sequence at `text[i]`, advancing i past what it read; false for a
// malformed, overlong or surrogate sequence.
bool decodeSequence(std::string_view text, std::size_t& i, char32_t& c) {
    struct Form {
        unsigned char mask, lead;
        int trailing;
        char32_t minimum;
    };
    static constexpr Form forms[] = {{0x80, 0x00, 0, 0},
                                     {0xE0, 0xC0, 1, 0x80},
                                     {0xF0, 0xE0, 2, 0x800},
                                     {0xF8, 0xF0, 3, 0x10000}};
    const auto first = static_cast<unsigned char>(text[i++]);
    for (const Form& form : forms) {
        if ((first & form.mask) != form.lead)
            continue;
        c = first & static_cast<unsigned char>(~form.mask);
        for (int k = 0; k < form.trailing; ++k) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
        }
        return c >= form.minimum && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    }
    return false;
}

} // namespace

std::optional<std::u16string> decodeUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        if (!decodeSequence(text, i, c))
            return std::nullopt;
        appendUtf16(out, c);
    }
    return out;
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        appendUtf16(out, decodeSequence(text, i, c) ? c : replacement);
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = replacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace bz
