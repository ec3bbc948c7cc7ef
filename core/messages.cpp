#include "core/messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/numbered_file.h"
#include "core/sentence_splitter.h"
#include "core/sentence_store.h"

namespace vantrel {

namespace {

std::u16string widen(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

std::u16string decimal(std::size_t n) { return widen(std::to_string(n)); }

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

// What differs between the systems: Windows users know their character set
// as a code page number, and turn UTF-8 on for every program in the region
// settings, which this program then follows; elsewhere the locale names it.
#ifdef _WIN32
std::u16string character_set(std::string_view code_page) {
  if (!code_page.starts_with("CP")) return widen(code_page);
  return u"code page " + widen(code_page.substr(2));
}
constexpr std::u16string_view kKeepEveryCharacter =
    u"To keep every character, turn on \"Use Unicode UTF-8 for worldwide "
    u"language support\" in Windows' region settings (Change system locale), "
    u"restart Windows and save again.";
#else
std::u16string character_set(std::string_view code_page) {
  return widen(code_page);
}
constexpr std::u16string_view kKeepEveryCharacter =
    u"Start the program in a UTF-8 locale to keep every character.";
#endif

// Where a save that failed half-way left the old file and the new text.
std::u16string stranded_note(const Stranded& stranded) {
  std::u16string note;
  if (!stranded.old_file.empty()) {
    note += u" The file that was there is now \"" +
            stranded.old_file.u16string() + u"\".";
  }
  if (!stranded.new_bytes.empty()) {
    note += u" The new text is in \"" + stranded.new_bytes.u16string() + u"\".";
  }
  return note;
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

std::u16string characters_replaced_warning(std::u16string_view file_name,
                                           std::size_t replaced,
                                           std::string_view code_page,
                                           std::size_t first_sentence) {
  if (replaced == 0) return {};
  const bool one = replaced == 1;
  std::u16string warning = u"Saved \"";
  warning += file_name;
  warning += one ? u"\", but 1 character"
                 : u"\", but " + decimal(replaced) + u" characters";
  // UTF-8 holds every character: only a broken one is replaced.
  const bool utf8 = code_page == "UTF-8";
  if (utf8) {
    warning +=
        one ? u" was broken (half of a UTF-16 surrogate pair) and was"
            : u" were broken (halves of UTF-16 surrogate pairs) and were";
  } else {
    warning += u" could not be written in " + character_set(code_page);
    warning += one ? u" and was" : u" and were";
  }
  warning += one ? u" saved as \"?\" (in sentence "
                 : u" saved as \"?\" (the first in sentence ";
  warning += decimal(first_sentence);
  warning += u").";
  if (!utf8) {
    warning += u' ';
    warning += kKeepEveryCharacter;
  }
  return warning;
}

std::u16string save_warning(std::u16string_view file_name, const Saved& saved,
                            std::string_view code_page,
                            std::u16string_view reason) {
  if (saved.error) {
    return save_failed_warning(file_name, reason) +
           stranded_note(saved.stranded);
  }
  return characters_replaced_warning(file_name, saved.replaced, code_page,
                                     saved.first_sentence);
}

}  // namespace vantrel
