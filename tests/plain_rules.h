// The cutting rules written plainly, to hold the optimised cutting to: each
// full stop ends a sentence unless "in.", "No.", "Fig." or "Figs." end there;
// CR and LF become spaces; what follows the last sentence is dropped.
#ifndef VANTREL_TESTS_PLAIN_RULES_H_
#define VANTREL_TESTS_PLAIN_RULES_H_

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/sentence_splitter.h"

namespace vantrel::testing {

inline std::vector<std::u16string> plain_rules(std::u16string_view text) {
  std::vector<std::u16string> sentences;
  std::size_t start = 0;
  for (std::size_t end = 1; end <= text.size(); ++end) {
    const std::u16string_view head = text.substr(0, end);
    if (!head.ends_with(u'.') || head.ends_with(u"in.") ||
        head.ends_with(u"No.") || head.ends_with(u"Fig.") ||
        head.ends_with(u"Figs.")) {
      continue;
    }
    std::u16string sentence(text.substr(start, end - start));
    std::replace(sentence.begin(), sentence.end(), u'\r', u' ');
    std::replace(sentence.begin(), sentence.end(), u'\n', u' ');
    sentences.push_back(sentence);
    start = end;
  }
  return sentences;
}

inline SentenceStore fresh_list(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return store;
}

// Whether a fresh list cut from `text` holds what the plain rules give.
inline bool cut_by_plain_rules(std::u16string_view text) {
  const SentenceStore store = fresh_list(text);
  auto expected = plain_rules(text);
  expected.resize(
      std::min<std::size_t>(expected.size(), SentenceStore::kCapacity));
  return std::ranges::equal(store.held(), expected);
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_PLAIN_RULES_H_
