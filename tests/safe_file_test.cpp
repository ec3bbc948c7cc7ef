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
