// Helpers for writing UTF-16 test texts readably and reading files back.
#ifndef VANTREL_TESTS_TEST_TEXT_H_
#define VANTREL_TESTS_TEST_TEXT_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace vantrel::testing {

// ASCII-only tests can be written as plain strings.
inline std::u16string u16(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_TEST_TEXT_H_
