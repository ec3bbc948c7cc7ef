#include "core/code_page.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

// The names "UTF-8", "CP1252" and "CP932" mean the same code page on POSIX
// (iconv) and Windows (WideCharToMultiByte), so one table checks both.
struct EncodeCase {
  const char* name;
  std::u16string text;
  std::string code_page;
  std::string bytes;
};

std::string repeat(std::string_view bytes, std::size_t times) {
  std::string all;
  for (std::size_t i = 0; i < times; ++i) all += bytes;
  return all;
}

TEST(EncodeToCodePage, GivesTheExpectedBytes) {
  const EncodeCase cases[] = {
      {"utf8_bmp", u"Caf\u00e9 \u20ac", "UTF-8", "Caf\xC3\xA9 \xE2\x82\xAC"},
      {"utf8_astral", u"\U0001F600", "UTF-8", "\xF0\x9F\x98\x80"},
      {"cp1252_letters_and_euro", u"Caf\u00e9 \u20ac \u201chi\u201d", "CP1252",
       "Caf\xE9 \x80 \x93hi\x94"},
      {"cp932_double_byte", u"a\u3042\u6f22", "CP932", "a\x82\xA0\x8A\xBF"},
      {"cp932_half_width_kana", u"\uff71", "CP932", "\xB1"},
      {"nul_kept", std::u16string(u"a\0b", 3), "CP1252",
       std::string("a\0b", 3)},
      {"unknown_code_page_is_utf8", u"\u00e9", "NO-SUCH-CODE-PAGE", "\xC3\xA9"},
      // Two bytes per character outgrow the first guess at the output size.
      {"output_larger_than_first_guess", std::u16string(1 << 20, u'\u3042'),
       "CP932", repeat("\x82\xA0", 1 << 20)},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(encode_to_code_page(c.text, c.code_page), c.bytes);
  }
}

// Each character the code page cannot hold becomes exactly one "?", never a
// look-alike ("a" for a-macron, "8" for infinity).
TEST(EncodeToCodePage, ReplacesWhatTheCodePageCannotHold) {
  const EncodeCase cases[] = {
      {"no_best_fit_letter", u"\u0101b", "CP1252", "?b"},
      {"no_best_fit_symbol", u"\u221e", "CP1252", "?"},
      {"euro_in_cp932", u"\u20ac\u3042", "CP932", "?\x82\xA0"},
      {"astral_in_cp1252", u"a\U0001F600b", "CP1252", "a?b"},
      {"astral_in_cp932", u"a\U0001F600b", "CP932", "a?b"},
      {"lone_high_surrogate", u"a\xD800z", "UTF-8", "a?z"},
      {"lone_low_surrogate", u"a\xDC00z", "UTF-8", "a?z"},
      {"high_surrogate_at_end", u"a\xD800", "UTF-8", "a?"},
      {"swapped_pair", u"\xDE00\xD83D", "UTF-8", "??"},
      {"lone_surrogate_in_cp1252", u"a\xD800z", "CP1252", "a?z"},
      {"many_in_a_row", std::u16string(5000, u'\u0101'), "CP1252",
       std::string(5000, '?')},
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(encode_to_code_page(c.text, c.code_page), c.bytes);
  }
}

#ifdef _WIN32
// The ANSI code page follows the environment (under Wine, LANG); the test's
// runner names the one it expects.
TEST(SystemCodePage, IsTheOneTheEnvironmentGives) {
  const char* expected = std::getenv("VANTREL_EXPECTED_CODE_PAGE");
  if (expected == nullptr) GTEST_SKIP() << "VANTREL_EXPECTED_CODE_PAGE unset";
  EXPECT_EQ(system_code_page(), expected);
}
#else
TEST(SystemCodePage, FollowsTheLocale) {
  const struct {
    const char* locale;
    const char* code_page;
  } cases[] = {
      {"C", "UTF-8"},  // ASCII would lose text
      {"C.UTF-8", "UTF-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    ASSERT_NE(std::setlocale(LC_CTYPE, c.locale), nullptr);
    EXPECT_EQ(system_code_page(), c.code_page);
  }
  std::setlocale(LC_CTYPE, "C");
}
#endif

}  // namespace
}  // namespace vantrel
