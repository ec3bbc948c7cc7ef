// Thousands of seeded random texts, built from the pieces that matter to
// the cutting (abbreviations, full stops, line breaks, runs of spaces,
// non-ASCII and broken surrogates), checked against the invariants.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "core/code_page.h"
#include "core/numbered_file.h"
#include "core/sentence_splitter.h"
#include "tests/sentence_invariants.h"

namespace vantrel {
namespace {

constexpr std::array<std::u16string_view, 27> kPieces = {
    u"The",        u"cat",    u"in.",    u"No.", u"Fig.", u"Figs.",  u"again.",
    u"no.",        u"FIG.",   u".",      u"..",  u" ",    u"  ",     u"   ",
    u"\r\n",       u"\r",     u"\n",     u"?",   u"!",    u"\u00e9", u"\u20ac",
    u"\U0001F600", u"\xD800", u"\xDC00", u"\t",  u"n",    u"Fi"};

std::u16string random_text(std::mt19937& random, std::size_t pieces) {
  std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
  std::u16string text;
  for (std::size_t i = 0; i < pieces; ++i) text += kPieces[pick(random)];
  return text;
}

// Code units less the second half of each surrogate pair.
std::size_t character_count(std::u16string_view text) {
  std::size_t count = text.size();
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      --count;
      ++i;
    }
  }
  return count;
}

TEST(GeneratedTexts, CutOnceKeepsEveryInvariant) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 5000; ++round) {
    const std::u16string text = random_text(random, random() % 60);
    SentenceStore store;
    store.fresh_start();
    const CutCount count = cut_sentences(text, store);
    ASSERT_EQ(testing::check_cut(text, store, count), "") << "round " << round;
    ASSERT_EQ(testing::check_numbered_text(store), "") << "round " << round;
    // An 8-bit code page gives one byte per character, "?" included.
    const std::u16string lines = numbered_text(store);
    ASSERT_EQ(encode_to_code_page(lines, "ISO-8859-1").size(),
              character_count(lines))
        << "round " << round;
  }
}

TEST(GeneratedTexts, ManySentencesFillTheStoreAndNoMore) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    const std::u16string text = random_text(random, 4000 + random() % 4000);
    SentenceStore store;
    store.fresh_start();
    const CutCount count = cut_sentences(text, store);
    ASSERT_EQ(testing::check_cut(text, store, count), "") << "round " << round;
    ASSERT_EQ(testing::check_numbered_text(store), "") << "round " << round;
  }
}

}  // namespace
}  // namespace vantrel
