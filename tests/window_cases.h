// What both windows do, as a person sees it: the layout, the buttons on the
// clipboard's text, the saved files, the warnings' words. Included after each
// window's fixture `WindowTest`: put(text) (nullptr: a read that fails),
// click, enabled, place (at 96 dpi), client_size, resize, save_as(name,
// accept) (the bytes, or "<missing>"), warnings_, dir_; it checks each dialog.
#ifndef VANTREL_TESTS_WINDOW_CASES_H_
#define VANTREL_TESTS_WINDOW_CASES_H_

#include <gtest/gtest.h>

#include <array>
#include <cwctype>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

constexpr std::u16string_view kGet = u"Get Clipboard Data";
constexpr std::u16string_view kAdd = u"Add More";

TEST_F(WindowTest, LaysOutTheWindow) {
  EXPECT_EQ(client_size(), std::pair(813, 466));
  resize();  // moves nothing
  const std::tuple<std::u16string_view, int, bool> buttons[] = {
      {kGet, 8, true}, {kAdd, 48, false}, {u"Save", 88, true}};
  for (const auto& [caption, top, is_enabled] : buttons) {
    EXPECT_EQ(place(caption), (std::array{16, top, 81, 33}));
    EXPECT_EQ(enabled(caption), is_enabled);
  }
}

TEST_F(WindowTest, LoadsAndSavesAsTheButtonsSay) {
  using Steps = std::vector<std::pair<std::u16string_view, std::u16string>>;
  const struct {
    Steps steps;
    std::string file;
  } rows[] = {
      {{}, ""},  // a save before any load
      {{{kGet, u"A. B. C."}, {kGet, u"D."}}, " 1. D.\r\n"},
      {{{kGet, u"A."}, {kGet, u""}, {kAdd, u"B."}}, " 1. B.\r\n"},
      {{{kGet, u"A."}, {kAdd, u"C."}}, " 1. A.\r\n 2. C.\r\n"},
  };
  for (const auto& row : rows) {
    for (const auto& [button, text] : row.steps) {
      put(&text);
      click(button);
    }
    EXPECT_EQ(save_as(u"out.txt"), row.file);
  }
  EXPECT_TRUE(warnings_.empty());
}

// A failed read leaves the list and the buttons as they were; a typed name
// gets no suffix, and a cancelled dialog writes nothing.
TEST_F(WindowTest, WarnsAndKeepsTheList) {
  put(nullptr);
  click(kGet);
  EXPECT_FALSE(enabled(kAdd));
  const std::u16string text = u"Why? Ok. \u0101 \u221e.";
  put(&text);
  click(kGet);
  for (const auto& button : {kAdd, kGet}) {
    put(nullptr);
    click(button);
  }
  EXPECT_EQ(save_as(u"missing/a.txt"), "<missing>");
  EXPECT_EQ(save_as(u"a.txt"), " 1. Why? Ok.\r\n 2.  ? ?.\r\n");
  std::u16string many;
  for (int n = 0; n < 1003; ++n) many += u"S. ";
  put(&many);
  click(kGet);
  const std::u16string one = u"One more.";
  put(&one);
  click(kAdd);
  EXPECT_TRUE(save_as(u"full").ends_with(" 999.  S.\r\n 1000.  S.\r\n"));
  EXPECT_EQ(save_as(u"cancelled.txt", false), "<missing>");

  const std::u16string unread =
      u"The clipboard's text could not be read: the program that holds it did "
      u"not answer. The list was left as it was.";
  const std::u16string full = u"The list is full: 1000 sentences are held. ";
  ASSERT_EQ(warnings_.size(), 7U);
  EXPECT_EQ(std::vector(warnings_.begin(), warnings_.begin() + 3),
            std::vector(3, unread));
  const std::u16string failed =
      u"Could not save \"" + dir_.file(u"missing/a.txt") + u"\": ";
  EXPECT_TRUE(warnings_[3].starts_with(failed) &&
              std::iswalpha(warnings_[3][failed.size()]) &&
              warnings_[3].ends_with(u". The sentences are still held; save "
                                     u"them under another name."));
#ifdef _WIN32
  const std::u16string character_set = u"code page 1252";
  const std::u16string remedy =
      u"To keep every character, turn on \"Use Unicode UTF-8 for worldwide "
      u"language support\" in Windows' region settings (Change system "
      u"locale), restart Windows and save again.";
#else
  const std::u16string character_set = u"ISO-8859-1";
  const std::u16string remedy =
      u"Start the program in a UTF-8 locale to keep every character.";
#endif
  EXPECT_EQ(warnings_[4], u"Saved \"" + dir_.file(u"a.txt") +
                              u"\", but 2 characters could not be written in " +
                              character_set +
                              u" and were saved as \"?\" (the first in "
                              u"sentence 2). " +
                              remedy);
  EXPECT_EQ(warnings_[5],
            full + u"3 more sentences from the clipboard were not added.");
  EXPECT_EQ(warnings_[6],
            full + u"1 more sentence from the clipboard was not added.");
}

#endif  // VANTREL_TESTS_WINDOW_CASES_H_
