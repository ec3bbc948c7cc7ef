#include "core/numbered_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "core/code_page.h"

namespace vantrel {

namespace {

std::error_code last_system_error() { return {errno, std::system_category()}; }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

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

std::error_code write_sentences(const std::filesystem::path& path,
                                const SentenceStore& store,
                                const std::string& code_page) {
  const std::string bytes =
      encode_to_code_page(numbered_text(store), code_page);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return last_system_error();
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    return last_system_error();
  }
  if (std::fclose(file.release()) != 0) return last_system_error();
  return {};
}

}  // namespace vantrel
