// Windows side of safe_file.h: the bytes go to ".NAME.RANDOM" beside the file
// a link finally points to, are flushed, and the file then takes the target's
// place: ReplaceFileW keeps an existing target's attributes and security,
// MoveFileExW puts a new one in place. Names are wide throughout.
#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
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

std::error_code last_error() {
  return {static_cast<int>(GetLastError()), std::system_category()};
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
      CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  return name;
}

enum class TargetKind { kMissing, kReplaceable, kInPlaceOnly };

// What `path` names; a link is followed and `target` set to its final file.
TargetKind inspect(const fs::path& path, fs::path& target) {
  target = path;
  HANDLE probe =
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
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
  CloseHandle(probe);
  return replaceable ? TargetKind::kReplaceable : TargetKind::kInPlaceOnly;
}

// Creates a new file beside `target` with a name no other file has; returns
// its handle (INVALID_HANDLE_VALUE on failure) and sets `temp` to its path.
HANDLE create_temp_beside(const fs::path& target, fs::path& temp) {
  std::mt19937_64 random(std::random_device{}());
  // Cut so that the suffix cannot push a long name over the length limit.
  const std::wstring stem = L"." + target.filename().wstring().substr(0, 200);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::array<char, 16> hex{};
    auto* const end = std::to_chars(hex.begin(), hex.end(), random(), 16).ptr;
    temp = target;
    temp.replace_filename(stem + L"." + std::wstring(hex.begin(), end));
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      return file;
    }
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

std::error_code replace_file_contents(const fs::path& path,
                                      std::string_view bytes) {
  fs::path target;
  const TargetKind kind = inspect(path, target);
  if (kind == TargetKind::kInPlaceOnly) return write_in_place(target, bytes);
  fs::path temp;
  HANDLE file = create_temp_beside(target, temp);
  if (file == INVALID_HANDLE_VALUE && kind == TargetKind::kReplaceable &&
      GetLastError() == ERROR_ACCESS_DENIED) {
    return write_in_place(target, bytes);
  }
  if (file == INVALID_HANDLE_VALUE) return last_error();
  std::error_code error = write_all(file, bytes);
  if (!error && !FlushFileBuffers(file)) error = last_error();
  if (!CloseHandle(file) && !error) error = last_error();
  if (!error && kind == TargetKind::kReplaceable &&
      !ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    error = last_error();
  }
  if (!error && kind == TargetKind::kMissing &&
      !MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = last_error();
  }
  if (error) DeleteFileW(temp.c_str());
  return error;
}

}  // namespace vantrel
