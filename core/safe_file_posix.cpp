// POSIX side of safe_file.h: the bytes go to ".NAME.RANDOM" beside the file a
// link finally points to, which gets the old file's owner, group and mode
// before any byte is written, is fsync'd and then renamed over the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "core/safe_file.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;

std::error_code last_error() { return {errno, std::system_category()}; }

// The file that `path` names after following every symbolic link; a link that
// points nowhere yields the missing file it points to, as open() would.
fs::path final_target(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) break;
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

std::error_code write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return last_error();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

// The old behaviour, for files that must not be replaced: truncate and write.
std::error_code write_in_place(const fs::path& target, std::string_view bytes) {
  const int fd =
      ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return last_error();
  std::error_code error = write_all(fd, bytes);
  if (::close(fd) != 0 && !error) error = last_error();
  return error;
}

// Creates a new file beside `target` with a name no other file has; returns
// its descriptor (-1 and errno on failure) and sets `temp` to its path.
int create_temp_beside(const fs::path& target, mode_t mode, fs::path& temp) {
  std::mt19937_64 random(std::random_device{}());
  // Cut so that the suffix cannot push a long name over NAME_MAX.
  std::string stem = ".";
  stem += target.filename().string().substr(0, 200);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::array<char, 16> hex{};
    auto* const end = std::to_chars(hex.begin(), hex.end(), random(), 16).ptr;
    temp = target;
    temp.replace_filename(stem + '.' + std::string(hex.begin(), end));
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the new file the old one's owner, group and permission bits; false
// when the system does not let this process do so.
bool take_owner_and_mode(int fd, const struct stat& old) {
  struct stat now = {};
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    return false;
  }
  // After fchown, which clears the set-user-ID and set-group-ID bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Best effort: the rename itself reaches the disk with its folder.
void sync_folder_of(const fs::path& target) {
  const fs::path folder =
      target.has_parent_path() ? target.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

// rename() swaps in one step: nothing is ever stranded.
std::error_code replace_file_contents(const fs::path& path,
                                      std::string_view bytes,
                                      Stranded* /*stranded*/) {
  const fs::path target = final_target(path);
  struct stat old = {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return write_in_place(target, bytes);
  if (exists && (!S_ISREG(old.st_mode) || old.st_nlink > 1)) {
    return write_in_place(target, bytes);
  }
  fs::path temp;
  // An existing file's temporary copy is private until it has the old mode.
  const int fd = create_temp_beside(target, exists ? 0600 : 0666, temp);
  if (fd < 0 && exists && (errno == EACCES || errno == EPERM)) {
    return write_in_place(target, bytes);
  }
  if (fd < 0) return last_error();
  if (exists && !take_owner_and_mode(fd, old)) {
    ::close(fd);
    ::unlink(temp.c_str());
    return write_in_place(target, bytes);
  }
  std::error_code error = write_all(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = last_error();
  if (::close(fd) != 0 && !error) error = last_error();
  if (!error && ::rename(temp.c_str(), target.c_str()) != 0) {
    error = last_error();
  }
  if (error) ::unlink(temp.c_str());
  // A target that is a mount point of its own cannot be renamed over.
  if (error == std::errc::device_or_resource_busy ||
      error == std::errc::cross_device_link) {
    return write_in_place(target, bytes);
  }
  if (!error) sync_folder_of(target);
  return error;
}

}  // namespace vantrel
