#include "core/code_page.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vantrel {
namespace {

struct EncodeCase {
  const char* name;
  std::u16string text;
  std::string code_page;
  std::string bytes;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class EncodeToCodePage : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeToCodePage, GivesTheExpectedBytes) {
  EXPECT_EQ(encode_to_code_page(GetParam().text, GetParam().code_page),
            GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Representable, EncodeToCodePage,
    ::testing::Values(
        EncodeCase{"utf8_bmp", u"Caf\u00e9 \u20ac", "UTF-8",
                   "Caf\xC3\xA9 \xE2\x82\xAC"},
        EncodeCase{"utf8_astral", u"\U0001F600", "UTF-8", "\xF0\x9F\x98\x80"},
        EncodeCase{"latin1", u"Caf\u00e9", "ISO-8859-1", "Caf\xE9"},
        EncodeCase{"cp1252_euro", u"\u20ac", "CP1252", "\x80"},
        EncodeCase{"double_byte", u"\u4e2d", "GB18030", "\xD6\xD0"},
        EncodeCase{"nul_kept", std::u16string(u"a\0b", 3), "UTF-8",
                   std::string("a\0b", 3)},
        EncodeCase{"unknown_code_page_is_utf8", u"\u00e9", "NO-SUCH-CODE-PAGE",
                   "\xC3\xA9"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each character the code page cannot hold becomes exactly one "?".
INSTANTIATE_TEST_SUITE_P(
    NotRepresentable, EncodeToCodePage,
    ::testing::Values(
        EncodeCase{"euro_in_latin1", u"\u20ac5", "ISO-8859-1", "?5"},
        EncodeCase{"astral_in_latin1", u"a\U0001F600b", "ISO-8859-1", "a?b"},
        EncodeCase{"lone_high_surrogate", u"a\xD800z", "UTF-8", "a?z"},
        EncodeCase{"lone_low_surrogate", u"a\xDC00z", "UTF-8", "a?z"},
        EncodeCase{"high_surrogate_at_end", u"a\xD800", "UTF-8", "a?"},
        EncodeCase{"swapped_pair", u"\xDE00\xD83D", "UTF-8", "??"},
        EncodeCase{"many_in_a_row", std::u16string(5000, u'\u20ac'),
                   "ISO-8859-1", std::string(5000, '?')}),
    [](const auto& info) { return std::string(info.param.name); });

// Four bytes per code unit outgrow the first guess at the output's size.
TEST(EncodeToCodePageSize, OutputLargerThanFirstGuessIsWhole) {
  const std::u16string text(1 << 20, u'\u00c0');
  const std::string bytes = encode_to_code_page(text, "GB18030");
  ASSERT_EQ(bytes.size(), 4u << 20);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\x81\x30\x86\x38");
}

class SystemCodePage : public ::testing::Test {
 protected:
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(SystemCodePage, AsciiLocaleWritesUtf8) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
  EXPECT_EQ(system_code_page(), "UTF-8");
}

TEST_F(SystemCodePage, FollowsTheLocale) {
  ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  EXPECT_EQ(system_code_page(), "UTF-8");
  // Other locales exist only where they were generated.
  if (std::setlocale(LC_CTYPE, "en_US.ISO-8859-1") != nullptr) {
    EXPECT_EQ(system_code_page(), "ISO-8859-1");
  }
}

}  // namespace
}  // namespace vantrel
