// The cutting rules, as rows of a text and the sentences a fresh list then
// holds.
#include "core/sentence_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

using Sentences = std::vector<std::u16string>;

Sentences held(const SentenceStore& store) {
  return {store.held().begin(), store.held().end()};
}

struct Row {
  const char* intent;
  std::u16string text;
  Sentences sentences;
};

void expect_rows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.intent);
    SentenceStore store;
    store.fresh_start();
    const CutCount count = cut_sentences(row.text, store);
    EXPECT_EQ(held(store), row.sentences);
    EXPECT_EQ(count.added, row.sentences.size());
    EXPECT_EQ(count.not_added, 0U);
  }
}

TEST(CutSentences, AtEveryFullStop) {
  expect_rows({
      {"the next sentence starts after the full stop",
       u"The cat sat. The dog ran.",
       {u"The cat sat.", u" The dog ran."}},
      {"only full stops", u"...", {u".", u".", u"."}},
      {"the tail is dropped", u"Kept. dropped tail", {u"Kept."}},
      {"no full stop", u"No period here", {}},
      {"other marks do not end",
       u"Why? Yes! Note:\r\nok.",
       {u"Why? Yes! Note:  ok."}},
      {"CR LF become two spaces",
       u"First one.\r\nSecond.",
       {u"First one.", u"  Second."}},
      {"CR alone and LF alone", u"A.\rB.\nC.", {u"A.", u" B.", u" C."}},
      {"spaces are kept", u"A.   B  c.", {u"A.", u"   B  c."}},
      {"NUL and surrogates are ordinary",
       std::u16string(u"a\0b. \U0001F600 \xD800.", 11),
       {std::u16string(u"a\0b.", 4), u" \U0001F600 \xD800."}},
  });
}

TEST(CutSentences, NotAfterTheFourAbbreviations) {
  expect_rows({
      {"in.",
       u"Wing span 10 in. is long. Next.",
       {u"Wing span 10 in. is long.", u" Next."}},
      {"No.", u"See No. 5. Next.", {u"See No. 5.", u" Next."}},
      {"Fig.", u"See Fig. 3. It shows", {u"See Fig. 3."}},
      {"Figs.",
       u"See Figs. 2 and 3. Next.",
       {u"See Figs. 2 and 3.", u" Next."}},
      {"at the end of longer words",
       u"Again. Berlin. ProFig. CasNo. x.",
       {u"Again. Berlin. ProFig. CasNo. x."}},
      {"case matters",
       u"no. NO. In. fig. FIG. figs. FIGS.",
       {u"no.", u" NO.", u" In.", u" fig.", u" FIG.", u" figs.", u" FIGS."}},
      {"a full stop after one", u"See No.. Go.", {u"See No..", u" Go."}},
      {"whole words at the text's start", u"No. 1 and Fig. 2 in.", {}},
  });
}

// A word that would start before the text never matches, and nothing before
// the text is read.
TEST(CutSentences, PartsOfAbbreviationsAtTheTextsStart) {
  for (const std::u16string text :
       {u"n.", u"o.", u"g.", u"s.", u"ig.", u"igs."}) {
    expect_rows({{"part of a word", text, {text}}});
  }
}

// The search for full stops looks at blocks of code units: a full stop at
// any place of a long text, the last one included, must be found.
TEST(CutSentences, AFullStopAnywhereInALongText) {
  for (std::size_t at = 0; at < 70; ++at) {
    SCOPED_TRACE(at);
    std::u16string text(70, u'x');
    text[at] = u'.';
    expect_rows({{"one full stop", text, {text.substr(0, at + 1)}}});
  }
}

// Sentences beyond the 1000 slots are counted, not stored; the held ones
// stay as they were.
TEST(CutSentences, IntoAFullList) {
  struct Capacity {
    int held_before;
    int in_text;
    std::size_t added;
    std::size_t not_added;
  };
  for (const Capacity& row :
       {Capacity{0, 1000, 1000, 0}, Capacity{0, 1001, 1000, 1},
        Capacity{998, 5, 2, 3}, Capacity{1000, 3, 0, 3}}) {
    SCOPED_TRACE(row.held_before);
    SentenceStore store;
    store.fresh_start();
    for (int i = 0; i < row.held_before; ++i) store.append(u"old.");
    std::u16string text;
    for (int i = 1; i <= row.in_text; ++i) text += u"new.";
    const CutCount count = cut_sentences(text, store);
    EXPECT_EQ(count.added, row.added);
    EXPECT_EQ(count.not_added, row.not_added);
    ASSERT_EQ(store.held().size(),
              static_cast<std::size_t>(row.held_before) + row.added);
    EXPECT_EQ(store.held().back(), row.added > 0 ? u"new." : u"old.");
  }
}

}  // namespace
}  // namespace vantrel
