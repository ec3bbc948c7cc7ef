// The saved file byte for byte.
#include "core/numbered_file.h"

#include <gtest/gtest.h>

#include "core/sentence_splitter.h"
#include "tests/test_files.h"

namespace vantrel {
namespace {

SentenceStore list_of(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return store;
}

// Each save replaces a longer file, whose bytes must all be gone. A
// character written as "?" is counted, with the line (sentence) it is on.
TEST(WriteSentences, WritesTheExactBytes) {
  const struct {
    std::u16string text;
    std::string code_page, bytes;
    std::size_t replaced = 0, first_sentence = 0;
  } rows[] = {
      {u"The cat sat. The dog ran.", "UTF-8",
       " 1. The cat sat.\r\n 2.  The dog ran.\r\n"},
      {u"x  y   z \t\t w.", "UTF-8", " 1. x y z \t\t w.\r\n"},
      {u"One\r\n\r\ntwo.\r\nThree.", "UTF-8",
       " 1. One two.\r\n 2.  Three.\r\n"},
      {u"no full stop", "UTF-8", ""},
      {u"Caf\u00e9 \u20ac5? Yes. \U0001F600 \u0101.", "CP1252",
       " 1. Caf\xE9 \x80"
       "5? Yes.\r\n 2.  ? ?.\r\n",
       2, 2},
  };
  const testing::TempDir dir;
  const std::filesystem::path file = dir.path / "out.txt";
  for (const auto& row : rows) {
    std::ofstream(file, std::ios::binary)
        << "an older file, longer than the new ones\n";
    const Saved saved = write_sentences(file, list_of(row.text), row.code_page);
    ASSERT_FALSE(saved.error);
    EXPECT_EQ(testing::read_bytes(file), row.bytes) << row.code_page;
    EXPECT_EQ(std::pair(saved.replaced, saved.first_sentence),
              std::pair(row.replaced, row.first_sentence));
  }
}

}  // namespace
}  // namespace vantrel
