// Fuzz target over the cutting: UTF-16LE text cut into a fresh list must give
// the sentences the plain rules give, as many as the list holds. A difference
// aborts, and the fuzzer keeps the input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/sentence_splitter.h"
#include "tests/plain_rules.h"

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
  const auto held = store.held();
  auto expected = vantrel::testing::plain_rules(text);
  expected.resize(std::min<std::size_t>(expected.size(),
                                        vantrel::SentenceStore::kCapacity));
  if (!std::equal(held.begin(), held.end(), expected.begin(), expected.end())) {
    std::abort();
  }
  return 0;
}
