// The 8-bit code page the sentence file is written in, and the conversion of
// UTF-16 text to it. On POSIX systems the code page is the character set of
// the locale the environment sets (LC_ALL, LC_CTYPE or LANG, whatever the
// process locale is), converted with iconv; where that is plain
// ASCII (the C/POSIX locale) UTF-8 is used instead, so that no text is lost.
// On Windows it is the system's ANSI code page, "CP" and its number (such as
// "CP1252" or "CP932"), or "UTF-8"; conversion goes through
// WideCharToMultiByte. The names "UTF-8" and "CPnnnn" mean the same on both
// systems, and give the same bytes for the same text.
#ifndef VANTREL_CORE_CODE_PAGE_H_
#define VANTREL_CORE_CODE_PAGE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

// The system's code page: on POSIX the character set's name of the locale the
// environment sets, or "UTF-8" for ASCII; on Windows "CP" + the ANSI code
// page, or "UTF-8".
std::string system_code_page();

// Text converted to a code page, and the characters written as "?" in it
// (a "?" that was in the text is not one of them).
struct Encoded {
  std::string bytes;
  std::size_t replaced = 0;  // characters written as "?"
  std::size_t first = 0;     // the first one's offset in the text, in UTF-16
                             // code units; 0 when none was
};

// `text` converted to `code_page` ("UTF-8", "CPnnnn", or on POSIX any iconv
// name such as "ISO-8859-1"). Each character the code page cannot hold, and
// each lone surrogate, becomes one "?"; nothing is replaced by a look-alike.
// A code page the system does not know is replaced by UTF-8.
Encoded encode_to_code_page(std::u16string_view text,
                            const std::string& code_page);

}  // namespace vantrel

#endif  // VANTREL_CORE_CODE_PAGE_H_
