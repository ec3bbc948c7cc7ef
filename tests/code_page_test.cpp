// The code page conversion; "UTF-8", "CP1252" and "CP932" name the same code
// page for iconv and Windows, so one table checks both.
#include "core/code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

namespace vantrel {
namespace {

// Each character a code page lacks becomes one counted "?", never a look-alike
// ("a" for a-macron); a "?" of the text's own is not counted.
TEST(EncodeToCodePage, GivesTheExpectedBytes) {
  const struct {
    std::u16string text;
    std::string code_page, bytes;
    std::size_t replaced, first;
  } rows[] = {
      {u"Caf\u00e9 \u20ac \u201chi\u201d", "CP1252", "Caf\xE9 \x80 \x93hi\x94",
       0, 0},
      {u"a\u3042\u6f22\uff71", "CP932", "a\x82\xA0\x8A\xBF\xB1", 0, 0},
      {std::u16string(u"a\0b\xD800", 4), "CP1252", std::string("a\0b?", 4), 1,
       3},
      {u"\u00e9", "NO-SUCH-CODE-PAGE", "\xC3\xA9", 0, 0},
      {u"?\u3042\u20ac \U0001F600", "CP932", "?\x82\xA0? ?", 2, 2},
      {u"\U0001F600?a\xD800z\xDC00 \xDE00\xD83D \xD800", "UTF-8",
       "\xF0\x9F\x98\x80?a?z? ?? ?", 5, 4},
  };
  for (const auto& row : rows) {
    const Encoded encoded = encode_to_code_page(row.text, row.code_page);
    EXPECT_EQ(std::tie(encoded.bytes, encoded.replaced, encoded.first),
              std::tie(row.bytes, row.replaced, row.first))
        << row.code_page << ", " << row.text.size() << " code units";
  }
  // Two bytes a character outgrow the first guess at the output's size.
  EXPECT_EQ(encode_to_code_page(std::u16string(1 << 20, u'\u3042'), "CP932")
                .bytes.size(),
            2U << 20);
}

#ifndef _WIN32
// Plain ASCII and an unknown locale give UTF-8 (the window test: Latin-1).
TEST(SystemCodePage, IsUtf8ForAsciiAndUnknownLocales) {
  for (const char* locale : {"C", "xx_XX.NO-SUCH-SET"}) {
    setenv("LC_ALL", locale, 1);
    EXPECT_EQ(system_code_page(), "UTF-8") << locale;
  }
}
#endif

}  // namespace
}  // namespace vantrel
