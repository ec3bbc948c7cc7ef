// startup.sh --windows' baseline: a bare Win32 window, same title and size.
#include <windows.h>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/,
                    PWSTR /*command_line*/, int /*show_command*/) {
  RECT frame{0, 0, 813, 466};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  CreateWindowW(L"STATIC", L"Vantrel Article Converter",
                WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                nullptr, nullptr, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
