// Reading the previewer's input text: UTF-8 and the patterns file's lines.

#include "input_error.h"
#include "pattern_file.h"
#include "runtime/text.h"
#include "utf.h"

#include <gtest/gtest.h>

namespace bz::testing {
namespace {

using bz::toUtf8;
using preview::fromUtf8;

TEST(Utf8Test, RoundTripsEveryEncodedLength) {
    const std::string text =
        "A\xC3\xAB\xE2\x82\xAC\xF0\x9D\x84\x9E"; // A, e-diaeresis, euro, G clef
    const std::u16string wide = fromUtf8(text, "t");
    EXPECT_EQ(wide, (std::u16string{u'A', 0x00EB, 0x20AC, 0xD834, 0xDD1E}));
    EXPECT_EQ(toUtf8(wide), text);
}

TEST(Utf8Test, RejectsMalformedSequences) {
    for (const char* bad : {"\x80", "a\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xE2\x28\xA1"}) {
        EXPECT_THROW(fromUtf8(bad, "t"), preview::InputError) << bad;
    }
}

TEST(Utf8Test, WritesAnUnpairedSurrogateAsTheReplacementCharacter) {
    EXPECT_EQ(toUtf8(std::u16string{u'a', 0xD834, u'b'}), "a\xEF\xBF\xBD"
                                                          "b");
    EXPECT_EQ(toUtf8(std::u16string{0xDD1E}), "\xEF\xBF\xBD");
}

TEST(PatternFileTest, CutsNameAndKeyAndKeepsThePatternAsWritten) {
    const auto lines = preview::readPatterns(u"# comment\r\n"
                                             u"\r\n"
                                             u"  Room 12 | R12 | 02/09/2024 |x||6|7\r\n"
                                             u"||\n"
                                             u"\t# indented comment\n",
                                             "f");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].resourceName, u"Room 12");
    EXPECT_EQ(lines[0].hostKey, u"R12");
    EXPECT_EQ(lines[0].pattern, u" 02/09/2024 |x||6|7");
    EXPECT_EQ(lines[1].resourceName, u"");
    EXPECT_EQ(lines[1].hostKey, u"");
    EXPECT_EQ(lines[1].pattern, u"");
}

TEST(PatternFileTest, ALineWithOneSeparatorNamesItsLine) {
    try {
        preview::readPatterns(u"a|b|c\n\n#\nRoom|R12\n", "patterns.txt");
        FAIL() << "no error";
    } catch (const preview::InputError& error) {
        EXPECT_STREQ(error.what(),
                     "patterns.txt:4: expected 'resource name|host key|pattern', found 'Room|R12'");
    }
}

} // namespace
} // namespace bz::testing
