// What the converter says to its user, and when: the program's title and
// version, the loading of a clipboard text into the list, and the warnings.
// Every window front end takes its words and decisions from here, so the
// program says the same thing in the same case on every system.
#ifndef VANTREL_CORE_MESSAGES_H_
#define VANTREL_CORE_MESSAGES_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/numbered_file.h"
#include "core/sentence_store.h"

namespace vantrel {

inline constexpr std::u16string_view kProgramTitle =
    u"Vantrel Article Converter";
// The build's project version ("1.00").
inline constexpr std::string_view kProgramVersion = VANTREL_VERSION;

enum class ListStart {
  kFresh,   // "Get Clipboard Data": the text starts a new list
  kAppend,  // "Add More": the text's sentences follow the held ones
};

// Loads the clipboard's `text` into `store`. `text` is nullopt when the
// clipboard could not be read; the list is then left exactly as it was (an
// empty clipboard is a text, the empty one). Returns the warning to show, or
// an empty text when there is nothing to say.
std::u16string load_clipboard_text(SentenceStore& store,
                                   std::optional<std::u16string_view> text,
                                   ListStart start);

// The warning for a save to `file_name` that failed for `reason` (the
// system's words).
std::u16string save_failed_warning(std::u16string_view file_name,
                                   std::u16string_view reason);

// The warning after a save to `file_name` that wrote `replaced` characters
// as "?" in `code_page` (as system_code_page names it), the first in sentence
// `first_sentence`; empty when none was replaced. It names the character
// set, and how to keep every character, as the user's system does.
std::u16string characters_replaced_warning(std::u16string_view file_name,
                                           std::size_t replaced,
                                           std::string_view code_page,
                                           std::size_t first_sentence);

// The warning after a save to `file_name` that ended as `saved`: its failure,
// for `reason` (the system's words for saved.error) and where it left the
// copies it could not put back, else the characters it wrote as "?" in
// `code_page`, else nothing (an empty text).
std::u16string save_warning(std::u16string_view file_name, const Saved& saved,
                            std::string_view code_page,
                            std::u16string_view reason);

}  // namespace vantrel

#endif  // VANTREL_CORE_MESSAGES_H_
