#include "core/safe_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <tuple>

#include "tests/test_files.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::TempDir;

constexpr std::string_view kNew = " 1. New.\r\n";
constexpr uid_t kNobody = 65534;

void make_file(const fs::path& file, mode_t mode) {
  testing::write_bytes(file, "old");
  fs::permissions(file, fs::perms(mode));
}

// Permission bits, owner and group.
std::tuple<mode_t, uid_t, gid_t> attributes_of(const fs::path& file) {
  struct stat st {};
  stat(file.c_str(), &st);
  return {st.st_mode & 07777, st.st_uid, st.st_gid};
}

bool temp_left_in(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().starts_with(".")) return true;
  }
  return false;
}

void give_to_nobody(const fs::path& d) {
  (void)chown((d / "a.txt").c_str(), kNobody, kNobody);  // only root can
}
void link_to_it(const fs::path& d) { fs::create_symlink("a.txt", d / "l"); }
void hard_link_it(const fs::path& d) {
  fs::create_hard_link(d / "a.txt", d / "b.txt");
}

// A folder holding "a.txt" ("old", `old_mode`; none if 0), then `arrange`,
// then a save to `save_to`; `check` must then hold `bytes` with a.txt's old
// mode, owner and group (an ordinary new file's for a new one).
struct Case {
  const char* name;
  mode_t old_mode;
  const char* save_to;  // relative to the folder, or absolute
  const char* check;    // nullptr: nothing to check
  std::errc error;
  std::string_view bytes;
  void (*arrange)(const fs::path& dir) = nullptr;
  bool size_limited = false;  // 2 bytes: every write fails part way
};

TEST(ReplaceFileContents, KeepsWhatTheUserSeesAndLeavesNoTemporaryFile) {
  const mode_t umask_now = umask(0);
  umask(umask_now);
  const std::errc ok{};
  const Case cases[] = {
      {"new_file_gets_an_ordinary_mode", 0, "a.txt", "a.txt", ok, kNew},
      {"mode_kept", 0640, "a.txt", "a.txt", ok, kNew},
      {"owner_kept", 0640, "a.txt", "a.txt", ok, kNew, give_to_nobody},
      {"link_kept_its_file_replaced", 0600, "l", "a.txt", ok, kNew, link_to_it},
      {"hard_links_in_place", 0644, "a.txt", "b.txt", ok, kNew, hard_link_it},
      {"failed_write_keeps_the_old_file", 0640, "a.txt", "a.txt",
       std::errc::file_too_large, "old", nullptr, true},
      {"device_still_fails", 0, "/dev/full", nullptr,
       std::errc::no_space_on_device, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.old_mode != 0) make_file(dir.path / "a.txt", c.old_mode);
    if (c.arrange != nullptr) c.arrange(dir.path);
    const auto before =
        c.old_mode != 0 ? attributes_of(dir.path / "a.txt")
                        : std::tuple(0666 & ~umask_now, geteuid(), getegid());
    // Without SIG_IGN the size limit would kill the process.
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit limited{c.size_limited ? 2 : previous.rlim_cur,
                         previous.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::error_code error =
        replace_file_contents(dir.path / c.save_to, kNew);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_EQ(error.default_error_condition(), c.error) << error.message();
    EXPECT_FALSE(temp_left_in(dir.path));
    if (c.check == nullptr) continue;
    EXPECT_EQ(read_bytes(dir.path / c.check), c.bytes);
    EXPECT_EQ(attributes_of(dir.path / c.check), before);
  }
}

// A writable file in a folder where no file can be created is written in
// place. Root may create files anywhere, so a child saves as "nobody".
TEST(ReplaceFileContents, WritesInPlaceWhereNoFileCanBeCreated) {
  TempDir dir;
  const fs::path locked = dir.path / "locked";
  fs::create_directory(locked);
  make_file(locked / "a.txt", 0644);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown((locked / "a.txt").c_str(), kNobody, kNobody), 0);
    fs::permissions(dir.path, fs::perms(0755));  // nobody may pass through
  } else {
    fs::permissions(locked, fs::perms(0555));
    if (access(locked.c_str(), W_OK) == 0)
      GTEST_SKIP() << "folder stays writable";
  }
  const pid_t child = fork();
  if (child == 0) {
    if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
    _exit(replace_file_contents(locked / "a.txt", kNew) ? 1 : 0);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fs::permissions(locked, fs::perms(0755));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(read_bytes(locked / "a.txt"), kNew);
  EXPECT_FALSE(temp_left_in(locked));
}

}  // namespace
}  // namespace vantrel
#endif  // _WIN32
