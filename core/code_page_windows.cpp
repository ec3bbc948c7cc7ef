// Windows: the ANSI code page and WideCharToMultiByte. See code_page.h.
#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/code_page.h"

namespace vantrel {

namespace {

constexpr UINT kUtf8 = CP_UTF8;

bool is_high_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// "UTF-8" or "CPnnnn" as a code page number the system knows; UTF-8 for
// anything else.
UINT code_page_number(std::string_view name) {
  unsigned number = 0;
  if (name.starts_with("CP") &&
      std::from_chars(name.data() + 2, name.data() + name.size(), number).ptr ==
          name.data() + name.size() &&
      IsValidCodePage(number)) {
    return number;
  }
  return kUtf8;
}

// `text` with each lone surrogate replaced by "?". Windows would write
// U+FFFD for it in UTF-8; POSIX writes "?". Outside UTF-8 a character beyond
// U+FFFF (a surrogate pair) also becomes one "?": no ANSI code page holds one,
// and Windows could give one "?" per code unit.
std::u16string without_surrogates(std::u16string_view text, bool keep_pairs) {
  std::u16string clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = i + 1 < text.size() && is_high_surrogate(text[i]) &&
                      is_low_surrogate(text[i + 1]);
    if (pair && keep_pairs) {
      clean.append(text.substr(i++, 2));
    } else if (pair) {
      clean.push_back(u'?');
      ++i;
    } else if (is_high_surrogate(text[i]) || is_low_surrogate(text[i])) {
      clean.push_back(u'?');
    } else {
      clean.push_back(text[i]);
    }
  }
  return clean;
}

// Appends `chunk` converted to `code_page`; false if the system refused.
bool append_converted(std::wstring_view chunk, UINT code_page,
                      std::string& bytes) {
  if (chunk.empty()) return true;
  // UTF-8 takes neither flags nor a default character: Windows refuses them.
  const bool utf8 = code_page == kUtf8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* default_char = utf8 ? nullptr : "?";
  const int length = static_cast<int>(chunk.size());
  const int size = WideCharToMultiByte(code_page, flags, chunk.data(), length,
                                       nullptr, 0, default_char, nullptr);
  if (size <= 0) return false;
  const std::size_t start = bytes.size();
  bytes.resize(start + static_cast<std::size_t>(size));
  return WideCharToMultiByte(code_page, flags, chunk.data(), length,
                             bytes.data() + start, size, default_char,
                             nullptr) == size;
}

// Converts `text` (no lone surrogates) in chunks, so that lengths fit an int
// and no surrogate pair is cut in two.
bool convert(std::u16string_view text, UINT code_page, std::string& bytes) {
  constexpr std::size_t kChunk = 1 << 20;
  const std::wstring_view wide(reinterpret_cast<const wchar_t*>(text.data()),
                               text.size());
  std::size_t start = 0;
  while (start < wide.size()) {
    std::size_t end = std::min(wide.size(), start + kChunk);
    if (end < wide.size() && is_high_surrogate(text[end - 1])) --end;
    if (!append_converted(wide.substr(start, end - start), code_page, bytes)) {
      return false;
    }
    start = end;
  }
  return true;
}

}  // namespace

std::string system_code_page() {
  const UINT ansi = GetACP();
  return ansi == kUtf8 ? "UTF-8" : "CP" + std::to_string(ansi);
}

std::string encode_to_code_page(std::u16string_view text,
                                const std::string& code_page) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  const UINT number = code_page_number(code_page);
  const std::u16string clean = without_surrogates(text, number == kUtf8);
  std::string bytes;
  bytes.reserve(clean.size());
  // A code page that refuses the flags or the default character (the few
  // stateful ones) is treated like an unknown one.
  if (convert(clean, number, bytes)) return bytes;
  bytes.clear();
  convert(without_surrogates(text, true), kUtf8, bytes);
  return bytes;
}

}  // namespace vantrel
