// Texts the benchmarks cut and save, made from a fixed seed so that every run
// measures the same bytes. The prose imitates an article pasted from a word
// processor: a full stop about every 100 characters, now and then one that
// closes "Fig.", "No." or "in.", line breaks between paragraphs, doubled
// spaces and some letters outside ASCII.
#ifndef VANTREL_BENCH_BENCH_TEXTS_H_
#define VANTREL_BENCH_BENCH_TEXTS_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "core/sentence_store.h"

namespace vantrel::bench {

// Prose of exactly `units` UTF-16 code units.
std::u16string make_prose(std::size_t units);

// `text` with every "." replaced by ",": the same characters, no full stop.
std::u16string without_full_stops(std::u16string_view text);

// The length of the shortest start of `text` that holds `count` sentences
// (up to and including the full stop that ends the last of them), or the
// whole length when it holds fewer.
std::size_t length_of_first_sentences(std::u16string_view text,
                                      std::size_t count);

// Fills `store` (after a fresh start) to capacity with sentences of about
// `units` code units each, as the cutting would have stored them.
void fill_store(SentenceStore& store, std::size_t units);

}  // namespace vantrel::bench

#endif  // VANTREL_BENCH_BENCH_TEXTS_H_
