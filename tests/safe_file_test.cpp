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
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdint>
#include <cstring>
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
// "user:daemon:rw" and "group::r", little-endian (acl(5)): mask, group bits rw.
constexpr std::array<std::uint16_t, 22> kAccessList = {
    2, 0, 1, 6, 0, 0, 2, 6, 1, 0, 4, 4, 0, 0, 16, 6, 0, 0, 32};

// Mode, owner, group and every extended attribute.
std::tuple<mode_t, uid_t, gid_t, std::string> attributes_of(
    const fs::path& file) {
  struct stat st = {};
  stat(file.c_str(), &st);
  std::array<char, 4096> names{};
  const ssize_t size = listxattr(file.c_str(), names.data(), names.size());
  std::string attributes;
  for (ssize_t at = 0; at < size; at += strlen(&names[at]) + 1) {
    std::array<char, 64> value{};  // longer than any value here
    getxattr(file.c_str(), &names[at], value.data(), value.size());
    attributes.append(&names[at]).append(value.data(), value.size());
  }
  return {st.st_mode & 07777, st.st_uid, st.st_gid, attributes};
}

// Saves kNew in a child process, as `user` where root can, with a size limit.
std::error_code save_as(uid_t user, rlim_t size_limit, const fs::path& path) {
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit = {.rlim_cur = size_limit, .rlim_max = size_limit};
    setrlimit(RLIMIT_FSIZE, &limit);
    if (getuid() == 0 && (setgid(user) != 0 || setuid(user) != 0)) _exit(255);
    _exit(replace_file_contents(path, kNew).value());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WEXITSTATUS(status), std::system_category()};
}

// Each row saves as `user` to `save_to` in a sticky folder all may write, by
// "a"+120 "é" (kOld, `mode`, attributes; nobody's, as is its link "l"; hard
// link "h"; unread FIFO "f"); `check` then holds `bytes` and the attributes.
TEST(ReplaceFileContents, KeepsWhatTheUserSeesAndLeavesNoTemporaryFile) {
  std::string name = "a";
  for (int i = 0; i < 120; ++i) name += "\xc3\xa9";
  const struct {
    std::string save_to, check;
    std::errc error;
    std::string_view bytes;
    uid_t user = 0;
    mode_t mode = 0660;
    rlim_t size_limit = RLIM_INFINITY;
  } rows[] = {
      {name, name, {}, kNew},
      {"l", name, {}, kNew, kNobody},
      {name, "h", {}, kNew},  // written in place
      {name, name, std::errc::file_too_large, kOld, 0, 0660, 2},
      {".new", "", std::errc::file_too_large, "", 0, 0660, 2},  // not left
      {"/dev/full", "", std::errc::no_space_on_device, ""},
      {"f", "", std::errc::no_such_device_or_address, ""},
      {name, name, std::errc::permission_denied, kOld, kNobody, 0444},
      {name, name, {}, kNew, kNobody, 0200},  // user.* unreadable: in place
      {"l", name, std::errc::permission_denied, kOld},  // planted; the last
  };
  std::signal(SIGXFSZ, SIG_IGN);
  for (const auto& row : rows) {
    if (&row == std::end(rows) - 1 &&  // root sets Debian's default
        !(std::ofstream("/proc/sys/fs/protected_symlinks")
          << 1 << std::flush)) {
      GTEST_SKIP() << "fs.protected_symlinks cannot be set: no planted link";
    }
    const testing::TempDir dir;
    fs::permissions(dir.path, fs::perms(01777));
    const fs::path old = dir.path / name;
    std::ofstream(old, std::ios::binary) << kOld;
    if (setxattr(old.c_str(), "system.posix_acl_access", kAccessList.data(),
                 sizeof kAccessList, 0) != 0 ||
        setxattr(old.c_str(), "user.origin", "web", 3, 0) != 0) {
      GTEST_SKIP() << dir.path << " takes no access lists or attributes";
    }
    fs::permissions(old, fs::perms(row.mode));
    (void)chown(old.c_str(), kNobody, kNobody);  // only root can
    fs::create_symlink(name, dir.path / "l");
    (void)lchown((dir.path / "l").c_str(), kNobody, kNobody);
    mkfifo((dir.path / "f").c_str(), 0666);
    if (row.check == "h") fs::create_hard_link(old, dir.path / "h");
    const auto before = attributes_of(old);
    const std::error_code error =
        save_as(row.user, row.size_limit, dir.path / row.save_to);
    EXPECT_EQ(error.default_error_condition(), row.error) << row.save_to;
    EXPECT_FALSE(temp_left_in(dir.path)) << row.save_to;
    if (row.check.empty()) continue;
    EXPECT_EQ(attributes_of(dir.path / row.check), before) << row.mode;
    fs::permissions(dir.path / row.check, fs::perms(0600));  // for non-root
    EXPECT_EQ(testing::read_bytes(dir.path / row.check), row.bytes);
  }
}

#endif  // _WIN32

}  // namespace
}  // namespace vantrel
