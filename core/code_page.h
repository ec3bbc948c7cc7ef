// The 8-bit code page the sentence file is written in, and the conversion of
// UTF-16 text to it. The code page is the character set of the user's locale
// (LC_CTYPE); where that is plain ASCII (the C/POSIX locale) UTF-8 is used
// instead, so that no text is lost. Conversion goes through iconv.
#ifndef VANTREL_CORE_CODE_PAGE_H_
#define VANTREL_CORE_CODE_PAGE_H_

#include <string>
#include <string_view>

namespace vantrel {

// The current LC_CTYPE character set's name, or "UTF-8" for ASCII.
std::string system_code_page();

// `text` converted to `code_page` (an iconv name such as "UTF-8" or
// "ISO-8859-1"). Each character the code page cannot hold, and each lone
// surrogate, becomes one "?". A code page iconv does not know is replaced by
// UTF-8.
std::string encode_to_code_page(std::u16string_view text,
                                const std::string& code_page);

}  // namespace vantrel

#endif  // VANTREL_CORE_CODE_PAGE_H_
