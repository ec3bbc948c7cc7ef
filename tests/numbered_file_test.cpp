#include "core/numbered_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/sentence_splitter.h"
#include "tests/test_text.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (fs::temp_directory_path() / "vantrel-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

SentenceStore store_of(std::u16string_view text) {
  SentenceStore store;
  store.fresh_start();
  cut_sentences(text, store);
  return store;
}

struct FileCase {
  const char* name;
  std::u16string text;
  std::string code_page;
  std::string bytes;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class WriteSentences : public ::testing::TestWithParam<FileCase> {};

TEST_P(WriteSentences, WritesTheExactBytes) {
  const FileCase& c = GetParam();
  TempDir dir;
  const fs::path file = dir.path() / "out.txt";
  ASSERT_FALSE(write_sentences(file, store_of(c.text), c.code_page));
  EXPECT_EQ(read_bytes(file), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WriteSentences,
    ::testing::Values(
        FileCase{"two_sentences", u"The cat sat. The dog ran.", "UTF-8",
                 " 1. The cat sat.\r\n 2.  The dog ran.\r\n"},
        FileCase{"squeezed", u"x  y   z    w.", "UTF-8", " 1. x y z w.\r\n"},
        FileCase{"tabs_kept", u"a\t\tb  \t c.", "UTF-8",
                 " 1. a\t\tb \t c.\r\n"},
        FileCase{"line_break_between", u"First one.\r\nSecond.\r\n", "UTF-8",
                 " 1. First one.\r\n 2.  Second.\r\n"},
        FileCase{"line_break_inside", u"One\r\n\r\ntwo.", "UTF-8",
                 " 1. One two.\r\n"},
        FileCase{"tail_not_written", u"Intro text: see Fig. 3. It shows",
                 "UTF-8", " 1. Intro text: see Fig. 3.\r\n"},
        FileCase{"nothing_held", u"no full stop", "UTF-8", ""},
        FileCase{"utf8", u"Caf\u00e9 \u20ac5. \U0001F600.", "UTF-8",
                 " 1. Caf\xC3\xA9 \xE2\x82\xAC"
                 "5.\r\n 2.  \xF0\x9F\x98\x80.\r\n"},
        FileCase{"latin1", u"Caf\u00e9 \u20ac5. \U0001F600.", "ISO-8859-1",
                 " 1. Caf\xE9 ?5.\r\n 2.  ?.\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteSentencesStore, ThousandthLineAndOnlyTheCurrentList) {
  SentenceStore store;
  store.fresh_start();
  for (int i = 0; i < 5; ++i) store.append(u"old.");
  store.fresh_start();
  std::u16string text;
  for (int i = 0; i < 1000; ++i) text += u"s.";
  cut_sentences(text, store);
  TempDir dir;
  ASSERT_FALSE(write_sentences(dir.path() / "a.txt", store, "UTF-8"));
  const std::string bytes = read_bytes(dir.path() / "a.txt");
  EXPECT_TRUE(bytes.ends_with("\r\n 1000. s.\r\n"));
  EXPECT_EQ(bytes.find("old"), std::string::npos);
}

TEST(WriteSentencesStore, SavingTwiceGivesTheSameFileAndKeepsTheStore) {
  const SentenceStore store = store_of(u"A  b.\r\nC   d. Tail");
  TempDir dir;
  ASSERT_FALSE(write_sentences(dir.path() / "1.txt", store, "UTF-8"));
  ASSERT_FALSE(write_sentences(dir.path() / "2.txt", store, "UTF-8"));
  EXPECT_EQ(read_bytes(dir.path() / "1.txt"), read_bytes(dir.path() / "2.txt"));
  EXPECT_EQ(store.held()[0], u"A  b.");
  EXPECT_EQ(store.held()[1], u"  C   d.");
}

TEST(WriteSentencesStore, EmptyStoreTruncatesAnExistingFile) {
  TempDir dir;
  const fs::path file = dir.path() / "old.txt";
  std::ofstream(file) << "previous content";
  SentenceStore store;
  store.initialise();
  ASSERT_FALSE(write_sentences(file, store, "UTF-8"));
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
}

// Paths that cannot be written, even by root. Each must report the system's
// error rather than succeed silently.
struct FailureCase {
  const char* name;
  std::errc error;
  fs::path (*make_path)(const fs::path& dir);
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class WriteSentencesFails : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WriteSentencesFails, ReportsTheSystemError) {
  TempDir dir;
  const SentenceStore store = store_of(u"Keep me. And me.");
  const std::error_code error =
      write_sentences(GetParam().make_path(dir.path()), store, "UTF-8");
  EXPECT_TRUE(error == GetParam().error) << error.message();
  EXPECT_FALSE(error.message().empty());
  EXPECT_EQ(store.held().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WriteSentencesFails,
    ::testing::Values(
        FailureCase{"missing_folder", std::errc::no_such_file_or_directory,
                    [](const fs::path& d) { return d / "missing" / "a.txt"; }},
        FailureCase{"folder_name", std::errc::is_a_directory,
                    [](const fs::path& d) { return d; }},
        FailureCase{"through_a_file", std::errc::not_a_directory,
                    [](const fs::path& d) {
                      std::ofstream(d / "plain") << "x";
                      return d / "plain" / "a.txt";
                    }},
        FailureCase{"disk_full", std::errc::no_space_on_device,
                    [](const fs::path&) { return fs::path("/dev/full"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteSentencesFailsAtSizeLimit, ReportsFileTooLarge) {
  TempDir dir;
  SentenceStore store;
  store.fresh_start();
  store.append(std::u16string(8192, u'x') + u".");
  // Without this the limit would kill the process instead of failing write.
  const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit limited = previous;
  limited.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const std::error_code error =
      write_sentences(dir.path() / "big.txt", store, "UTF-8");
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_TRUE(error == std::errc::file_too_large) << error.message();
}

}  // namespace
}  // namespace vantrel
