#include "core/sentence_splitter.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "core/full_stop_search.h"
#include "core/sentence_store.h"

namespace vantrel {

namespace {

// True when `word` stands in `text` ending at index `last`.
bool word_ends_at(std::u16string_view text, std::size_t last,
                  std::u16string_view word) {
  if (last + 1 < word.size()) return false;  // would start before the text
  return text.substr(last + 1 - word.size(), word.size()) == word;
}

// Line breaks inside a sentence become spaces; the length stays the same.
void blank_line_breaks(std::u16string& sentence) {
  for (char16_t& unit : sentence) {
    if (unit == u'\r' || unit == u'\n') unit = u' ';
  }
}

}  // namespace

// Every abbreviation ends in a different letter before its full stop, so
// that letter picks the one word worth comparing.
bool closes_abbreviation(std::u16string_view text, std::size_t position) {
  if (position == 0) return false;
  switch (text[position - 1]) {
    case u'n':
      return word_ends_at(text, position, u"in.");
    case u'o':
      return word_ends_at(text, position, u"No.");
    case u'g':
      return word_ends_at(text, position, u"Fig.");
    case u's':
      return word_ends_at(text, position, u"Figs.");
    default:
      return false;
  }
}

CutCount cut_sentences(std::u16string_view text, SentenceStore& store) {
  CutCount count;
  // Positions are 0-based indices into `text`.
  std::size_t sentence_start = 0;
  for (std::size_t position = find_full_stop(text, 0);
       position != std::u16string_view::npos;
       position = find_full_stop(text, position + 1)) {
    const bool is_sentence_end = !closes_abbreviation(text, position);
    if (!is_sentence_end) continue;
    const std::u16string_view sentence =
        text.substr(sentence_start, position - sentence_start + 1);
    if (std::u16string* stored = store.append(sentence)) {
      blank_line_breaks(*stored);
      ++count.added;
    } else {
      ++count.not_added;
    }
    sentence_start = position + 1;
  }
  return count;
}

}  // namespace vantrel
