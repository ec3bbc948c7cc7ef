// Replacing a file's contents so that a failed save never costs the file that
// was there. The bytes go to a new hidden temporary file beside the target,
// are flushed to disk, and the temporary file then takes the target's name in
// one step; on any failure it is removed and the old file stays as it was.
// The system first judges the target as it judges any program writing to it:
// a file the user may not write (read-only, a running program, a read-only
// file system) or a link the system refuses to follow is left alone, and the
// save fails with the system's reason. A symbolic link stays a link: the file
// it finally points to is replaced. The new file keeps the old one's
// permissions, owner, group and, on POSIX, every extended attribute (its
// access list among them); a file that did not exist gets what an ordinary
// create gives, and is removed again when the save fails. Where replacing
// would change what the user sees, the file is written in place instead (no
// such safety): a file with more than one hard link, a target that is not a
// regular file (a FIFO, a device), a folder where files cannot be created but
// the file can be written, and an owner, group or attribute the program cannot
// give the new file. On POSIX a FIFO nobody reads fails at once (ENXIO), and
// one that takes no byte for 5 seconds fails with EAGAIN.
// On Windows the swap can fail half-way; the old file is then put back under
// its name where it can be, and neither copy is ever deleted otherwise.
#ifndef VANTREL_CORE_SAFE_FILE_H_
#define VANTREL_CORE_SAFE_FILE_H_

#include <filesystem>
#include <string_view>
#include <system_error>

namespace vantrel {

// Where a failed save left the copies it could not put back: the old file
// under another name (empty when it was gone) and the new bytes in a file of
// their own. Both empty when the old file is under its name.
struct Stranded {
  std::filesystem::path old_file;
  std::filesystem::path new_bytes;
};

// Makes `bytes` the whole contents of `path`, creating it if missing. Returns
// the system's error when that fails, and sets `*stranded` (if given) when
// the old file could not be put back. On POSIX a process that limits file
// sizes must ignore SIGXFSZ to get EFBIG here instead of being killed, and
// SIGPIPE to get EPIPE from a pipe whose reader went away.
std::error_code replace_file_contents(const std::filesystem::path& path,
                                      std::string_view bytes,
                                      Stranded* stranded = nullptr);

}  // namespace vantrel

#endif  // VANTREL_CORE_SAFE_FILE_H_
