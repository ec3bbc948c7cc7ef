// Fuzz target over the cutting: UTF-16LE text cut into a fresh list, whose
// sentences must end with full stops and be the text's start, line breaks
// blanked. A broken property aborts, and the fuzzer keeps the input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/sentence_splitter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // The exact length, so that a read past the text lands outside it.
  std::vector<char16_t> units(size / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  const std::u16string_view text(units.data(), units.size());
  vantrel::SentenceStore store;
  store.fresh_start();
  vantrel::cut_sentences(text, store);
  std::u16string joined;
  for (const std::u16string& sentence : store.held()) {
    if (!sentence.ends_with(u'.')) std::abort();
    joined += sentence;
  }
  std::u16string start(text.substr(0, joined.size()));
  std::replace(start.begin(), start.end(), u'\r', u' ');
  std::replace(start.begin(), start.end(), u'\n', u' ');
  if (joined != start) std::abort();
  return 0;
}
