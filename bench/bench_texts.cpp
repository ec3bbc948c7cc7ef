#include "bench/bench_texts.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/full_stop_search.h"
#include "core/sentence_splitter.h"

namespace vantrel::bench {

namespace {

// A small, fast generator (splitmix64); the seed is fixed in each caller.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high].
  std::size_t between(std::size_t low, std::size_t high) {
    return low + static_cast<std::size_t>(next() % (high - low + 1));
  }
  bool one_in(std::size_t n) { return next() % n == 0; }

 private:
  std::uint64_t state_;
};

// Words ending in "in" hide the full stop after them, as in real text.
constexpr std::array<std::u16string_view, 40> kWords = {
    u"the",     u"of",       u"and",     u"a",        u"to",
    u"in",      u"is",       u"was",     u"that",     u"for",
    u"it",      u"with",     u"as",      u"on",       u"be",
    u"sample",  u"measured", u"results", u"surface",  u"pressure",
    u"between", u"which",    u"during",  u"however",  u"layer",
    u"again",   u"within",   u"Berlin",  u"domain",   u"chain",
    u"café",    u"naïve",    u"Zürich",  u"façade",   u"—",
    u"Table",   u"shown",    u"values",  u"compared", u"temperature"};

// Phrases whose full stop does not end the sentence.
constexpr std::array<std::u16string_view, 4> kAbbreviations = {
    u"see Fig. 3", u"part No. 12", u"a 5 in. gap", u"in Figs. 2 and 4"};

// Between sentences: mostly one space, sometimes two or a line break.
std::u16string_view sentence_gap(Random& random) {
  if (random.one_in(12)) return u"\r\n\r\n";
  if (random.one_in(6)) return u"\r\n";
  if (random.one_in(8)) return u"  ";
  return u" ";
}

// One sentence of about `low` to `high` units, capitalised and closed by ".".
void append_sentence(std::u16string& out, Random& random, std::size_t low,
                     std::size_t high) {
  const std::size_t start = out.size();
  const std::size_t target = random.between(low, high);
  while (out.size() - start < target) {
    if (out.size() != start) out += random.one_in(25) ? u"  " : u" ";
    if (random.one_in(30)) {
      out += kAbbreviations[random.between(0, kAbbreviations.size() - 1)];
    } else {
      out += kWords[random.between(0, kWords.size() - 1)];
    }
  }
  if (out[start] >= u'a' && out[start] <= u'z') out[start] -= u'a' - u'A';
  out += u'.';
}

}  // namespace

std::u16string make_prose(std::size_t units) {
  Random random(20240611);
  std::u16string text;
  text.reserve(units + 256);
  while (text.size() < units) {
    append_sentence(text, random, 60, 140);
    text += sentence_gap(random);
  }
  text.resize(units);
  return text;
}

std::u16string without_full_stops(std::u16string_view text) {
  std::u16string copy(text);
  std::replace(copy.begin(), copy.end(), u'.', u',');
  return copy;
}

std::size_t length_of_first_sentences(std::u16string_view text,
                                      std::size_t count) {
  std::size_t found = 0;
  for (std::size_t position = find_full_stop(text, 0);
       position != std::u16string_view::npos;
       position = find_full_stop(text, position + 1)) {
    if (closes_abbreviation(text, position)) continue;
    if (++found == count) return position + 1;
  }
  return text.size();
}

void fill_store(SentenceStore& store, std::size_t units) {
  Random random(7);
  store.fresh_start();
  std::u16string sentence;
  do {
    // Each held sentence but the first opens with the gap that followed the
    // previous full stop, its line breaks already turned into spaces.
    sentence.assign(store.next_index() == 1 ? u"" : sentence_gap(random));
    std::replace(sentence.begin(), sentence.end(), u'\r', u' ');
    std::replace(sentence.begin(), sentence.end(), u'\n', u' ');
    append_sentence(sentence, random, units - 10, units + 10);
  } while (store.append(sentence) != nullptr);
}

}  // namespace vantrel::bench
