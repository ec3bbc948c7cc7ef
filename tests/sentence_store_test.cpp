#include "core/sentence_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

std::vector<std::u16string> held_of(const SentenceStore& store) {
  return {store.held().begin(), store.held().end()};
}

void append_numbered(SentenceStore& store, int count) {
  for (int i = 1; i <= count; ++i) {
    const std::string text = "s" + std::to_string(i) + ".";
    ASSERT_NE(store.append(std::u16string(text.begin(), text.end())), nullptr);
  }
}

TEST(SentenceStore, HoldsNothingBeforeTheFirstFreshStart) {
  SentenceStore store;
  store.initialise();
  EXPECT_EQ(store.next_index(), 0);
  EXPECT_TRUE(store.held().empty());
  // Nothing may land in slot 0, where no walk would ever find it.
  EXPECT_EQ(store.append(u"lost."), nullptr);
  EXPECT_EQ(store.next_index(), 0);
}

TEST(SentenceStore, AppendsInOrderAfterAFreshStart) {
  SentenceStore store;
  store.fresh_start();
  EXPECT_TRUE(store.held().empty());
  append_numbered(store, 5);
  EXPECT_EQ(store.next_index(), 6);
  EXPECT_EQ(held_of(store), (std::vector<std::u16string>{u"s1.", u"s2.", u"s3.",
                                                         u"s4.", u"s5."}));
}

TEST(SentenceStore, FreshStartForgetsTheOldListButReusesItsSlots) {
  SentenceStore store;
  store.fresh_start();
  append_numbered(store, 5);
  store.fresh_start();
  store.append(u"new one.");
  store.append(u"new two.");
  EXPECT_EQ(held_of(store),
            (std::vector<std::u16string>{u"new one.", u"new two."}));
}

TEST(SentenceStore, StoresACopyOfTheSentence) {
  SentenceStore store;
  store.fresh_start();
  std::u16string source = u"original.";
  store.append(source);
  source[0] = u'X';
  EXPECT_EQ(store.held()[0], u"original.");
}

TEST(SentenceStore, TakesExactlyOneThousandSentences) {
  SentenceStore store;
  store.fresh_start();
  append_numbered(store, SentenceStore::kCapacity);
  EXPECT_EQ(store.next_index(), 1001);
  EXPECT_EQ(store.held().size(), 1000u);
  EXPECT_EQ(store.held().back(), u"s1000.");

  EXPECT_EQ(store.append(u"one too many."), nullptr);
  EXPECT_EQ(store.next_index(), 1001);
  EXPECT_EQ(store.held().back(), u"s1000.");
  EXPECT_EQ(store.held().front(), u"s1.");
}

}  // namespace
}  // namespace vantrel
