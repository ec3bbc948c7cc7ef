// Properties that must hold after any text is cut into a freshly started
// store and written out, whatever the text. Shared by the generated-text
// tests and the fuzzer. Each check returns an empty string when it holds,
// else a description of the first violation.
#ifndef VANTREL_TESTS_SENTENCE_INVARIANTS_H_
#define VANTREL_TESTS_SENTENCE_INVARIANTS_H_

#include <string>
#include <string_view>

#include "core/numbered_file.h"
#include "core/sentence_splitter.h"
#include "core/sentence_store.h"

namespace vantrel::testing {

inline std::u16string with_line_breaks_blanked(std::u16string_view text) {
  std::u16string blanked(text);
  for (char16_t& c : blanked) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }
  return blanked;
}

// True when some "." in text[from, to) ends a sentence.
inline bool has_sentence_end(std::u16string_view text, std::size_t from,
                             std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (text[i] == u'.' && !closes_abbreviation(text, i)) return true;
  }
  return false;
}

// `store` was fresh-started and then given `text` once, returning `count`.
inline std::string check_cut(std::u16string_view text,
                             const SentenceStore& store, CutCount count) {
  const auto held = store.held();
  if (held.size() != count.added) return "held count differs from added";
  if (held.size() > SentenceStore::kCapacity) return "more than 1000 held";
  if (count.not_added > 0 && held.size() != SentenceStore::kCapacity) {
    return "sentences refused while the store had room";
  }
  const std::u16string blanked = with_line_breaks_blanked(text);
  std::size_t offset = 0;
  for (const std::u16string& sentence : held) {
    if (sentence.empty() || sentence.back() != u'.') {
      return "a held sentence does not end with a full stop";
    }
    if (blanked.compare(offset, sentence.size(), sentence) != 0) {
      return "held sentences are not the text in order";
    }
    if (has_sentence_end(text, offset, offset + sentence.size() - 1)) {
      return "a held sentence holds another sentence end";
    }
    offset += sentence.size();
  }
  if (offset > 0 && closes_abbreviation(text, offset - 1)) {
    return "a held sentence ends with an abbreviation";
  }
  if (count.not_added == 0 && has_sentence_end(text, offset, text.size())) {
    return "the dropped tail holds a sentence end";
  }
  return {};
}

// The numbered text of `store`: one " n. " line per held sentence, with no
// line break inside a line and no double space anywhere.
inline std::string check_numbered_text(const SentenceStore& store) {
  const std::u16string text = numbered_text(store);
  std::size_t line_start = 0;
  std::size_t n = 0;
  while (line_start < text.size()) {
    const std::size_t end = text.find(u"\r\n", line_start);
    if (end == std::u16string::npos) return "a line without CR LF";
    const std::u16string_view line(text.data() + line_start, end - line_start);
    ++n;
    std::u16string prefix = u" ";
    for (char c : std::to_string(n)) prefix.push_back(static_cast<char16_t>(c));
    prefix += u". ";
    if (line.substr(0, prefix.size()) != prefix) return "a line misnumbered";
    if (line.find_first_of(u"\r\n") != std::u16string_view::npos) {
      return "a line break inside a line";
    }
    if (line.substr(prefix.size()).find(u"  ") != std::u16string_view::npos) {
      return "a double space in a sentence";
    }
    if (line.back() != u'.') return "a line not ending with a full stop";
    line_start = end + 2;
  }
  if (n != store.held().size()) return "line count differs from held count";
  return {};
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_SENTENCE_INVARIANTS_H_
