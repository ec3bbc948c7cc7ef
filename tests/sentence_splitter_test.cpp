// The cutting against the plain rules, on generated texts.
#include <gtest/gtest.h>

#include <random>

#include "tests/plain_rules.h"

namespace vantrel {
namespace {

// Texts of runs of characters of a longer word ending in each abbreviation
// (its prefixes, its full stop alone), then in the other case (ASCII); every
// third text one full stop in a long run, across the search's blocks.
TEST(CutSentences, FollowsTheRulesOnGeneratedTexts) {
  std::vector<std::u16string> pieces{u" ", u"\n", u"\r", {u'\0'}, u"\xD800"};
  for (const std::u16string_view word : testing::kAbbreviations) {
    std::u16string longer = std::u16string(u"x").append(word);
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t start = 0; start < longer.size(); ++start) {
        for (std::size_t end = start + 1; end <= longer.size(); ++end) {
          pieces.push_back(longer.substr(start, end - start));
        }
      }
      for (char16_t& unit : longer) unit ^= unit == u'.' ? 0 : 0x20;
    }
  }
  std::mt19937 random(7);
  for (int n = 0; n < 3000; ++n) {
    std::u16string text(n % 3 == 0 ? 1 + random() % 200 : 0, u'x');
    if (!text.empty()) text[random() % text.size()] = u'.';
    while (n % 3 != 0 && text.size() < random() % 120) {
      text += pieces[random() % pieces.size()];
    }
    const SentenceStore store = testing::fresh_list(text);
    ASSERT_EQ(std::vector(store.held().begin(), store.held().end()),
              testing::plain_rules(text))
        << "input " << ::testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace vantrel
