// The saved file byte for byte, each time over a longer file whose bytes must
// all be gone; a character written as "?" is counted with its sentence.
#include "core/numbered_file.h"

#include <gtest/gtest.h>

#include "tests/plain_rules.h"
#include "tests/test_files.h"

namespace vantrel {
namespace {

TEST(WriteSentences, WritesTheExactBytes) {
  const struct {
    std::u16string text;
    std::string code_page, bytes;
    std::size_t replaced = 0, first_sentence = 0;
  } rows[] = {
      {u"x  y   z \t\t w.\r\n\r\nB.", "UTF-8",
       " 1. x y z \t\t w.\r\n 2.  B.\r\n"},
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
    const Saved saved =
        write_sentences(file, testing::fresh_list(row.text), row.code_page);
    ASSERT_FALSE(saved.error);
    EXPECT_EQ(testing::read_bytes(file), row.bytes) << row.code_page;
    EXPECT_EQ(std::pair(saved.replaced, saved.first_sentence),
              std::pair(row.replaced, row.first_sentence));
  }
}

}  // namespace
}  // namespace vantrel
