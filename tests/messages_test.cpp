// The words for broken UTF-16, one character saved as "?" and a half-done
// save; the plural and the other warnings are the window tests'.
#include "core/messages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CharactersReplacedWarning, NamesTheCountAndTheCharacterSet) {
  EXPECT_EQ(
      characters_replaced_warning(u"a.txt", 3, "UTF-8", 7),
      u"Saved \"a.txt\", but 3 characters were broken (halves of UTF-16 "
      u"surrogate pairs) and were saved as \"?\" (the first in sentence 7).");
  EXPECT_TRUE(characters_replaced_warning(u"a.txt", 1, "KOI8-R", 7)
                  .starts_with(u"Saved \"a.txt\", but 1 character could not be "
                               u"written in KOI8-R and was saved as \"?\" (in "
                               u"sentence 7). "));
}

TEST(SaveWarning, SaysWhereAHalfDoneSaveLeftTheOldFileAndTheNewText) {
  const Saved saved{.error = std::make_error_code(std::errc::io_error),
                    .stranded = {"o", "n"}};
  EXPECT_TRUE(save_warning(u"a", saved, "", u"")
                  .ends_with(u"there is now \"o\". The new text is in \"n\"."));
}

}  // namespace
}  // namespace vantrel
