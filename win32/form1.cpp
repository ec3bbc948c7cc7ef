// Form1: the layout, the three command handlers, the clipboard read, the save
// dialog and the warnings. See form1.h.
#include "win32/form1.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/code_page.h"
#include "core/messages.h"
#include "core/numbered_file.h"
#include "core/window_layout.h"

namespace {

constexpr const wchar_t* kClassName = L"VantrelArticleConverterForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;

// Client area and button geometry in pixels at 96 dpi.
constexpr int kDesignDpi = 96;
// A push button's edge and focus box take this much on each side of its
// caption; captions never shrink below the smallest font size.
constexpr int kCaptionInset = 3;
constexpr int kSmallestCaptionPixels = 8;

enum ButtonId { kLoadId = 101, kAddId, kSaveId };

// Another program may hold the clipboard open for a moment.
constexpr int kOpenClipboardTries = 10;
constexpr DWORD kOpenClipboardPauseMs = 50;

// Long paths: the dialog may return up to 32767 characters.
constexpr std::size_t kFileNameCapacity = 32768;

int scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi);
}

// The Windows API passes pointers and control ids in integer parameters.
template <typename T>
T* from_integer(LONG_PTR value) {
  return reinterpret_cast<T*>(value);  // NOLINT(performance-no-int-to-ptr)
}

std::wstring wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}

std::u16string_view u16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// The clipboard's Unicode text: the empty text when it holds none, nullopt
// when it could not be opened or its owner did not deliver the text.
std::optional<std::u16string> clipboard_text(HWND owner) {
  bool open = Form1::open_clipboard(owner);
  for (int tries = 1; !open && tries < kOpenClipboardTries; ++tries) {
    Sleep(kOpenClipboardPauseMs);
    open = Form1::open_clipboard(owner);
  }
  if (!open) return std::nullopt;
  std::optional<std::u16string> text = std::u16string();
  if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars =
        data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
    if (chars) {
      // The text ends at its NUL, or at the block's end if a program left
      // the NUL out.
      const std::u16string_view block(chars,
                                      GlobalSize(data) / sizeof(char16_t));
      text->assign(block.substr(0, block.find(u'\0')));
      GlobalUnlock(data);
    } else {
      text.reset();
    }
  }
  CloseClipboard();
  return text;
}

// The system's words for `error`, without the closing full stop and line end
// (the warning adds its own).
std::wstring reason_for(const std::error_code& error) {
  std::wstring reason;
  if (error.category() == std::system_category()) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
            FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error.value()), 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length > 0) reason.assign(buffer, length);
    LocalFree(buffer);
  }
  if (reason.empty()) {
    const std::string message = error.message();
    reason.assign(message.begin(), message.end());
  }
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                             reason.back() == L' ' || reason.back() == L'.')) {
    reason.pop_back();
  }
  return reason;
}

}  // namespace

bool Form1::create(HINSTANCE instance, int show_command) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class) &&
      GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  const std::wstring title = wide(vantrel::kProgramTitle);
  // The real size follows from the monitor's DPI, known once the window is.
  if (!CreateWindowExW(0, kClassName, title.c_str(), kStyle, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                       nullptr, instance, this)) {
    return false;
  }
  cmd_load2 = make_button(vantrel::layout::kLoad, kLoadId);
  cmd_add = make_button(vantrel::layout::kAdd, kAddId);
  cmd_save = make_button(vantrel::layout::kSave, kSaveId);
  EnableWindow(cmd_add, FALSE);
  lay_out(GetDpiForWindow(window));
  Form_Load();

  ShowWindow(window, show_command);
  SetFocus(cmd_load2);
  return true;
}

// Created in tab order: load, add, save.
HWND Form1::make_button(const vantrel::layout::Button& button, int id) {
  return CreateWindowExW(0, WC_BUTTONW, wide(button.caption).c_str(),
                         kButtonStyle, 0, 0, 0, 0, window,
                         from_integer<HMENU__>(id), nullptr, nullptr);
}

void Form1::lay_out(UINT dpi) {
  RECT frame{0, 0, scaled(vantrel::layout::kClientWidth, dpi),
             scaled(vantrel::layout::kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  place_buttons(dpi);
}

void Form1::place_buttons(UINT dpi) {
  const std::array<std::pair<HWND, vantrel::layout::Button>, 3> places{
      {{cmd_load2, vantrel::layout::kLoad},
       {cmd_add, vantrel::layout::kAdd},
       {cmd_save, vantrel::layout::kSave}}};
  for (const auto& [button, place] : places) {
    SetWindowPos(button, nullptr, scaled(place.left, dpi),
                 scaled(place.top, dpi), scaled(place.width, dpi),
                 scaled(place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HFONT old_font = font;
  font = caption_font(dpi);
  for (HWND button : {cmd_load2, cmd_add, cmd_save}) {
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  if (old_font) DeleteObject(old_font);
}

// The desktop's message font, made smaller where it is too large for every
// caption to wrap inside its button, so that no caption is ever clipped.
HFONT Form1::caption_font(UINT dpi) const {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                             0, dpi);
  LOGFONTW& face = metrics.lfMessageFont;
  const LONG smallest = -scaled(kSmallestCaptionPixels, dpi);
  HFONT candidate = CreateFontIndirectW(&face);
  while (!captions_fit(candidate, dpi) && face.lfHeight < smallest) {
    DeleteObject(candidate);
    ++face.lfHeight;  // a negative height: one pixel smaller
    candidate = CreateFontIndirectW(&face);
  }
  return candidate;
}

// Each caption of the layout, whole, wrapped at word breaks, inside its
// button's edge and focus box.
bool Form1::captions_fit(HFONT candidate, UINT dpi) const {
  HDC context = GetDC(window);
  HGDIOBJ previous = SelectObject(context, candidate);
  bool fit = true;
  for (const auto& button : {vantrel::layout::kLoad, vantrel::layout::kAdd,
                             vantrel::layout::kSave}) {
    const int room_x = scaled(button.width - 2 * kCaptionInset, dpi);
    const int room_y = scaled(button.height - 2 * kCaptionInset, dpi);
    const std::wstring caption = wide(button.caption);
    RECT text{0, 0, room_x, room_y};
    DrawTextW(context, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    fit = fit && text.right <= room_x && text.bottom <= room_y;
  }
  SelectObject(context, previous);
  ReleaseDC(window, context);
  return fit;
}

LRESULT CALLBACK Form1::window_procedure(HWND window, UINT message,
                                         WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(
        from_integer<CREATESTRUCTW>(lparam)->lpCreateParams);
    form->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = from_integer<Form1>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  return form->handle_message(message, wparam, lparam);
}

LRESULT Form1::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) break;
      switch (LOWORD(wparam)) {
        case kLoadId:
          cmd_load2_Click();
          return 0;
        case kAddId:
          cmd_add_Click();
          return 0;
        case kSaveId:
          cmd_save_Click();
          return 0;
      }
      break;
    case DM_GETDEFID: {
      // Enter presses the button that has the focus.
      HWND focus = GetFocus();
      if (focus && GetParent(focus) == window) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) focused = GetFocus();
      break;
    case WM_SETFOCUS:
      SetFocus(focused && IsWindowEnabled(focused) ? focused : cmd_load2);
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = from_integer<const RECT>(lparam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left,
                   suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      place_buttons(LOWORD(wparam));
      return 0;
    }
    case WM_DESTROY:
      if (font) DeleteObject(font);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Form1::Form_Load() { store.initialise(); }

void Form1::cmd_load2_Click() {
  if (!load_data(vantrel::ListStart::kFresh)) return;
  EnableWindow(cmd_save, TRUE);
  EnableWindow(cmd_add, TRUE);
}

void Form1::cmd_add_Click() { load_data(vantrel::ListStart::kAppend); }

// The dialog starts afresh each time: an empty name, the one filter, no title,
// extension or folder, and asks nothing before overwriting. It leaves the
// current folder alone (one the program sits in cannot be ejected, renamed or
// deleted) and still opens where the last save went: Windows remembers that.
void Form1::cmd_save_Click() {
  std::vector<wchar_t> file_name(kFileNameCapacity, L'\0');
  OPENFILENAMEW cdb1{};
  cdb1.lStructSize = sizeof cdb1;
  cdb1.hwndOwner = window;
  // "description|pattern" pairs as the dialog takes them: each ended by a
  // NUL, and one more NUL after the last.
  std::wstring filter = wide(vantrel::layout::kSaveFilter) + L'|';
  std::ranges::replace(filter, L'|', L'\0');
  cdb1.lpstrFilter = filter.c_str();
  cdb1.lpstrFile = file_name.data();
  cdb1.nMaxFile = static_cast<DWORD>(file_name.size());
  cdb1.Flags = OFN_NOCHANGEDIR;
  if (!save_dialog(&cdb1) || file_name[0] == L'\0') return;

  const std::wstring name(file_name.data());
  const std::string code_page = vantrel::system_code_page();
  const vantrel::Saved saved =
      vantrel::write_sentences(std::filesystem::path(name), store, code_page);
  const std::wstring reason = saved.error ? reason_for(saved.error) : L"";
  const std::u16string warning =
      vantrel::save_warning(u16(name), saved, code_page, u16(reason));
  if (!warning.empty()) warn(warning);
}

bool Form1::load_data(vantrel::ListStart start) {
  const std::optional<std::u16string> text = clipboard_text(window);
  const std::u16string warning = vantrel::load_clipboard_text(
      store, text ? std::optional<std::u16string_view>(*text) : std::nullopt,
      start);
  if (!warning.empty()) warn(warning);
  return text.has_value();
}

void Form1::warn(std::u16string_view text) {
  message_box(window, wide(text).c_str(), wide(vantrel::kProgramTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}
