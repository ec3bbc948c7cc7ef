#include "core/sentence_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_text.h"

namespace vantrel {
namespace {

using testing::u16;

struct CutCase {
  const char* name;
  std::u16string text;
  std::vector<std::u16string> sentences;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::u16string> cut_fresh(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  const CutCount count = cut_sentences(text, store);
  EXPECT_EQ(count.not_added, 0u);
  EXPECT_EQ(count.added, store.held().size());
  return {store.held().begin(), store.held().end()};
}

class CutSentences : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutSentences, StoresTheExpectedSentences) {
  EXPECT_EQ(cut_fresh(GetParam().text), GetParam().sentences);
}

// How ordinary text is cut: at every full stop, keeping what stood between.
INSTANTIATE_TEST_SUITE_P(
    Sentences, CutSentences,
    ::testing::Values(
        CutCase{"two_sentences",
                u"The cat sat. The dog ran.",
                {u"The cat sat.", u" The dog ran."}},
        CutCase{"single", u"Hello.", {u"Hello."}},
        CutCase{"lone_full_stop", u".", {u"."}},
        CutCase{"only_full_stops", u"...", {u".", u".", u"."}},
        CutCase{"no_full_stop", u"No period here", {}},
        CutCase{"empty", u"", {}},
        CutCase{"tail_dropped", u"Kept. dropped tail", {u"Kept."}},
        CutCase{"other_marks_do_not_end",
                u"Why? Yes! Note: ok.",
                {u"Why? Yes! Note: ok."}},
        CutCase{"crlf_becomes_two_spaces",
                u"First one.\r\nSecond.",
                {u"First one.", u"  Second."}},
        CutCase{"cr_alone", u"A.\rB.", {u"A.", u" B."}},
        CutCase{"lf_alone", u"A.\nB.", {u"A.", u" B."}},
        CutCase{"line_break_inside", u"One\r\ntwo.", {u"One  two."}},
        CutCase{"spaces_kept", u"A.   B  c.", {u"A.", u"   B  c."}},
        CutCase{"nul_is_ordinary",
                std::u16string(u"a\0b. c.", 7),
                {std::u16string(u"a\0b.", 4), u" c."}},
        CutCase{"surrogate_pair",
                u"Smile \U0001F600. Next.",
                {u"Smile \U0001F600.", u" Next."}},
        CutCase{"lone_surrogates",
                u"\xD800x. \xDC00.",
                {u"\xD800x.", u" \xDC00."}}),
    [](const auto& info) { return std::string(info.param.name); });

// The full stops of "in.", "No.", "Fig." and "Figs." do not end a sentence,
// matched exactly and with no regard to word boundaries.
INSTANTIATE_TEST_SUITE_P(
    Abbreviations, CutSentences,
    ::testing::Values(
        CutCase{"fig_tail_dropped",
                u"Intro text: see Fig. 3. It shows",
                {u"Intro text: see Fig. 3."}},
        CutCase{"inch",
                u"Wing span 10 in. is long. Next one.",
                {u"Wing span 10 in. is long.", u" Next one."}},
        CutCase{"word_ending_in_in",
                u"It rained again. Then it stopped.",
                {u"It rained again. Then it stopped."}},
        CutCase{"no_and_figs",
                u"Parts No. 5 and Figs. 2 and 3 apply. End.",
                {u"Parts No. 5 and Figs. 2 and 3 apply.", u" End."}},
        CutCase{"berlin", u"Off to Berlin. Back.", {u"Off to Berlin. Back."}},
        CutCase{"longer_words",
                u"Latin ProFig. MoreFigs. CasNo. End. x.",
                {u"Latin ProFig. MoreFigs. CasNo. End.", u" x."}},
        CutCase{"case_sensitive",
                u"no. NO. fig. FIG. In. FIGS.",
                {u"no.", u" NO.", u" fig.", u" FIG.", u" In.", u" FIGS."}},
        CutCase{"in_at_text_end", u"Come in.", {}},
        CutCase{
            "abbreviation_then_end", u"See No.. Go.", {u"See No..", u" Go."}}),
    [](const auto& info) { return std::string(info.param.name); });

// Full stops among the first characters: a word that would start before the
// text cannot match, so these are ordinary sentence ends.
INSTANTIATE_TEST_SUITE_P(
    TextStart, CutSentences,
    ::testing::Values(
        CutCase{"mr_smith", u"Mr. Smith.", {u"Mr.", u" Smith."}},
        CutCase{"numbered_heading",
                u"1. Introduction.",
                {u"1.", u" Introduction."}},
        CutCase{"n_only", u"n. x.", {u"n.", u" x."}},
        CutCase{"in_whole_text", u"in.", {}},
        CutCase{"no_at_start", u"No. 5 is here.", {u"No. 5 is here."}},
        CutCase{"fig_at_start", u"Fig. 1 shows it.", {u"Fig. 1 shows it."}},
        CutCase{"figs_at_start", u"Figs. 1 and 2.", {u"Figs. 1 and 2."}},
        CutCase{"ig_at_start", u"ig. x.", {u"ig.", u" x."}},
        CutCase{"igs_at_start", u"igs. x.", {u"igs.", u" x."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CutSentencesAppending, ASecondCutContinuesTheNumbering) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(u"One. Two.", store);
  cut_sentences(u"One. Two.", store);
  EXPECT_EQ(
      std::vector<std::u16string>(store.held().begin(), store.held().end()),
      (std::vector<std::u16string>{u"One.", u" Two.", u"One.", u" Two."}));
}

struct CapCase {
  const char* name;
  int already_held;
  int sentences_in_text;
  std::size_t added;
  std::size_t not_added;
};

void PrintTo(const CapCase& c, std::ostream* os) { *os << c.name; }

class CutIntoAFullStore : public ::testing::TestWithParam<CapCase> {};

// Sentences beyond the store's capacity are counted, not stored, and the
// sentences already held stay as they were.
TEST_P(CutIntoAFullStore, CountsWhatWasNotAdded) {
  const CapCase& c = GetParam();
  SentenceStore store;
  store.fresh_start();
  for (int i = 0; i < c.already_held; ++i) store.append(u"old.");
  std::u16string text;
  for (int i = 1; i <= c.sentences_in_text; ++i) {
    text += u16("n" + std::to_string(i) + ". ");
  }
  const CutCount count = cut_sentences(text, store);
  EXPECT_EQ(count.added, c.added);
  EXPECT_EQ(count.not_added, c.not_added);
  ASSERT_EQ(store.held().size(),
            static_cast<std::size_t>(c.already_held) + c.added);
  if (c.already_held > 0) {
    EXPECT_EQ(store.held().front(), u"old.");
  }
  if (c.added > 0) {
    const std::string last = "n" + std::to_string(c.added) + ".";
    EXPECT_EQ(store.held().back(),
              (c.added == 1 ? u16(last) : u" " + u16(last)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Capacity, CutIntoAFullStore,
    ::testing::Values(CapCase{"exactly_full", 0, 1000, 1000, 0},
                      CapCase{"one_over", 0, 1001, 1000, 1},
                      CapCase{"five_over", 0, 1005, 1000, 5},
                      CapCase{"fills_a_held_list", 998, 5, 2, 3},
                      CapCase{"already_full", 1000, 3, 0, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel
