#include "core/numbered_file.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/code_page.h"
#include "core/safe_file.h"
#include "core/sentence_store.h"

namespace vantrel {

std::u16string squeeze_spaces(std::u16string_view s) {
  std::u16string squeezed;
  squeezed.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u' ' && i > 0 && s[i - 1] == u' ') continue;
    squeezed.push_back(s[i]);
  }
  return squeezed;
}

std::u16string format_line(int n, std::u16string_view s) {
  const std::string digits = std::to_string(n);
  std::u16string line;
  line.reserve(digits.size() + s.size() + 3);
  line.push_back(u' ');
  line.append(digits.begin(), digits.end());
  line.append(u". ");
  line.append(s);
  return line;
}

std::u16string numbered_text(const SentenceStore& store) {
  std::u16string text;
  int n = 0;
  for (const std::u16string& sentence : store.held()) {
    text += format_line(++n, squeeze_spaces(sentence));
    text += u"\r\n";
  }
  return text;
}

Saved write_sentences(const std::filesystem::path& path,
                      const SentenceStore& store,
                      const std::string& code_page) {
  const std::u16string text = numbered_text(store);
  const Encoded encoded = encode_to_code_page(text, code_page);
  Saved saved;
  saved.error = replace_file_contents(path, encoded.bytes, &saved.stranded);
  saved.replaced = encoded.replaced;
  if (encoded.replaced > 0) {
    // A sentence holds no line break: its CR and LF became spaces.
    const std::u16string_view before =
        std::u16string_view{text}.substr(0, encoded.first);
    saved.first_sentence = 1 + static_cast<std::size_t>(std::count(
                                   before.begin(), before.end(), u'\n'));
  }
  return saved;
}

}  // namespace vantrel
