// The cutting against the plain rules, on generated texts.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "tests/plain_rules.h"

namespace vantrel {
namespace {

// Words that are, nearly are, or join into abbreviations; every third text
// one full stop in a long run, across the search's blocks.
TEST(CutSentences, FollowsTheRulesOnGeneratedTexts) {
  const std::u16string words[] = {
      u".",   u"in.", u"No.",  u"Fig.",  u"Figs.", u"igs.", u"no.",
      u"NO.", u"In.", u"fig.", u"figs.", u"FIG.",  u"N",    u"o",
      u"F",   u"f",   u"i",    u"g",     u"s",     u" ",    u"\r\n",
      u"\n",  u"\r",  u"x?",   u"\0",    u"\xD800"};
  std::mt19937 random(7);
  for (int n = 0; n < 3000; ++n) {
    std::u16string text;
    if (n % 3 == 0) {
      text.assign(random() % 200, u'x');
      if (!text.empty()) text[random() % text.size()] = u'.';
    }
    while (n % 3 != 0 && text.size() < random() % 120) {
      text += words[random() % std::size(words)];
    }
    ASSERT_TRUE(testing::cut_by_plain_rules(text))
        << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace vantrel
