// Replacing a file keeps what the user sees of it, and a failed write its old
// bytes; no temporary file (".NAME.RANDOM") is left behind.
#include "core/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/test_files.h"

#ifdef _WIN32
#include <windows.h>

#include "core/safe_file_windows.h"
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
// Each row saves to `save_to` in a folder of 250 characters, beside "a.txt"
// (kOld) held open without sharing for `held_swaps` tries; ReplaceFileW fails
// with `replace_error` (the old file first moved aside when `aside`),
// MoveFileExW with `move_error`, and the first delete as a scanner makes it.
TEST(ReplaceFileContents, OutlastsOtherProgramsAndHalfDoneSwaps) {
  const struct {
    const char* save_to;
    int held_swaps = 0;
    DWORD replace_error = 0, move_error = 0;
    bool aside = false, stranded = false;
    int error = 0;
    std::string_view bytes = kNew;
  } rows[] = {
      {"new.txt"},
      {"a.txt", 1},  // waited for
      {"a.txt", 999, 0, 0, false, false, ERROR_SHARING_VIOLATION, kOld},
      {"a.txt", 0, 1176, 0, true, false, 1176, kOld},  // put back
      {"a.txt", 0, 1177, ERROR_WRITE_FAULT, true, true, 1177, "<missing>"},
      {"a.txt", 0, ERROR_ACCESS_DENIED},       // not deletable: in place
      {"new.txt", 0, 0, ERROR_ACCESS_DENIED},  // in place
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    const testing::TempDir top;
    const fs::path dir =
        top.path / std::string(249 - top.path.native().size(), 'd');
    fs::create_directory(dir);
    std::ofstream(dir / "a.txt", std::ios::binary) << kOld;
    HANDLE held = CreateFileW((dir / "a.txt").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    int swaps = 0;
    safe_file_calls::replace_file = [&](LPCWSTR to, LPCWSTR from, LPCWSTR aside,
                                        DWORD flags, LPVOID, LPVOID) {
      if (swaps++ == row.held_swaps) CloseHandle(held);
      if (row.replace_error == 0) {
        return ReplaceFileW(to, from, aside, flags, nullptr, nullptr);
      }
      if (row.aside) MoveFileExW(to, aside, 0);
      SetLastError(row.replace_error);
      return FALSE;
    };
    // Windows, unlike Wine, refuses a path past MAX_PATH not in the \\?\ form.
    safe_file_calls::move_file = [&](LPCWSTR from, LPCWSTR to, DWORD flags) {
      const bool refused =
          wcslen(from) >= MAX_PATH && wcsncmp(from, LR"(\\?\)", 4) != 0;
      SetLastError(refused ? ERROR_PATH_NOT_FOUND : row.move_error);
      return !refused && row.move_error == 0 && MoveFileExW(from, to, flags);
    };
    int deletes = 0;
    safe_file_calls::delete_file = [&](LPCWSTR name) -> BOOL {
      SetLastError(ERROR_ACCESS_DENIED);
      return ++deletes > 1 && DeleteFileW(name);
    };
    Stranded stranded;
    const std::error_code error =
        replace_file_contents(dir / row.save_to, kNew, &stranded);
    if (swaps <= row.held_swaps) CloseHandle(held);
    EXPECT_EQ(error.value(), row.error);
    EXPECT_EQ(testing::saved_bytes(dir / row.save_to), row.bytes);
    EXPECT_EQ(testing::saved_bytes(stranded.old_file),
              row.stranded ? kOld : "<missing>");
    EXPECT_EQ(testing::saved_bytes(stranded.new_bytes),
              row.stranded ? kNew : "<missing>");
    EXPECT_EQ(temp_left_in(dir), row.stranded);
    const DWORD attributes = GetFileAttributesW((dir / row.save_to).c_str());
    EXPECT_FALSE(row.error == 0 && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0);
  }
  safe_file_calls::replace_file = ReplaceFileW;
  safe_file_calls::move_file = MoveFileExW;
  safe_file_calls::delete_file = DeleteFileW;
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
