// A clipboard that could not be read, and the one-sentence overflow; the
// other loads and warnings are seen through the window's tests.
#include "core/messages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(LoadClipboardText, KeepsTheListWhenTheClipboardCannotBeRead) {
  for (const ListStart start : {ListStart::kFresh, ListStart::kAppend}) {
    SentenceStore store;
    store.initialise();
    load_clipboard_text(store, u"A. B.", ListStart::kFresh);
    EXPECT_EQ(load_clipboard_text(store, std::nullopt, start),
              u"The clipboard's text could not be read: the program that "
              u"holds it did not answer. The list was left as it was.");
    EXPECT_EQ(store.held().size(), 2U);
  }
}

TEST(LoadClipboardText, CountsOneSentenceLeftOut) {
  SentenceStore store;
  std::u16string text;
  for (int i = 0; i <= SentenceStore::kCapacity; ++i) text += u"s.";
  EXPECT_EQ(load_clipboard_text(store, text, ListStart::kFresh),
            u"The list is full: 1000 sentences are held. 1 more sentence "
            u"from the clipboard was not added.");
}

}  // namespace
}  // namespace vantrel
