// Fuzz target over the cutting and the numbered file. The input is UTF-16LE
// text (an odd last byte is dropped), so NUL, CR, LF and lone surrogates all
// occur. It is cut into a fresh list whole, and again as two pieces, the
// second appended; properties that hold for any text are checked, and the
// first that fails aborts, which the fuzzer reports and keeps the input of.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/numbered_file.h"
#include "core/sentence_splitter.h"

namespace {

using vantrel::SentenceStore;

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

std::vector<std::u16string> cut_fresh(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  const vantrel::CutCount count = vantrel::cut_sentences(text, store);
  require(store.held().size() == count.added, "held differs from added");
  require(count.not_added == 0 || count.added == SentenceStore::kCapacity,
          "sentences refused while the list had room");
  std::u16string joined;
  for (const std::u16string& sentence : store.held()) {
    require(sentence.ends_with(u'.'), "a sentence without its full stop");
    require(sentence.find_first_of(u"\r\n") == std::u16string::npos,
            "a line break in a sentence");
    joined += sentence;
  }
  std::u16string start(text.substr(0, joined.size()));
  std::replace_if(
      start.begin(), start.end(),
      [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  require(joined == start, "the sentences are not the text's start");
  return {store.held().begin(), store.held().end()};
}

// One " n. " line per sentence, each ended by CR LF, with no double space
// after the number's.
void check_numbered_text(const SentenceStore& store) {
  const std::u16string text = vantrel::numbered_text(store);
  std::size_t at = 0;
  for (std::size_t n = 1; n <= store.held().size(); ++n) {
    const std::string number = " " + std::to_string(n) + ". ";
    const std::u16string prefix(number.begin(), number.end());
    require(text.compare(at, prefix.size(), prefix) == 0, "a misnumbered line");
    const std::size_t end = text.find(u"\r\n", at);
    require(end != std::u16string::npos, "a line without CR LF");
    const std::u16string_view line(text.data() + at, end - at);
    require(line.find(u"  ", prefix.size()) == std::u16string_view::npos,
            "a double space");
    at = end + 2;
  }
  require(at == text.size(), "more lines than sentences");
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
  const std::vector<std::u16string> whole = cut_fresh(text);

  // Appending holds the first piece's sentences, then the second's.
  const std::size_t split = size > 0 ? data[0] % (units.size() + 1) : 0;
  std::vector<std::u16string> expected = cut_fresh(text.substr(0, split));
  const std::vector<std::u16string> second = cut_fresh(text.substr(split));
  expected.insert(expected.end(), second.begin(), second.end());
  expected.resize(
      std::min<std::size_t>(expected.size(), SentenceStore::kCapacity));
  SentenceStore store;
  store.fresh_start();
  vantrel::cut_sentences(text.substr(0, split), store);
  vantrel::cut_sentences(text.substr(split), store);
  require(std::equal(expected.begin(), expected.end(), store.held().begin(),
                     store.held().end()),
          "appending differs from the pieces' sentences in order");
  check_numbered_text(store);
  return 0;
}
