// The Windows program's start: shows Form1 and runs the message loop, in which
// the dialog keys (Tab, Space, Enter) move between and press the buttons.
#include <windows.h>

#include "win32/form1.h"

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/,
                    PWSTR /*command_line*/, int show_command) {
  Form1 form;
  if (!form.create(instance, show_command)) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form.handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
