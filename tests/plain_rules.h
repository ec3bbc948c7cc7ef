// The cutting rules written plainly, to hold the optimised cutting to: each
// full stop ends a sentence unless one of kAbbreviations ends there; CR and LF
// become spaces; what follows the last sentence is dropped.
#ifndef VANTREL_TESTS_PLAIN_RULES_H_
#define VANTREL_TESTS_PLAIN_RULES_H_

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/sentence_splitter.h"

namespace vantrel::testing {

// Made into generated texts; scripts/check-docs holds the user texts to them.
inline constexpr std::u16string_view kAbbreviations[] = {u"in.", u"No.",
                                                         u"Fig.", u"Figs."};

inline std::vector<std::u16string> plain_rules(std::u16string_view text) {
  std::vector<std::u16string> sentences;
  std::size_t start = 0;
  for (std::size_t end = 1; end <= text.size(); ++end) {
    const std::u16string_view head = text.substr(0, end);
    const auto ends = [head](auto word) { return head.ends_with(word); };
    if (!ends(u'.') || std::ranges::any_of(kAbbreviations, ends)) continue;
    std::u16string sentence(text.substr(start, end - start));
    std::replace(sentence.begin(), sentence.end(), u'\r', u' ');
    std::replace(sentence.begin(), sentence.end(), u'\n', u' ');
    sentences.push_back(sentence);
    start = end;
  }
  sentences.resize(
      std::min<std::size_t>(sentences.size(), SentenceStore::kCapacity));
  return sentences;
}

inline SentenceStore fresh_list(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return store;
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_PLAIN_RULES_H_
