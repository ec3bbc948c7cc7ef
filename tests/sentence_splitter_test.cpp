// The cutting against the plain rules, on generated texts.
#include "core/sentence_splitter.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/plain_rules.h"

namespace vantrel {
namespace {

using Sentences = std::vector<std::u16string>;

Sentences cut_fresh(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return {store.held().begin(), store.held().end()};
}

// Texts of words that are, nearly are, or join into abbreviations; every
// third has one full stop in a long run, to cross the search's blocks.
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
    ASSERT_EQ(cut_fresh(text), testing::plain_rules(text))
        << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace vantrel
