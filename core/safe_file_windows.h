// The Windows calls that swap a saved file in, put an old file back and clean
// up (see safe_file_windows.cpp): the system's own, unless a test stands in
// for them to fail as a network share, a sync folder or a filter driver can.
#ifndef VANTREL_CORE_SAFE_FILE_WINDOWS_H_
#define VANTREL_CORE_SAFE_FILE_WINDOWS_H_

#include <windows.h>

#include <functional>

namespace vantrel::safe_file_calls {

inline std::function<BOOL(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID)>
    replace_file = ReplaceFileW;
inline std::function<BOOL(LPCWSTR, LPCWSTR, DWORD)> move_file = MoveFileExW;
inline std::function<BOOL(LPCWSTR)> delete_file = DeleteFileW;

}  // namespace vantrel::safe_file_calls

#endif  // VANTREL_CORE_SAFE_FILE_WINDOWS_H_
