#include "core/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <bit>
#include <cerrno>
#include <string_view>

namespace vantrel {

namespace {

constexpr const char* kUtf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

bool is_ascii(std::string_view name) {
  return name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII" ||
         name.empty();
}

bool is_high_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Code units taken by the character at the start of `rest`: 2 for a
// surrogate pair, else 1.
std::size_t character_units(std::u16string_view rest) {
  if (rest.size() >= 2 && is_high_surrogate(rest[0]) &&
      is_low_surrogate(rest[1])) {
    return 2;
  }
  return 1;
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

std::string system_code_page() {
  const std::string name = nl_langinfo(CODESET);
  return is_ascii(name) ? "UTF-8" : name;
}

std::string encode_to_code_page(std::u16string_view text,
                                const std::string& code_page) {
  iconv_t converter = iconv_open(code_page.c_str(), kUtf16);
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    converter = iconv_open("UTF-8", kUtf16);
  }
  // Three bytes per code unit is enough for UTF-8 and all 8-bit code pages.
  Output output(text.size() * 3 + 16);
  // iconv's interface is not const-correct; it only reads the input.
  char* input = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  std::size_t input_left = text.size() * sizeof(char16_t);
  while (input_left > 0) {
    if (iconv(converter, &input, &input_left, output.cursor(), output.room()) !=
        static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG) {
      output.grow();
      continue;
    }
    // EILSEQ or EINVAL: the character at `input` cannot be converted.
    const std::u16string_view rest(reinterpret_cast<const char16_t*>(input),
                                   input_left / sizeof(char16_t));
    const std::size_t skipped = character_units(rest) * sizeof(char16_t);
    output.put('?');
    input += skipped;
    input_left -= skipped;
  }
  // Stateful code pages may need closing bytes.
  while (iconv(converter, nullptr, nullptr, output.cursor(), output.room()) ==
             static_cast<std::size_t>(-1) &&
         errno == E2BIG) {
    output.grow();
  }
  iconv_close(converter);
  return std::move(output).take();
}

}  // namespace vantrel
