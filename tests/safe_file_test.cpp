// Replacing a file keeps what the user sees of it, and a failed write its old
// bytes; no temporary file (".NAME.RANDOM") is left behind.
#include "core/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <tuple>
#endif

namespace vantrel {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kNew = " 1. New.\r\n";
constexpr std::string_view kOld = "an older file, longer than the new one\n";

bool temp_left_in(const fs::path& dir) {
  return std::any_of(fs::directory_iterator(dir), {}, [](const auto& entry) {
    return entry.path().filename().string().starts_with(".");
  });
}

#ifdef _WIN32
// A handle on the target without FILE_SHARE_DELETE fails ReplaceFileW.
TEST(ReplaceFileContents, KeepsTheOldFileWhenItCannotBeReplaced) {
  const testing::TempDir dir;
  const fs::path old = dir.path / "a.txt";
  std::ofstream(old, std::ios::binary) << kOld;
  HANDLE other =
      CreateFileW(old.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_TRUE(replace_file_contents(old, kNew));
  CloseHandle(other);
  EXPECT_EQ(testing::read_bytes(old), kOld);
  EXPECT_FALSE(temp_left_in(dir.path));
}
#else
constexpr uid_t kNobody = 65534;

std::tuple<mode_t, uid_t, gid_t> attributes_of(const fs::path& file) {
  struct stat st = {};
  stat(file.c_str(), &st);
  return {st.st_mode & 07777, st.st_uid, st.st_gid};
}

// Each row saves to `save_to` beside "a.txt" (kOld, 0640, nobody's if root
// can; linked as "l", hard-linked as "h"); `check` holds `bytes` and a.txt's
// mode, owner and group.
TEST(ReplaceFileContents, KeepsWhatTheUserSeesAndLeavesNoTemporaryFile) {
  const struct {
    const char* save_to;
    const char* check;
    std::errc error;
    std::string_view bytes;
    bool hard_linked = false;
    rlim_t size_limit = RLIM_INFINITY;
  } rows[] = {
      {"a.txt", "a.txt", {}, kNew},
      {"l", "a.txt", {}, kNew},
      {"a.txt", "h", {}, kNew, true},  // written in place
      {"a.txt", "a.txt", std::errc::file_too_large, kOld, false, 2},
      {"/dev/full", nullptr, std::errc::no_space_on_device, ""},
  };
  std::signal(SIGXFSZ, SIG_IGN);
  for (const auto& row : rows) {
    const testing::TempDir dir;
    const fs::path old = dir.path / "a.txt";
    std::ofstream(old, std::ios::binary) << kOld;
    fs::permissions(old, fs::perms(0640));
    (void)chown(old.c_str(), kNobody, kNobody);  // only root can
    fs::create_symlink("a.txt", dir.path / "l");
    if (row.hard_linked) fs::create_hard_link(old, dir.path / "h");
    const auto before = attributes_of(old);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit previous = limit;
    limit.rlim_cur = std::min(row.size_limit, limit.rlim_cur);
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::error_code error =
        replace_file_contents(dir.path / row.save_to, kNew);
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(error.default_error_condition(), row.error) << row.save_to;
    EXPECT_FALSE(temp_left_in(dir.path)) << row.save_to;
    if (row.check == nullptr) continue;
    EXPECT_TRUE(fs::is_symlink(dir.path / "l"));
    EXPECT_EQ(testing::read_bytes(dir.path / row.check), row.bytes);
    EXPECT_EQ(attributes_of(dir.path / row.check), before) << row.save_to;
  }
}

#endif  // _WIN32

}  // namespace
}  // namespace vantrel
