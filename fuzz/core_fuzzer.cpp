// libFuzzer target over the conversion core. The first input byte picks a
// mode; the remaining bytes are the text as UTF-16LE code units (an odd last
// byte is dropped), so NUL, CR, LF and lone surrogates all occur. Each mode
// checks properties that hold for any text and aborts on the first one that
// fails, which libFuzzer reports as a crash and saves the input for.
//   mode 0: one fresh start, one cut; the cut and the numbered file.
//   mode 1: one fresh start, then the text cut in 2 to 5 pieces one after
//           another: the list is each piece's own sentences in order, capped
//           at 1000, so numbering continues and held sentences never change.
//           Then a fresh start over the used slots and one more cut.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/numbered_file.h"
#include "core/sentence_splitter.h"
#include "core/sentence_store.h"
#include "tests/sentence_invariants.h"

namespace {

using vantrel::CutCount;
using vantrel::SentenceStore;

constexpr std::size_t kCapacity = SentenceStore::kCapacity;

void require(const std::string& failure) {
  if (failure.empty()) return;
  std::fprintf(stderr, "invariant broken: %s\n", failure.c_str());
  std::abort();
}

void cut_once(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  const CutCount count = vantrel::cut_sentences(text, store);
  require(vantrel::testing::check_cut(text, store, count));
  require(vantrel::testing::check_numbered_text(store));
}

std::string check_cut_in_pieces(std::u16string_view text, std::size_t pieces,
                                SentenceStore& store) {
  std::vector<std::u16string> expected;
  for (std::size_t i = 0; i < pieces; ++i) {
    const std::size_t begin = text.size() * i / pieces;
    const std::size_t end = text.size() * (i + 1) / pieces;
    const std::u16string_view piece = text.substr(begin, end - begin);

    SentenceStore alone;  // the piece as the only text of a fresh list
    alone.fresh_start();
    const CutCount alone_count = vantrel::cut_sentences(piece, alone);
    require(vantrel::testing::check_cut(piece, alone, alone_count));
    for (const std::u16string& sentence : alone.held()) {
      if (expected.size() < kCapacity) expected.push_back(sentence);
    }

    const std::size_t room = kCapacity - store.held().size();
    const std::size_t found = alone_count.added + alone_count.not_added;
    const CutCount count = vantrel::cut_sentences(piece, store);
    if (count.added + count.not_added != found) {
      return "a piece counts differently after other pieces";
    }
    if (count.added != std::min(found, room)) {
      return "a piece added other than what the store had room for";
    }
    const auto held = store.held();
    if (!std::equal(held.begin(), held.end(), expected.begin(),
                    expected.end())) {
      return "held sentences are not the pieces' sentences in order";
    }
  }
  return vantrel::testing::check_numbered_text(store);
}

void cut_in_pieces(std::u16string_view text, std::size_t pieces) {
  SentenceStore store;
  store.fresh_start();
  require(check_cut_in_pieces(text, pieces, store));
  // A fresh start overwrites slots that still hold the previous list.
  store.fresh_start();
  const CutCount count = vantrel::cut_sentences(text, store);
  require(vantrel::testing::check_cut(text, store, count));
  require(vantrel::testing::check_numbered_text(store));
}

// Calls `visit` with each character of `text`: a code point, or
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const std::size_t mode = data[0] % 2;
  const std::size_t variant = data[0] / 2;
  // A vector of the exact length, so that a read past the text's end lands
  // outside the allocation, where AddressSanitizer sees it.
  std::vector<char16_t> units((size - 1) / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
  }
  const std::u16string_view text(units.data(), units.size());
  if (mode == 0) {
    cut_once(text);
  } else {
    cut_in_pieces(text, 2 + variant % 4);
  }
  return 0;
}
