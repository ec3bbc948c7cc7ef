// Windows side of safe_file.h: the bytes go to a hidden ".NAME.RANDOM"
// beside the file a link finally points to, are flushed, and the file then
// takes the target's place: ReplaceFileW keeps an existing target's
// attributes and security and moves the old file aside to ".NAME.RANDOM~"
// (removed after a good save), MoveFileExW puts a new one in place. A
// scanner, indexer or sync client that opens a file for a moment is waited
// for; a swap that fails half-way puts the old file back. Every call takes
// the \\?\ form of the full path, so paths past MAX_PATH work. Names are
// wide throughout.
#include "core/safe_file_windows.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "core/safe_file.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// About two seconds in all: the swap, then each clean-up step.
constexpr auto kSwapRetryFor = std::chrono::milliseconds(1500);
constexpr auto kCleanUpRetryFor = std::chrono::milliseconds(500);
constexpr DWORD kRetryPauseMs = 10;

std::error_code last_error() {
  return {static_cast<int>(GetLastError()), std::system_category()};
}

// The errors of a file another program has open for a moment.
bool momentary(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

// Calls `call` (true on success) until it succeeds, fails otherwise than
// momentarily, or `period` has passed; GetLastError is then the call's.
template <typename Call>
bool retried(Clock::duration period, const Call& call) {
  const Clock::time_point until = Clock::now() + period;
  while (!call()) {
    const DWORD error = GetLastError();
    if (!momentary(error) || Clock::now() >= until) {
      SetLastError(error);
      return false;
    }
    Sleep(kRetryPauseMs);
  }
  return true;
}

// The full path in the form that lifts MAX_PATH: "\\?\C:\..." for a drive,
// "\\?\UNC\server\share\..." for a share.
std::wstring extended(const fs::path& path) {
  std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()),
                               full.data(), nullptr));
  if (full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)")) return full;
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

// `name` as the user writes it, without the "\\?\" or "\\?\UNC" prefix.
fs::path plain(const std::wstring& name) {
  if (name.starts_with(LR"(\\?\UNC\)")) return LR"(\\)" + name.substr(8);
  if (name.starts_with(LR"(\\?\)")) return name.substr(4);
  return name;
}

bool missing(const fs::path& path) {
  if (GetFileAttributesW(extended(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void clean_up(const fs::path& path) {
  const std::wstring name = extended(path);
  retried(kCleanUpRetryFor,
          [&] { return safe_file_calls::delete_file(name.c_str()); });
}

std::error_code write_all(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
      return last_error();
    }
    bytes.remove_prefix(written);
  }
  return {};
}

// The old behaviour, for files that must not be replaced: truncate and write.
std::error_code write_in_place(const fs::path& target, std::string_view bytes) {
  HANDLE file =
      CreateFileW(extended(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return last_error();
  std::error_code error = write_all(file, bytes);
  if (!CloseHandle(file) && !error) error = last_error();
  return error;
}

// The name of the file `file` is open on, all links followed; `fallback`
// when the system cannot tell.
fs::path final_name(HANDLE file, const fs::path& fallback) {
  std::wstring name(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetFinalPathNameByHandleW(
              file, name.data(), static_cast<DWORD>(name.size()), 0)) >=
         name.size()) {
    name.resize(length);  // too small: `length` is the size needed
  }
  if (length == 0) return fallback;
  name.resize(length);
  return plain(name);
}

enum class TargetKind { kMissing, kReplaceable, kInPlaceOnly };

// What `path` names; a link is followed and `target` set to its final file,
// `hidden` to whether it is hidden.
TargetKind inspect(const fs::path& path, fs::path& target, bool& hidden) {
  target = path;
  HANDLE probe =
      CreateFileW(extended(path).c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? TargetKind::kMissing
               : TargetKind::kInPlaceOnly;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool replaceable =
      GetFileType(probe) == FILE_TYPE_DISK &&
      GetFileInformationByHandle(probe, &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
      info.nNumberOfLinks == 1;
  // The final name, not the link's: a symbolic link stays a link.
  if (replaceable) target = final_name(probe, path);
  hidden = (info.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  CloseHandle(probe);
  return replaceable ? TargetKind::kReplaceable : TargetKind::kInPlaceOnly;
}

// Creates a new hidden file beside `target` with a name no other file has;
// returns its handle (INVALID_HANDLE_VALUE on failure) and sets `temp` to its
// path. Asking for delete access refuses it up front in a folder where files
// can be created but not deleted (nor renamed).
HANDLE create_temp_beside(const fs::path& target, fs::path& temp) {
  std::mt19937_64 random(std::random_device{}());
  // Cut so that the suffix cannot push a long name over the length limit.
  const std::wstring stem = L"." + target.filename().wstring().substr(0, 200);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::array<char, 16> hex{};
    auto* const end = std::to_chars(hex.begin(), hex.end(), random(), 16).ptr;
    temp = target;
    temp.replace_filename(stem + L"." + std::wstring(hex.begin(), end));
    HANDLE file =
        CreateFileW(extended(temp).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return INVALID_HANDLE_VALUE;
}

// Puts the new file `temp` in `target`'s place, an old file moved aside to
// `backup`; waits out a file held open for a moment.
bool swap_in(TargetKind kind, const fs::path& target, const fs::path& temp,
             const fs::path& backup) {
  const std::wstring to = extended(target);
  const std::wstring from = extended(temp);
  const std::wstring aside = extended(backup);
  return retried(kSwapRetryFor, [&] {
    return kind == TargetKind::kReplaceable
               ? safe_file_calls::replace_file(
                     to.c_str(), from.c_str(), aside.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               : safe_file_calls::move_file(
                     from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  });
}

// After a swap failed with `error`: an old file moved aside goes back under
// its name, and only then is the temporary file removed; where that fails,
// both stay and `stranded` says where. Without delete access to the target or
// the temporary file, the bytes are written in place.
std::error_code after_failed_swap(TargetKind kind, const fs::path& target,
                                  const fs::path& temp, const fs::path& backup,
                                  std::error_code error, std::string_view bytes,
                                  Stranded* stranded) {
  if (kind == TargetKind::kReplaceable && missing(target)) {
    const bool aside = !missing(backup);
    const std::wstring from = extended(backup);
    const std::wstring to = extended(target);
    if (!aside || !retried(kCleanUpRetryFor, [&] {
          return safe_file_calls::move_file(from.c_str(), to.c_str(),
                                            MOVEFILE_WRITE_THROUGH);
        })) {
      if (stranded) *stranded = {aside ? backup : fs::path(), temp};
      return error;
    }
  }
  clean_up(temp);
  return error.value() == ERROR_ACCESS_DENIED ? write_in_place(target, bytes)
                                              : error;
}

// The swap may give the new file the hidden attribute of the temporary one.
void unhide(const fs::path& target) {
  const std::wstring name = extended(target);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
    SetFileAttributesW(name.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN);
  }
}

}  // namespace

std::error_code replace_file_contents(const fs::path& path,
                                      std::string_view bytes,
                                      Stranded* stranded) {
  fs::path target;
  bool hidden = false;
  const TargetKind kind = inspect(path, target, hidden);
  if (kind == TargetKind::kInPlaceOnly) return write_in_place(target, bytes);
  fs::path temp;
  HANDLE file = create_temp_beside(target, temp);
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    return write_in_place(target, bytes);
  }
  if (file == INVALID_HANDLE_VALUE) return last_error();
  std::error_code error = write_all(file, bytes);
  if (!error && !FlushFileBuffers(file)) error = last_error();
  if (!CloseHandle(file) && !error) error = last_error();
  if (error) {
    clean_up(temp);
    return error;
  }
  const fs::path backup = temp.native() + L"~";
  if (!swap_in(kind, target, temp, backup)) {
    return after_failed_swap(kind, target, temp, backup, last_error(), bytes,
                             stranded);
  }
  clean_up(backup);
  if (!hidden) unhide(target);
  return {};
}

}  // namespace vantrel
