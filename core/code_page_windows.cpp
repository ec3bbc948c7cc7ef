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

bool is_pair(std::u16string_view text, std::size_t i) {
  return i + 1 < text.size() && is_high_surrogate(text[i]) &&
         is_low_surrogate(text[i + 1]);
}

// Counts the character at `offset` in the text as written as "?".
void count_replaced(Encoded& encoded, std::size_t offset) {
  if (encoded.replaced++ == 0) encoded.first = offset;
}

// `text` with each lone surrogate replaced by "?", counted in `encoded`.
// Windows would write U+FFFD for it in UTF-8; POSIX writes "?". Outside UTF-8
// a character beyond U+FFFF (a surrogate pair) also becomes one "?": no ANSI
// code page holds one, and Windows could give one "?" per code unit.
std::u16string without_surrogates(std::u16string_view text, bool keep_pairs,
                                  Encoded& encoded) {
  std::u16string clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = is_pair(text, i);
    if (pair && keep_pairs) {
      clean.append(text.substr(i++, 2));
    } else if (pair) {
      count_replaced(encoded, i++);
      clean.push_back(u'?');
    } else if (is_high_surrogate(text[i]) || is_low_surrogate(text[i])) {
      count_replaced(encoded, i);
      clean.push_back(u'?');
    } else {
      clean.push_back(text[i]);
    }
  }
  return clean;
}

// Appends `chunk` converted to `code_page`; false if the system refused.
// Sets `used_default` when a character became the default character "?".
bool append_converted(std::wstring_view chunk, UINT code_page,
                      std::string& bytes, BOOL& used_default) {
  if (chunk.empty()) return true;
  // UTF-8 takes neither flags nor a default character: Windows refuses them.
  const bool utf8 = code_page == kUtf8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* default_char = utf8 ? nullptr : "?";
  BOOL used = FALSE;
  const int length = static_cast<int>(chunk.size());
  const int size = WideCharToMultiByte(code_page, flags, chunk.data(), length,
                                       nullptr, 0, default_char, nullptr);
  if (size <= 0) return false;
  const std::size_t start = bytes.size();
  bytes.resize(start + static_cast<std::size_t>(size));
  const bool whole =
      WideCharToMultiByte(code_page, flags, chunk.data(), length,
                          bytes.data() + start, size, default_char,
                          utf8 ? nullptr : &used) == size;
  used_default = used_default || used;
  return whole;
}

// Converts `text` (no lone surrogates) in chunks, so that lengths fit an int
// and no surrogate pair is cut in two.
bool convert(std::u16string_view text, UINT code_page, std::string& bytes,
             BOOL& used_default) {
  constexpr std::size_t kChunk = 1 << 20;
  const std::wstring_view wide(reinterpret_cast<const wchar_t*>(text.data()),
                               text.size());
  std::size_t start = 0;
  while (start < wide.size()) {
    std::size_t end = std::min(wide.size(), start + kChunk);
    if (end < wide.size() && is_high_surrogate(text[end - 1])) --end;
    if (!append_converted(wide.substr(start, end - start), code_page, bytes,
                          used_default)) {
      return false;
    }
    start = end;
  }
  return true;
}

// Counts afresh every character `encoded.bytes` holds as a "?" that stands
// for another: WideCharToMultiByte says only whether there was one. Each
// character of `text` took one or two bytes (a lead byte says two); each
// lone surrogate and each pair took one "?" (see without_surrogates).
void count_replaced_in_bytes(std::u16string_view text, UINT code_page,
                             Encoded& encoded) {
  encoded.replaced = 0;
  std::size_t at = 0;
  for (std::size_t i = 0; i < text.size() && at < encoded.bytes.size(); ++i) {
    const std::size_t offset = i;
    if (is_pair(text, i)) ++i;
    const char byte = encoded.bytes[at];
    if (byte == '?' && text[offset] != u'?') count_replaced(encoded, offset);
    at += IsDBCSLeadByteEx(code_page, static_cast<BYTE>(byte)) ? 2 : 1;
  }
}

}  // namespace

std::string system_code_page() {
  const UINT ansi = GetACP();
  return ansi == kUtf8 ? "UTF-8" : "CP" + std::to_string(ansi);
}

Encoded encode_to_code_page(std::u16string_view text,
                            const std::string& code_page) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  const UINT number = code_page_number(code_page);
  Encoded encoded;
  const std::u16string clean =
      without_surrogates(text, number == kUtf8, encoded);
  encoded.bytes.reserve(clean.size());
  BOOL used_default = FALSE;
  // A code page that refuses the flags or the default character (the few
  // stateful ones) is treated like an unknown one.
  if (convert(clean, number, encoded.bytes, used_default)) {
    if (used_default) count_replaced_in_bytes(text, number, encoded);
    return encoded;
  }
  encoded = {};
  convert(without_surrogates(text, true, encoded), kUtf8, encoded.bytes,
          used_default);
  return encoded;
}

}  // namespace vantrel
