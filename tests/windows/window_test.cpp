// Form1 of the Windows program under Wine, driven through its handlers: the
// save dialog as it is set up (answered in place of a user), the buttons'
// states, the clipboard read (held by another thread, or a text block
// without its closing NUL), the files written and the warnings.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/test_files.h"
#include "win32/form1.h"

namespace {

namespace fs = std::filesystem;
using vantrel::testing::read_bytes;

// What a test reads back from the window.
struct Seen {
  std::vector<std::wstring> warnings;  // each message box's text
  std::vector<OPENFILENAMEW> dialogs;  // each save dialog as it was set up
  std::vector<std::wstring> filters, opened_with;
};

// Another program holding the clipboard open: a thread that opens it, then
// closes it after `hold_ms` or when the holder ends.
class ClipboardHolder {
 public:
  explicit ClipboardHolder(DWORD hold_ms)
      : thread_([this, hold_ms] {
          opened_ = OpenClipboard(nullptr);
          SetEvent(opened_event_);
          WaitForSingleObject(release_, hold_ms);
          CloseClipboard();
        }) {
    WaitForSingleObject(opened_event_, INFINITE);
  }
  ~ClipboardHolder() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
    CloseHandle(opened_event_);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool opened() const { return opened_; }

 private:
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE opened_event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool opened_ = false;
  std::thread thread_;
};

// The allocation that holds `address`.
void* mapping_of(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(address, &info, sizeof info);
  return info.AllocationBase;
}

// Puts `text` on the clipboard as CF_UNICODETEXT. Without its NUL, the block
// is made large enough to get a mapping of its own, and the memory just past
// it, still in that mapping, holds u" Past.": a read beyond the block's end
// takes it. SetClipboardData writes a NUL into the block's last character, as
// Windows does; the test puts the text back into the handle the clipboard
// keeps for its owner, and leaves the clipboard open for `reader` in this
// thread (closing it would renew the data).
void put_text(std::u16string text, bool with_nul = true,
              HWND reader = nullptr) {
  if (!with_nul) text.insert(text.find(u' '), 1 << 19, u' ');
  const std::size_t chars = text.size() + (with_nul ? 1 : 0);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, chars * sizeof(char16_t));
  auto* data = static_cast<char16_t*>(GlobalLock(block));
  std::copy(text.begin(), text.end(), data);
  if (with_nul) data[text.size()] = u'\0';
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(with_nul ? nullptr : reader) && EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, block));
  if (with_nul) {
    CloseClipboard();
    return;
  }
  data = static_cast<char16_t*>(GlobalLock(block));
  data[text.size() - 1] = text.back();
  constexpr std::u16string_view kPast = u" Past.";
  char16_t* past = data + text.size();
  ASSERT_EQ(mapping_of(past + kPast.size()), mapping_of(data));
  std::copy(kPast.begin(), kPast.end(), past);
  past[kPast.size()] = u'\0';
  GlobalUnlock(block);
}

class Form1Window : public testing::Test {
 protected:
  void SetUp() override {
    Form1::save_dialog = [this](OPENFILENAMEW* dialog) {
      seen_.dialogs.push_back(*dialog);
      seen_.opened_with.emplace_back(dialog->lpstrFile);
      const wchar_t* end = dialog->lpstrFilter;
      while (end && (end[0] != L'\0' || end[1] != L'\0')) ++end;
      seen_.filters.push_back(dialog->lpstrFilter
                                  ? std::wstring(dialog->lpstrFilter, end)
                                  : std::wstring());
      if (answer_.empty()) return FALSE;
      answer_.copy(dialog->lpstrFile, dialog->nMaxFile - 1);
      return TRUE;
    };
    Form1::message_box = [this](HWND owner, LPCWSTR text, LPCWSTR title,
                                UINT type) {
      EXPECT_EQ(owner, form_->handle());
      EXPECT_STREQ(title, L"Vantrel Article Converter");
      EXPECT_EQ(type, UINT{MB_OK | MB_ICONWARNING});
      seen_.warnings.emplace_back(text);
      return IDOK;
    };
    form_ = std::make_unique<Form1>();
    ASSERT_TRUE(form_->create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
  }
  void TearDown() override { DestroyWindow(form_->handle()); }

  HWND button(const wchar_t* caption) const {
    return FindWindowExW(form_->handle(), nullptr, L"Button", caption);
  }
  bool enabled(const wchar_t* caption) const {
    return IsWindowEnabled(button(caption));
  }
  // Clicks the button as a user can: not when it is disabled.
  void click(const wchar_t* caption) {
    HWND target = button(caption);
    if (!IsWindowEnabled(target)) return;
    SendMessageW(form_->handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
                 reinterpret_cast<LPARAM>(target));
  }
  // Saves under `name` in the test's folder (nothing when empty: cancelled)
  // and returns the file's bytes, "<missing>" when there is none.
  std::string saved(const std::wstring& name) {
    answer_ = name.empty() ? name : (dir_.path / name).wstring();
    click(L"Save");
    const fs::path file = dir_.path / name;
    return !name.empty() && fs::is_regular_file(file) ? read_bytes(file)
                                                      : "<missing>";
  }

  std::unique_ptr<Form1> form_;
  Seen seen_;
  std::wstring answer_;
  vantrel::testing::TempDir dir_;
};

constexpr const wchar_t* kGet = L"Get Clipboard Data";
constexpr const wchar_t* kAdd = L"Add More";
constexpr std::wstring_view kUnreadable =
    L"The clipboard's text could not be read";

// Each save opens the dialog afresh: an empty name, the one filter, no
// extension added, nothing asked before overwriting.
TEST_F(Form1Window, SetsUpThePlainSaveDialogEachTime) {
  put_text(u"The cat sat. The dog ran.");
  click(kGet);
  const std::string file = " 1. The cat sat.\r\n 2.  The dog ran.\r\n";
  EXPECT_EQ(saved(L"a.txt"), file);
  EXPECT_EQ(saved(L"a.txt"), file);
  EXPECT_EQ(saved(L"notes"), file);
  EXPECT_EQ(saved(L""), "<missing>");
  EXPECT_EQ(saved(L"missing\\kept.txt"), "<missing>");
  ASSERT_EQ(seen_.dialogs.size(), 5U);
  for (std::size_t i = 0; i < seen_.dialogs.size(); ++i) {
    const OPENFILENAMEW& dialog = seen_.dialogs[i];
    EXPECT_EQ(dialog.hwndOwner, form_->handle());
    EXPECT_EQ(dialog.Flags, 0U);
    EXPECT_EQ(dialog.lpstrDefExt, nullptr);
    EXPECT_EQ(seen_.filters[i], std::wstring(L"Text (*.txt)\0*.txt", 18));
    EXPECT_EQ(seen_.opened_with[i], L"") << "save " << i;
  }
  ASSERT_EQ(seen_.warnings.size(), 1U);
  EXPECT_TRUE(seen_.warnings[0].starts_with(
      L"Could not save \"" + (dir_.path / L"missing\\kept.txt").wstring()));
  EXPECT_EQ(saved(L"kept.txt"), file);
}

// How the clipboard is offered at a step's click.
enum class Offer { kText, kNoNul, kHeldAMoment, kHeldThroughout };
struct Step {
  const wchar_t* button;
  Offer offer;
  const char16_t* text;
};

// Each row clicks its steps, then saves: the file, whether "Add More" is
// enabled, and the warnings' beginnings.
TEST_F(Form1Window, LoadsTheClipboardAndKeepsTheListWhenItCannot) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::string file;
    bool add_enabled;
    std::vector<std::wstring_view> warnings;
  } rows[] = {
      {"nothing loaded: Add More disabled", {}, "", false, {}},
      {"get, then add the same",
       {{kGet, Offer::kText, u"A. B."}, {kAdd, Offer::kText, u"A. B."}},
       " 1. A.\r\n 2.  B.\r\n 3. A.\r\n 4.  B.\r\n",
       true,
       {}},
      {"held a moment by another program: read after a retry",
       {{kGet, Offer::kHeldAMoment, u"A."}},
       " 1. A.\r\n",
       true,
       {}},
      {"a first read that fails leaves the buttons",
       {{kGet, Offer::kHeldThroughout, u"A."}},
       "",
       false,
       {kUnreadable}},
      {"a failed read keeps the list",
       {{kGet, Offer::kText, u"A."},
        {kGet, Offer::kHeldThroughout, u"B."},
        {kAdd, Offer::kHeldThroughout, u"C."}},
       " 1. A.\r\n",
       true,
       {kUnreadable, kUnreadable}},
      {"a block without its NUL is read to its end",
       {{kGet, Offer::kNoNul, u"A. B."}},
       " 1. A.\r\n 2.  B.\r\n",
       true,
       {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TearDown();
    SetUp();
    seen_ = {};
    for (const Step& step : row.steps) {
      put_text(step.text, step.offer != Offer::kNoNul, form_->handle());
      if (step.offer == Offer::kHeldAMoment ||
          step.offer == Offer::kHeldThroughout) {
        const ClipboardHolder holder(
            step.offer == Offer::kHeldAMoment ? 100 : INFINITE);
        ASSERT_TRUE(holder.opened());
        click(step.button);
      } else {
        click(step.button);
      }
    }
    EXPECT_EQ(enabled(kAdd), row.add_enabled);
    EXPECT_TRUE(enabled(kGet));
    EXPECT_TRUE(enabled(L"Save"));
    EXPECT_EQ(saved(L"out.txt"), row.file);
    ASSERT_EQ(seen_.warnings.size(), row.warnings.size());
    for (std::size_t i = 0; i < row.warnings.size(); ++i) {
      EXPECT_TRUE(seen_.warnings[i].starts_with(row.warnings[i]))
          << "warning " << i;
    }
  }
}

}  // namespace
