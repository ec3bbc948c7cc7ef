// The Windows Form1 under Wine through its handlers: the save dialog's set-up,
// the buttons, a clipboard held open, without its NUL or with bytes past it,
// and the warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cwctype>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/test_files.h"
#include "win32/form1.h"

namespace {

using std::string_literals::operator""s;

void* mapping_of(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(address, &info, sizeof info);
  return info.AllocationBase;
}

// Puts `text` on the clipboard. With a `reader` the block holds `text` alone,
// no NUL added, and the clipboard is left open for it (closing it renews the
// data); a text without a NUL then lies in a block of its own mapping,
// followed by u" Past." and SetClipboardData's NUL undone.
void put_text(std::u16string text, HWND reader = nullptr) {
  const bool with_nul = reader == nullptr;
  const bool open_end = !with_nul && text.find(u'\0') == std::u16string::npos;
  if (open_end) text.insert(text.find(u' '), 1 << 19, u' ');
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + with_nul) * 2);
  auto* data = static_cast<char16_t*>(GlobalLock(block));
  std::copy_n(text.c_str(), text.size() + with_nul, data);
  ASSERT_TRUE(OpenClipboard(reader) && EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, block));
  if (with_nul) {
    CloseClipboard();
    return;
  }
  if (!open_end) return;
  constexpr char16_t kPast[] = u" Past.";
  data[text.size() - 1] = text.back();
  ASSERT_EQ(mapping_of(data + text.size() + std::size(kPast)),
            mapping_of(data));
  std::copy_n(kPast, std::size(kPast), data + text.size());
}

class Form1Window : public testing::Test {
 protected:
  void SetUp() override {
    // Each dialog: one filter, an empty name, no question, no extension.
    Form1::save_dialog = [this](OPENFILENAMEW* dialog) {
      const wchar_t* end = dialog->lpstrFilter;
      while (end && (end[0] != L'\0' || end[1] != L'\0')) ++end;
      EXPECT_EQ(std::wstring(dialog->lpstrFilter, end), kFilter);
      EXPECT_STREQ(dialog->lpstrFile, L"");
      EXPECT_EQ(dialog->Flags, 0U);
      EXPECT_EQ(dialog->lpstrDefExt, nullptr);
      EXPECT_EQ(dialog->hwndOwner, form_->handle());
      answer_.copy(dialog->lpstrFile, dialog->nMaxFile - 1);
      return !answer_.empty();
    };
    Form1::message_box = [this](HWND owner, LPCWSTR text, LPCWSTR title,
                                UINT type) {
      EXPECT_EQ(owner, form_->handle());
      EXPECT_STREQ(title, L"Vantrel Article Converter");
      EXPECT_EQ(type, UINT{MB_OK | MB_ICONWARNING});
      warnings_.emplace_back(text);
      return IDOK;
    };
    ASSERT_TRUE(form_->create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
  }
  void TearDown() override { DestroyWindow(form_->handle()); }

  bool enabled(const wchar_t* caption) const {
    return IsWindowEnabled(button(caption));
  }
  HWND button(const wchar_t* caption) const {
    return FindWindowExW(form_->handle(), nullptr, L"Button", caption);
  }
  // Clicks as a user can; another program holds the clipboard `held` tries.
  void click(const wchar_t* caption, int held = 0) {
    Form1::open_clipboard = [held](HWND owner) mutable {
      return held-- > 0 ? FALSE : OpenClipboard(owner);
    };
    if (!enabled(caption)) return;
    SendMessageW(form_->handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(button(caption)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button(caption)));
  }
  // Saves as `name` (empty: cancels) and returns the file's bytes.
  std::string saved(const std::wstring& name) {
    answer_ = name.empty() ? name : (dir_.path / name).wstring();
    click(L"Save");
    const std::filesystem::path file = dir_.path / name;
    return std::filesystem::is_regular_file(file)
               ? vantrel::testing::read_bytes(file)
               : "<missing>";
  }

  std::unique_ptr<Form1> form_ = std::make_unique<Form1>();
  const std::wstring kFilter{L"Text (*.txt)\0*.txt", 18};
  std::vector<std::wstring> warnings_;
  std::wstring answer_;
  vantrel::testing::TempDir dir_;
};

constexpr const wchar_t* kGet = L"Get Clipboard Data";
constexpr const wchar_t* kAdd = L"Add More";

// 813 x 466 at 96 dpi, each button in its place.
TEST_F(Form1Window, LaysOutTheWindow) {
  RECT area{};
  GetClientRect(form_->handle(), &area);
  EXPECT_EQ(std::pair(area.right, area.bottom), std::pair(813L, 466L));
  LONG top = 8;
  for (const wchar_t* caption : {kGet, kAdd, L"Save"}) {
    RECT place{};
    GetWindowRect(button(caption), &place);
    MapWindowPoints(HWND_DESKTOP, form_->handle(),
                    reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(std::tuple(place.left, place.top, place.right, place.bottom),
              std::tuple(16L, top, 97L, top + 33))
        << caption;
    top += 40;
  }
}

TEST_F(Form1Window, SavesThroughAPlainSaveDialogEachTime) {
  put_text(u"A.");
  click(kGet);
  click(kAdd);
  EXPECT_EQ(saved(L"a.txt"), " 1. A.\r\n 2. A.\r\n");
  EXPECT_EQ(saved(L""), "<missing>");
  EXPECT_EQ(saved(L"missing\\a.txt"), "<missing>");
  ASSERT_EQ(warnings_.size(), 1U);  // with the system's reason
  const std::wstring start = L"Could not save \"" + answer_ + L"\": ";
  EXPECT_TRUE(warnings_[0].starts_with(start) &&
              std::iswalpha(warnings_[0][start.size()]));
}

// A clipboard held open is tried again for a moment; one that stays closed
// warns and leaves the list and the buttons as they were.
TEST_F(Form1Window, KeepsTheListAndButtonsWhenTheClipboardStaysClosed) {
  put_text(u"A.");
  EXPECT_FALSE(enabled(kAdd));
  click(kGet, INT_MAX);
  EXPECT_FALSE(enabled(kAdd));
  click(kGet, 9);
  EXPECT_TRUE(enabled(kAdd));
  put_text(u"B.");
  click(kAdd, INT_MAX);
  click(kGet, INT_MAX);
  EXPECT_EQ(saved(L"out.txt"), " 1. A.\r\n");
  EXPECT_EQ(warnings_.size(), 3U);
  for (const std::wstring& warning : warnings_) {
    EXPECT_TRUE(warning.starts_with(L"The clipboard's text could not be read"));
  }
}

// The text ends at its NUL, a larger block's old bytes after it ignored (the
// last space is for SetClipboardData's NUL), or at the block's end if a
// program left the NUL out.
TEST_F(Form1Window, ReadsTheTextToItsNulOrTheBlocksEnd) {
  for (const std::u16string& text : {u"A. B."s, u"A. B.\0 Old. "s}) {
    SCOPED_TRACE(text.size());
    put_text(text, form_->handle());
    click(kGet);
    EXPECT_EQ(saved(L"out.txt"), " 1. A.\r\n 2.  B.\r\n");
  }
}

}  // namespace
