// Form1 is the Windows program's only window, built on the Windows API alone.
// It owns the sentence store for its whole life. "Get Clipboard Data" starts a
// fresh list from the clipboard's text, "Add More" appends the clipboard's
// sentences to the list, and "Save" writes the list in the system's ANSI code
// page under a name chosen in the common save dialog. The layout is fixed in
// 96-dpi pixels and scaled to the monitor's DPI; resizing moves nothing. The
// window speaks only when the list overflows, the clipboard cannot be read, a
// save fails or a save wrote characters as "?"; the held sentences are kept in
// each case.
#ifndef VANTREL_WIN32_FORM1_H_
#define VANTREL_WIN32_FORM1_H_

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <functional>
#include <string_view>

#include "core/messages.h"
#include "core/sentence_store.h"
#include "core/window_layout.h"

class Form1 {
 public:
  // Creates and shows the window; false when the system refuses.
  bool create(HINSTANCE instance, int show_command);

  // The top-level window, for the message loop's dialog keys.
  HWND handle() const { return window; }

  // The clipboard is opened, and the save dialog and the message box shown,
  // through these: the system's own, unless a test stands in for them.
  static inline std::function<BOOL(HWND)> open_clipboard = OpenClipboard;
  static inline std::function<BOOL(OPENFILENAMEW*)> save_dialog =
      GetSaveFileNameW;
  static inline std::function<int(HWND, LPCWSTR, LPCWSTR, UINT)> message_box =
      MessageBoxW;

 private:
  static LRESULT CALLBACK window_procedure(HWND window, UINT message,
                                           WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

  void Form_Load();
  void cmd_load2_Click();
  void cmd_add_Click();
  void cmd_save_Click();
  // Reads the clipboard's text and loads it into the list as `start` says,
  // warning when the list is full. Returns false, with the list left as it
  // was, when the clipboard could not be read.
  bool load_data(vantrel::ListStart start);
  void warn(std::u16string_view text);
  // Sizes the window, places the buttons and sets their font for `dpi`.
  void lay_out(UINT dpi);
  void place_buttons(UINT dpi);
  HWND make_button(const vantrel::layout::Button& button, int id);
  HFONT caption_font(UINT dpi) const;
  bool captions_fit(HFONT candidate, UINT dpi) const;

  vantrel::SentenceStore store;
  HWND window = nullptr;
  HWND cmd_load2 = nullptr;
  HWND cmd_add = nullptr;
  HWND cmd_save = nullptr;
  HWND focused = nullptr;  // the button that had the focus when we lost it
  HFONT font = nullptr;
};

#endif  // VANTREL_WIN32_FORM1_H_
