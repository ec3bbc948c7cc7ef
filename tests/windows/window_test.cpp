// The Windows Form1 under Wine in the cases both windows pass; then a
// clipboard held open, and a text without its NUL or with old bytes past it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "tests/test_files.h"
#include "win32/form1.h"

namespace {

using std::string_literals::operator""s;

// Puts `text` on the clipboard; with a `reader`, alone (no NUL added) and left
// open for it, as closing renews the data. A text without a NUL then ends a
// block of its own mapping, SetClipboardData's NUL undone, and u" Past." is
// written in the mapping's slack after it.
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
  std::copy_n(kPast, std::size(kPast), data + text.size());
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    Form1::save_dialog = [this](OPENFILENAMEW* dialog) {
      const wchar_t* end = dialog->lpstrFilter;
      while (end && (end[0] != L'\0' || end[1] != L'\0')) ++end;
      EXPECT_EQ(std::wstring(dialog->lpstrFilter, end),
                std::wstring(L"Text (*.txt)\0*.txt", 18));
      EXPECT_STREQ(dialog->lpstrFile, L"");
      EXPECT_EQ(dialog->Flags, DWORD{OFN_NOCHANGEDIR});
      EXPECT_EQ(dialog->lpstrDefExt, nullptr);
      EXPECT_EQ(dialog->hwndOwner, form_->handle());
      answer_.copy(dialog->lpstrFile, dialog->nMaxFile - 1);
      return accept_;
    };
    Form1::message_box = [this](HWND owner, LPCWSTR text, LPCWSTR title,
                                UINT type) {
      EXPECT_EQ(owner, form_->handle());
      EXPECT_STREQ(title, L"Vantrel Article Converter");
      EXPECT_EQ(type, UINT{MB_OK | MB_ICONWARNING});
      warnings_.emplace_back(std::wstring_view(text).begin(),
                             std::wstring_view(text).end());
      return IDOK;
    };
    // Another program holds the clipboard for held_ more tries.
    Form1::open_clipboard = [this](HWND owner) {
      return held_-- > 0 ? FALSE : OpenClipboard(owner);
    };
    ASSERT_TRUE(form_->create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
  }
  void TearDown() override { DestroyWindow(form_->handle()); }

  HWND button(std::u16string_view caption) const {
    return FindWindowExW(form_->handle(), nullptr, L"Button",
                         std::wstring(caption.begin(), caption.end()).c_str());
  }
  void put(const std::u16string* text) {
    held_ = text ? 0 : INT_MAX;
    if (text) put_text(*text);
  }
  // Clicks as a person can: not while the button is disabled.
  void click(std::u16string_view caption) {
    if (!enabled(caption)) return;
    SendMessageW(form_->handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(button(caption)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button(caption)));
  }
  bool enabled(std::u16string_view caption) const {
    return IsWindowEnabled(button(caption));
  }
  std::array<int, 4> place(std::u16string_view caption) const {
    RECT place{};
    GetWindowRect(button(caption), &place);
    MapWindowPoints(HWND_DESKTOP, form_->handle(),
                    reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left,
            place.bottom - place.top};
  }
  std::pair<int, int> client_size() const {
    RECT area{};
    GetClientRect(form_->handle(), &area);
    return {area.right, area.bottom};
  }
  void resize() {
    SetWindowPos(form_->handle(), nullptr, 0, 0, 400, 120,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  std::string save_as(std::u16string_view name, bool accept = true) {
    const std::u16string file = dir_.file(name);
    answer_.assign(file.begin(), file.end());
    accept_ = accept;
    click(u"Save");
    return vantrel::testing::saved_bytes(file);
  }

  std::unique_ptr<Form1> form_ = std::make_unique<Form1>();
  std::vector<std::u16string> warnings_;
  std::wstring answer_;
  bool accept_ = true;
  int held_ = 0;
  vantrel::testing::TempDir dir_;
};

#include "tests/window_cases.h"

// A clipboard held open a moment is tried again.
TEST_F(WindowTest, WaitsForAClipboardHeldOpenAMoment) {
  put_text(u"A.");
  held_ = 9;
  click(kGet);
  EXPECT_TRUE(enabled(kAdd));
}

// The text ends at its NUL (old bytes after it; the last space is for
// SetClipboardData's NUL), or at the block's end if a program left it out.
TEST_F(WindowTest, ReadsTheTextToItsNulOrTheBlocksEnd) {
  for (const std::u16string& text : {u"A. B."s, u"A. B.\0 Old. "s}) {
    SCOPED_TRACE(text.size());
    put_text(text, form_->handle());
    click(kGet);
    EXPECT_EQ(save_as(u"out.txt"), " 1. A.\r\n 2.  B.\r\n");
  }
}

}  // namespace
