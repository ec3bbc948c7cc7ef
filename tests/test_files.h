// Test helpers: a temporary folder that is removed afterwards, and a file's
// bytes.
#ifndef VANTREL_TESTS_TEST_FILES_H_
#define VANTREL_TESTS_TEST_FILES_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace vantrel::testing {

struct TempDir {
  TempDir()
      : path(std::filesystem::temp_directory_path() /
             ("vantrel-test-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directory(path);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_TEST_FILES_H_
