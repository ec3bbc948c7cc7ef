#include "core/sentence_store.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Capacity, fresh starts and numbering are exercised through the cutting
// and the saved file; what is left is the state before any list exists.
TEST(SentenceStore, RefusesSentencesBeforeTheFirstFreshStart) {
  SentenceStore store;
  store.initialise();
  EXPECT_TRUE(store.held().empty());
  // Nothing may land in slot 0, where no walk would ever find it.
  EXPECT_EQ(store.append(u"lost."), nullptr);
  EXPECT_EQ(store.next_index(), 0);
  store.fresh_start();
  EXPECT_TRUE(store.held().empty());
}

}  // namespace
}  // namespace vantrel
