// POSIX side of safe_file.h. The target is first opened for writing, without
// creating or truncating it, so that the kernel judges the save as it judges
// any writer: a read-only file, a link its guards forbid to follow
// (fs.protected_symlinks) or a running program is refused there, with the
// system's reason. The file behind that descriptor, named by /proc/self/fd,
// is then replaced: the bytes go to ".NAME.RANDOM" beside it, which gets the
// old file's owner, group, extended attributes (its access list among them)
// and mode before any byte is written, is fsync'd and renamed over it. The
// descriptor is non-blocking, so that a pipe never holds the caller for ever.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "core/safe_file.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;

constexpr int kOpenFlags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
// How long a write waits for a pipe or terminal that takes no more bytes.
constexpr int kStallMilliseconds = 5000;

std::error_code last_error() { return {errno, std::system_category()}; }

// Writes every byte to `fd`, which may be non-blocking: a reader that takes
// nothing for kStallMilliseconds fails the write with EAGAIN.
std::error_code write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN) return last_error();
    pollfd writable = {.fd = fd, .events = POLLOUT, .revents = 0};
    const int ready = ::poll(&writable, 1, kStallMilliseconds);
    if (ready == 0) return {EAGAIN, std::system_category()};
    if (ready < 0 && errno != EINTR) return last_error();
  }
  return {};
}

// The old behaviour, for targets that must not be replaced: truncate a file,
// then write.
std::error_code write_in_place(int fd, const struct stat& target,
                               std::string_view bytes) {
  if (S_ISREG(target.st_mode) && ::ftruncate(fd, 0) != 0) return last_error();
  return write_all(fd, bytes);
}

// Creates a new file beside `target` with a name no other file has; returns
// its descriptor (-1 and errno on failure) and sets `temp` to its path.
int create_temp_beside(const fs::path& target, fs::path& temp) {
  std::mt19937_64 random(std::random_device{}());
  // Cut so that the suffix cannot push a long name over NAME_MAX, and between
  // two characters: some file systems take only names in valid UTF-8.
  const std::string name = target.filename().string();
  std::size_t cut = std::min<std::size_t>(name.size(), 200);
  while (cut > 0 && cut < name.size() &&
         (static_cast<unsigned char>(name[cut]) & 0xC0U) == 0x80U) {
    --cut;
  }
  const std::string stem = "." + name.substr(0, cut);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::array<char, 16> hex{};
    auto* const end = std::to_chars(hex.begin(), hex.end(), random(), 16).ptr;
    temp = target;
    temp.replace_filename(stem + '.' + std::string(hex.begin(), end));
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Reads an attribute list or value that may grow between the call asking its
// size and the one reading it; `read(buffer, size)` is flistxattr or fgetxattr.
template <typename Read>
bool read_attribute(Read read, std::string& out) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    const ssize_t size = read(nullptr, 0);
    if (size < 0) return false;
    out.resize(static_cast<std::size_t>(size));
    const ssize_t got = read(out.data(), out.size());
    if (got >= 0) {
      out.resize(static_cast<std::size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
  return false;
}

// Gives `to` every extended attribute of `from`, its access list
// (system.posix_acl_access) included; the security labels (security.*) as far
// as the system allows. False when another one cannot be carried.
bool take_attributes(int from, int to) {
  // The access list the new file took from its folder's default is not the
  // old file's: the old file's own list, if any, takes its place.
  ::fremovexattr(to, "system.posix_acl_access");
  std::string names;
  if (!read_attribute(
          [from](char* out, std::size_t size) {
            return ::flistxattr(from, out, size);
          },
          names)) {
    return errno == ENOTSUP;  // a file system without attributes
  }
  for (std::size_t at = 0; at < names.size();) {
    const char* const name = names.c_str() + at;
    at += std::strlen(name) + 1;
    std::string value;
    const bool carried =
        read_attribute(
            [from, name](char* out, std::size_t size) {
              return ::fgetxattr(from, name, out, size);
            },
            value) &&
        ::fsetxattr(to, name, value.data(), value.size(), 0) == 0;
    if (!carried && !std::string_view(name).starts_with("security.")) {
      return false;
    }
  }
  return true;
}

// Gives the new file `to` the owner, group, attributes and permission bits of
// the old file `from`; false when the system does not let this process.
bool take_owner_and_mode(int from, int to, const struct stat& old) {
  struct stat now = {};
  if (::fstat(to, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(to, old.st_uid, old.st_gid) != 0) {
    return false;
  }
  // The mode last: fchown and an access list clear the set-group-ID bit. With
  // an access list the group bits are its mask, the same in the old file.
  return take_attributes(from, to) && ::fchmod(to, old.st_mode & 07777) == 0;
}

// The name the file open as `fd` has now; empty when it cannot be told (no
// /proc) or when that name leads to another file.
fs::path name_of(int fd, const struct stat& file) {
  std::error_code error;
  fs::path name =
      fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  struct stat named = {};
  if (error || ::lstat(name.c_str(), &named) != 0 ||
      named.st_dev != file.st_dev || named.st_ino != file.st_ino) {
    return {};
  }
  return name;
}

// Best effort: the rename itself reaches the disk with its folder.
void sync_folder_of(const fs::path& target) {
  const int fd =
      ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Replaces `target`, open as `fd` with the status `old`, by a new file renamed
// over it; nullopt where replacing it would change what the user sees of it,
// and it must be written in place instead.
std::optional<std::error_code> replace_beside(int fd, const struct stat& old,
                                              const fs::path& target,
                                              std::string_view bytes) {
  fs::path temp;
  const int temp_fd = create_temp_beside(target, temp);
  if (temp_fd < 0 && (errno == EACCES || errno == EPERM)) return std::nullopt;
  if (temp_fd < 0) return last_error();
  if (!take_owner_and_mode(fd, temp_fd, old)) {
    ::close(temp_fd);
    ::unlink(temp.c_str());
    return std::nullopt;
  }
  std::error_code error = write_all(temp_fd, bytes);
  if (!error && ::fsync(temp_fd) != 0) error = last_error();
  if (::close(temp_fd) != 0 && !error) error = last_error();
  if (!error && ::rename(temp.c_str(), target.c_str()) != 0) {
    error = last_error();
  }
  if (error) ::unlink(temp.c_str());
  // A target that is a mount point of its own cannot be renamed over.
  if (error == std::errc::device_or_resource_busy ||
      error == std::errc::cross_device_link) {
    return std::nullopt;
  }
  if (!error) sync_folder_of(target);
  return error;
}

}  // namespace

// rename() swaps in one step: nothing is ever stranded.
std::error_code replace_file_contents(const fs::path& path,
                                      std::string_view bytes,
                                      Stranded* /*stranded*/) {
  int fd = ::open(path.c_str(), kOpenFlags);
  const bool created = fd < 0 && errno == ENOENT;
  if (created) {
    // Created as any writer creates a file (a link that points nowhere
    // included, with the kernel's guards), then replaced like any file.
    fd = ::open(path.c_str(), kOpenFlags | O_CREAT, 0666);
  }
  if (fd < 0) return last_error();
  struct stat old = {};
  if (::fstat(fd, &old) != 0) {
    const std::error_code error = last_error();
    ::close(fd);
    return error;
  }
  fs::path name;
  if (S_ISREG(old.st_mode) && old.st_nlink == 1) name = name_of(fd, old);
  const std::optional<std::error_code> replaced =
      name.empty() ? std::nullopt : replace_beside(fd, old, name, bytes);
  std::error_code error = replaced ? *replaced : write_in_place(fd, old, bytes);
  if (::close(fd) != 0 && !error && !replaced) error = last_error();
  // A file this save created goes with its failure.
  if (error && created && !name.empty()) ::unlink(name.c_str());
  return error;
}

}  // namespace vantrel
