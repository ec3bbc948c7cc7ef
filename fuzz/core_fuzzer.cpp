// Fuzz target over the cutting: UTF-16LE text cut whole and as two pieces,
// the second appended. A broken property aborts; the fuzzer keeps the input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/sentence_splitter.h"

namespace {

using Sentences = std::vector<std::u16string>;

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

// The sentences end in full stops and are the text's start, line breaks
// blanked; none is refused while the list has room.
Sentences cut_fresh(std::u16string_view text) {
  vantrel::SentenceStore store;
  store.fresh_start();
  const vantrel::CutCount count = vantrel::cut_sentences(text, store);
  require(count.not_added == 0 || count.added == 1000, "refused with room");
  std::u16string joined;
  for (const std::u16string& sentence : store.held()) {
    require(sentence.ends_with(u'.'), "a sentence without its full stop");
    joined += sentence;
  }
  std::u16string start(text.substr(0, joined.size()));
  std::replace(start.begin(), start.end(), u'\r', u' ');
  std::replace(start.begin(), start.end(), u'\n', u' ');
  require(joined == start, "the sentences are not the text's start");
  return {store.held().begin(), store.held().end()};
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

  // Appending holds the first piece's sentences, then the second's.
  Sentences expected = cut_fresh(text.substr(0, split));
  const Sentences second = cut_fresh(text.substr(split));
  expected.insert(expected.end(), second.begin(), second.end());
  expected.resize(std::min<std::size_t>(expected.size(), 1000));
  vantrel::SentenceStore store;
  store.fresh_start();
  vantrel::cut_sentences(text.substr(0, split), store);
  vantrel::cut_sentences(text.substr(split), store);
  require(std::equal(expected.begin(), expected.end(), store.held().begin(),
                     store.held().end()),
          "appending differs from the pieces' sentences");

  return 0;
}
