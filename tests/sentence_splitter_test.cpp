// The cutting rules: a text, and the sentences a fresh list then holds.
#include "core/sentence_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

using Sentences = std::vector<std::u16string>;

Sentences cut_fresh(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return {store.held().begin(), store.held().end()};
}

TEST(CutSentences, AtEveryFullStopButTheAbbreviations) {
  const struct {
    std::u16string text;
    Sentences sentences;
  } rows[] = {
      {u"The cat sat. The dog ran.", {u"The cat sat.", u" The dog ran."}},
      {u"...", {u".", u".", u"."}},
      {u"Kept. dropped tail", {u"Kept."}},
      {u"No period here", {}},
      {u"Why? Yes! Note:\r\nok.", {u"Why? Yes! Note:  ok."}},
      {u"First one.\r\nSecond.", {u"First one.", u"  Second."}},
      {u"A.\rB.\nC.", {u"A.", u" B.", u" C."}},
      {u"A.   B  c.", {u"A.", u"   B  c."}},
      {std::u16string(u"a\0b. \U0001F600 \xD800.", 11),
       {std::u16string(u"a\0b.", 4), u" \U0001F600 \xD800."}},
      {u"Wing span 10 in. is long. Next.",
       {u"Wing span 10 in. is long.", u" Next."}},
      {u"See No. 5. Next.", {u"See No. 5.", u" Next."}},
      {u"See Fig. 3. It shows", {u"See Fig. 3."}},
      {u"See Figs. 2 and 3. Next.", {u"See Figs. 2 and 3.", u" Next."}},
      {u"Again. Berlin. ProFig. CasNo. x.",
       {u"Again. Berlin. ProFig. CasNo. x."}},
      {u"no. NO. In. fig. FIG. figs. FIGS.",
       {u"no.", u" NO.", u" In.", u" fig.", u" FIG.", u" figs.", u" FIGS."}},
      {u"See No.. Go.", {u"See No..", u" Go."}},
      {u"No. 1 and Fig. 2 in.", {}},
      {u"igs.", {u"igs."}},  // "Figs." would start before the text
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
    EXPECT_EQ(cut_fresh(row.text), row.sentences);
  }
}

// The search looks at blocks of code units: a full stop anywhere in a long
// text, the last place included, must be found.
TEST(CutSentences, AFullStopAnywhereInALongText) {
  for (std::size_t at = 0; at < 70; ++at) {
    std::u16string text(70, u'x');
    text[at] = u'.';
    EXPECT_EQ(cut_fresh(text), Sentences{text.substr(0, at + 1)}) << at;
  }
}

}  // namespace
}  // namespace vantrel
