// The saved file byte for byte, and the saves that must fail.
#include "core/numbered_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/sentence_splitter.h"
#include "tests/test_files.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::TempDir;

SentenceStore list_of(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return store;
}

// Each save replaces a longer file, whose bytes must all be gone.
TEST(WriteSentences, WritesTheExactBytes) {
  struct Row {
    const char* intent;
    std::u16string text;
    std::string code_page;
    std::string bytes;
  };
  const Row rows[] = {
      {"number, full stop, space, sentence, CR LF",
       u"The cat sat. The dog ran.", "UTF-8",
       " 1. The cat sat.\r\n 2.  The dog ran.\r\n"},
      {"runs of spaces squeezed, tabs kept", u"x  y   z \t\t w.", "UTF-8",
       " 1. x y z \t\t w.\r\n"},
      {"line breaks squeezed too", u"One\r\n\r\ntwo.\r\nThree.", "UTF-8",
       " 1. One two.\r\n 2.  Three.\r\n"},
      {"nothing held, nothing written", u"no full stop", "UTF-8", ""},
      {"UTF-8", u"Caf\u00e9 \u20ac5. \U0001F600.", "UTF-8",
       " 1. Caf\xC3\xA9 \xE2\x82\xAC"
       "5.\r\n 2.  \xF0\x9F\x98\x80.\r\n"},
      {"an 8-bit code page, ? where it has no character",
       u"Caf\u00e9 \u20ac5. \U0001F600.", "CP1252",
       " 1. Caf\xE9 \x80"
       "5.\r\n 2.  ?.\r\n"},
  };
  const TempDir dir;
  const fs::path file = dir.path / "out.txt";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.intent);
    std::ofstream(file) << "an older file, longer than any of the new ones\n";
    ASSERT_FALSE(write_sentences(file, list_of(row.text), row.code_page));
    EXPECT_EQ(read_bytes(file), row.bytes);
  }
}

TEST(WriteSentences, OnlyTheCurrentListUpToTheThousandthLine) {
  SentenceStore store = list_of(u"old. old. old.");
  store.fresh_start();
  std::u16string text;
  for (int i = 0; i < 1000; ++i) text += u"s.";
  cut_sentences(text, store);
  const TempDir dir;
  ASSERT_FALSE(write_sentences(dir.path / "a.txt", store, "UTF-8"));
  const std::string bytes = read_bytes(dir.path / "a.txt");
  EXPECT_TRUE(bytes.starts_with(" 1. s.\r\n 2. s.\r\n"));
  EXPECT_TRUE(bytes.ends_with("\r\n 999. s.\r\n 1000. s.\r\n"));
  EXPECT_EQ(bytes.find("old"), std::string::npos);
}

// Each reports the system's error rather than succeeding silently.
TEST(WriteSentences, FailsWithTheSystemsReason) {
  struct Row {
    const char* intent;
    fs::path path;
    std::errc error;
  };
  const TempDir dir;
  std::ofstream(dir.path / "plain") << "x";
  const Row rows[] = {
      {"missing folder", dir.path / "missing" / "a.txt",
       std::errc::no_such_file_or_directory},
#ifndef _WIN32  // Windows reports a missing folder here
      {"through a file", dir.path / "plain" / "a.txt",
       std::errc::not_a_directory},
      {"a folder's name", dir.path, std::errc::is_a_directory},
      {"disk full", "/dev/full", std::errc::no_space_on_device},
#endif
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.intent);
    const std::error_code error =
        write_sentences(row.path, list_of(u"Keep me."), "UTF-8");
    EXPECT_EQ(error.default_error_condition(), row.error) << error.message();
  }
}

}  // namespace
}  // namespace vantrel
