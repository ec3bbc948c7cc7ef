// The words for characters saved as "?" in the singular and for broken
// UTF-16; the plural and the other warnings are the window tests'.
#include "core/messages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CharactersReplacedWarning, NamesTheCountTheCharacterSetAndTheRemedy) {
  const struct {
    std::size_t replaced;
    const char* code_page;
    std::u16string_view warning;
  } rows[] = {
      {3, "UTF-8",
       u"Saved \"a.txt\", but 3 characters were broken (halves of UTF-16 "
       u"surrogate pairs) and were saved as \"?\" (the first in sentence 7)."},
#ifdef _WIN32
      {1, "CP932",
       u"Saved \"a.txt\", but 1 character could not be written in code page "
       u"932 and was saved as \"?\" (in sentence 7). To keep every character, "
       u"turn on \"Use Unicode UTF-8 for worldwide language support\" in "
       u"Windows' region settings (Change system locale), restart Windows and "
       u"save again."},
#else
      {1, "KOI8-R",
       u"Saved \"a.txt\", but 1 character could not be written in KOI8-R and "
       u"was saved as \"?\" (in sentence 7). Start the program in a UTF-8 "
       u"locale to keep every character."},
#endif
  };
  for (const auto& row : rows) {
    EXPECT_EQ(
        characters_replaced_warning(u"a.txt", row.replaced, row.code_page, 7),
        row.warning);
  }
}

}  // namespace
}  // namespace vantrel
