// cut_sentences cuts a text into sentences and appends them to a store.
//
// Every "." ends a sentence unless the three characters ending at it are
// "in." or "No.", the four are "Fig." or the five are "Figs." (exact,
// case-sensitive, with no regard to word boundaries). A sentence runs from
// the character after the previous sentence end up to and including its
// full stop; every CR and LF in it becomes a space. Text after the last
// sentence end is dropped. Once the store is full, further sentences are
// counted but not stored, so the caller can say how many were left out.
#ifndef VANTREL_CORE_SENTENCE_SPLITTER_H_
#define VANTREL_CORE_SENTENCE_SPLITTER_H_

#include <cstddef>
#include <string_view>

#include "core/sentence_store.h"

namespace vantrel {

struct CutCount {
  std::size_t added = 0;      // sentences appended to the store
  std::size_t not_added = 0;  // sentences refused because the store was full
};

// The text is read in place, never copied whole; any length is fine.
CutCount cut_sentences(std::u16string_view text, SentenceStore& store);

// True when the full stop at `position` closes "in.", "No.", "Fig." or
// "Figs.". A word that would begin before the text's start never matches.
bool closes_abbreviation(std::u16string_view text, std::size_t position);

}  // namespace vantrel

#endif  // VANTREL_CORE_SENTENCE_SPLITTER_H_
