// The numbered sentence file: one line per held sentence, in order, each
// " N. " followed by the sentence with runs of spaces squeezed to one, and
// ended by CR LF. An empty store gives an empty file. The text is written in
// the given 8-bit code page (see code_page.h). Writing never changes the
// store, so saving twice gives the same bytes.
#ifndef VANTREL_CORE_NUMBERED_FILE_H_
#define VANTREL_CORE_NUMBERED_FILE_H_

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "core/safe_file.h"
#include "core/sentence_store.h"

namespace vantrel {

// `s` with every run of two or more spaces replaced by one space.
std::u16string squeeze_spaces(std::u16string_view s);

// " " + decimal n + ". " + s.
std::u16string format_line(int n, std::u16string_view s);

// The whole file as UTF-16 text, CR LF after every line.
std::u16string numbered_text(const SentenceStore& store);

// What a save did: the system's error (and where a failed save left the old
// file and the new bytes when it could not put them back), or the file
// written with `replaced` characters as "?" (see code_page.h), the first in
// line (sentence) `first_sentence`, counted from 1; 0 when none was replaced.
struct Saved {
  std::error_code error;
  Stranded stranded;
  std::size_t replaced = 0;
  std::size_t first_sentence = 0;
};

// Writes the numbered file in `code_page` as the whole contents of `path`,
// through replace_file_contents (see safe_file.h): on failure the old file
// is normally left as it was.
// A process that limits file sizes must ignore SIGXFSZ to get EFBIG here.
Saved write_sentences(const std::filesystem::path& path,
                      const SentenceStore& store, const std::string& code_page);

}  // namespace vantrel

#endif  // VANTREL_CORE_NUMBERED_FILE_H_
