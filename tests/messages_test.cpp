// What a load does to the list and what the window then says.
#include "core/messages.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Sentences = std::vector<std::u16string>;

std::u16string repeat(std::u16string_view sentence, int times) {
  std::u16string text;
  for (int i = 0; i < times; ++i) text += sentence;
  return text;
}

TEST(LoadClipboardText, StartsFreshOrAppendsAndSaysWhatWentWrong) {
  struct Row {
    const char* intent;
    std::u16string held_before;  // loaded fresh first
    std::optional<std::u16string> text;
    ListStart start;
    Sentences held;  // the first sentences held afterwards
    std::size_t count;
    std::u16string warning;
  };
  const std::u16string unreadable =
      u"The clipboard's text could not be read: the program that holds it "
      u"did not answer. The list was left as it was.";
  const std::u16string full = u"The list is full: 1000 sentences are held. ";
  const Row rows[] = {
      {"a fresh list replaces",
       u"A. B. C.",
       u"D.",
       ListStart::kFresh,
       {u"D."},
       1,
       u""},
      {"an empty text empties", u"A.", u"", ListStart::kFresh, {}, 0, u""},
      {"appending continues",
       u"A.",
       u" B.",
       ListStart::kAppend,
       {u"A.", u" B."},
       2,
       u""},
      {"a failed read keeps the list",
       u"A.",
       std::nullopt,
       ListStart::kFresh,
       {u"A."},
       1,
       unreadable},
      {"also when appending",
       u"A.",
       std::nullopt,
       ListStart::kAppend,
       {u"A."},
       1,
       unreadable},
      {"one sentence too many",
       u"",
       repeat(u"s.", 1001),
       ListStart::kFresh,
       {u"s."},
       1000,
       full + u"1 more sentence from the clipboard was not added."},
      {"three into a full list",
       repeat(u"s.", 1000),
       u"x. y. z.",
       ListStart::kAppend,
       {u"s."},
       1000,
       full + u"3 more sentences from the clipboard were not added."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.intent);
    SentenceStore store;
    store.initialise();
    load_clipboard_text(store, row.held_before, ListStart::kFresh);
    EXPECT_EQ(load_clipboard_text(store, row.text, row.start), row.warning);
    ASSERT_EQ(store.held().size(), row.count);
    EXPECT_TRUE(
        std::equal(row.held.begin(), row.held.end(), store.held().begin()));
  }
}

TEST(SaveFailedWarning, NamesTheFileAndTheReason) {
  EXPECT_EQ(save_failed_warning(u"/a/b.txt", u"No space left on device"),
            u"Could not save \"/a/b.txt\": No space left on device. The "
            u"sentences are still held; save them under another name.");
}

}  // namespace
}  // namespace vantrel
