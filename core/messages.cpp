#include "core/messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/sentence_splitter.h"
#include "core/sentence_store.h"

namespace vantrel {

namespace {

std::u16string decimal(std::size_t n) {
  const std::string digits = std::to_string(n);
  return {digits.begin(), digits.end()};
}

std::u16string list_full_warning(std::size_t not_added) {
  std::u16string warning = u"The list is full: " +
                           decimal(SentenceStore::kCapacity) +
                           u" sentences are held. ";
  if (not_added == 1) {
    return warning + u"1 more sentence from the clipboard was not added.";
  }
  return warning + decimal(not_added) +
         u" more sentences from the clipboard were not added.";
}

}  // namespace

std::u16string load_clipboard_text(SentenceStore& store,
                                   std::optional<std::u16string_view> text,
                                   ListStart start) {
  if (!text) {
    return u"The clipboard's text could not be read: the program that holds "
           u"it did not answer. The list was left as it was.";
  }
  if (start == ListStart::kFresh) store.fresh_start();
  const CutCount count = cut_sentences(*text, store);
  if (count.not_added == 0) return {};
  return list_full_warning(count.not_added);
}

std::u16string save_failed_warning(std::u16string_view file_name,
                                   std::u16string_view reason) {
  std::u16string warning = u"Could not save \"";
  warning += file_name;
  warning += u"\": ";
  warning += reason;
  warning += u". The sentences are still held; save them under another name.";
  return warning;
}

}  // namespace vantrel
