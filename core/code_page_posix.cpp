// POSIX: the environment locale's character set and iconv. See code_page.h.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>  // NOLINT(modernize-deprecated-headers): POSIX newlocale

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/code_page.h"

namespace vantrel {

namespace {

bool is_ascii(std::string_view name) {
  return name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII" ||
         name.empty();
}

// iconv_open reports failure as (iconv_t)-1.
bool is_open(iconv_t converter) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  return converter != reinterpret_cast<iconv_t>(-1);
}

bool is_high_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// `text` as code points, one wchar_t each; a lone surrogate keeps its value,
// which no code page converts, so it becomes "?" like any other refusal.
std::wstring to_code_points(std::u16string_view text) {
  static_assert(sizeof(wchar_t) == 4, "wchar_t must hold a code point");
  std::wstring code_points(text.size(), L'\0');
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code_point = text[i];
    if (i + 1 < text.size() && is_high_surrogate(text[i]) &&
        is_low_surrogate(text[i + 1])) {
      code_point = 0x10000 + ((code_point - 0xD800) << 10) +
                   (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      ++i;
    }
    code_points[count++] = static_cast<wchar_t>(code_point);
  }
  code_points.resize(count);
  return code_points;
}

// An output buffer that iconv writes into and that doubles when full.
class Output {
 public:
  explicit Output(std::size_t capacity) : bytes_(capacity, '\0') {}
  char** cursor() { return &cursor_; }
  std::size_t* room() { return &room_; }
  void grow() {
    const std::size_t used = bytes_.size() - room_;
    bytes_.resize(bytes_.size() * 2 + 16);
    cursor_ = bytes_.data() + used;
    room_ = bytes_.size() - used;
  }
  void put(char c) {
    if (room_ == 0) grow();
    *cursor_++ = c;
    --room_;
  }
  std::string take() && {
    bytes_.resize(bytes_.size() - room_);
    return std::move(bytes_);
  }

 private:
  std::string bytes_;
  char* cursor_ = bytes_.data();
  std::size_t room_ = bytes_.size();
};

}  // namespace

// The character set of the locale the environment names (LC_ALL, LC_CTYPE,
// LANG), not the process locale's: a toolkit may switch the process to a
// UTF-8 locale of its own. An unknown locale counts as C.
std::string system_code_page() {
  locale_t locale = newlocale(LC_CTYPE_MASK, "", nullptr);
  if (locale == nullptr) return "UTF-8";
  const std::string name = nl_langinfo_l(CODESET, locale);
  freelocale(locale);
  return is_ascii(name) ? "UTF-8" : name;
}

Encoded encode_to_code_page(std::u16string_view text,
                            const std::string& code_page) {
  // Converting from wchar_t (UCS-4) is a single iconv step for UTF-8 and the
  // 8-bit code pages. From UTF-16 it takes two, and then every character the
  // code page refuses makes iconv convert a whole buffer again.
  std::wstring code_points = to_code_points(text);
  iconv_t converter = iconv_open(code_page.c_str(), "WCHAR_T");
  if (!is_open(converter)) {
    converter = iconv_open("UTF-8", "WCHAR_T");
  }
  // Mostly one byte per character; the buffer doubles when that falls short.
  Output output(code_points.size() + 16);
  char* const start = reinterpret_cast<char*>(code_points.data());
  char* input = start;
  std::size_t input_left = code_points.size() * sizeof(wchar_t);
  std::size_t replaced = 0;
  std::size_t first = 0;  // in code points until the end
  while (input_left > 0) {
    if (iconv(converter, &input, &input_left, output.cursor(), output.room()) !=
        static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG) {
      output.grow();
      continue;
    }
    // EILSEQ: the character at `input` cannot be converted.
    if (replaced++ == 0) {
      first = static_cast<std::size_t>(input - start) / sizeof(wchar_t);
    }
    output.put('?');
    input += sizeof(wchar_t);
    input_left -= sizeof(wchar_t);
  }
  // Stateful code pages may need closing bytes.
  while (iconv(converter, nullptr, nullptr, output.cursor(), output.room()) ==
             static_cast<std::size_t>(-1) &&
         errno == E2BIG) {
    output.grow();
  }
  iconv_close(converter);
  // Each code point beyond U+FFFF before the first took two code units.
  const std::wstring_view before =
      std::wstring_view{code_points}.substr(0, first);
  first += static_cast<std::size_t>(std::count_if(
      before.begin(), before.end(), [](wchar_t c) { return c > 0xFFFF; }));
  return {
      .bytes = std::move(output).take(), .replaced = replaced, .first = first};
}

}  // namespace vantrel
