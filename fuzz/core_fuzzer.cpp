// Fuzz target over the cutting: UTF-16LE text in two pieces, a fresh list cut
// from the first and the second appended. A broken property aborts, and the
// fuzzer keeps the input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/sentence_splitter.h"

namespace {

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

// The sentences end with full stops and are the text's start, line breaks
// blanked.
void require_start_of(std::u16string_view text,
                      std::span<const std::u16string> sentences) {
  std::u16string joined;
  for (const std::u16string& sentence : sentences) {
    require(sentence.ends_with(u'.'), "a sentence without its full stop");
    joined += sentence;
  }
  std::u16string start(text.substr(0, joined.size()));
  std::replace(start.begin(), start.end(), u'\r', u' ');
  std::replace(start.begin(), start.end(), u'\n', u' ');
  require(joined == start, "the sentences are not the text's start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // The exact length, so that a read past the text lands outside it.
  std::vector<char16_t> units(size / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  const std::u16string_view text(units.data(), units.size());
  const std::size_t split = size > 0 ? data[0] % (units.size() + 1) : 0;

  vantrel::SentenceStore store;
  store.fresh_start();
  const auto first = vantrel::cut_sentences(text.substr(0, split), store);
  const std::size_t held_first = store.held().size();
  const auto second = vantrel::cut_sentences(text.substr(split), store);
  require(first.not_added + second.not_added == 0 ||
              store.held().size() == vantrel::SentenceStore::kCapacity,
          "refused with room");
  require_start_of(text.substr(0, split), store.held().first(held_first));
  require_start_of(text.substr(split), store.held().subspan(held_first));
  return 0;
}
