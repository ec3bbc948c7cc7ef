// Test helpers: a temporary folder removed afterwards, and a file's bytes.
#ifndef VANTREL_TESTS_TEST_FILES_H_
#define VANTREL_TESTS_TEST_FILES_H_

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace vantrel::testing {

struct TempDir {
  TempDir() { std::filesystem::create_directory(path); }
  ~TempDir() {
    std::error_code ignored;  // a destructor that throws ends the tests
    std::filesystem::remove_all(path, ignored);
  }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("vantrel-test-" + std::to_string(std::random_device()()));
  std::u16string file(std::u16string_view name) const {
    return (path / std::filesystem::path(name)).u16string();
  }
};

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

// What a save left: the file's bytes, or "<missing>" when there is none.
inline std::string saved_bytes(const std::filesystem::path& path) {
  return std::filesystem::is_regular_file(path) ? read_bytes(path)
                                                : "<missing>";
}

}  // namespace vantrel::testing

#endif  // VANTREL_TESTS_TEST_FILES_H_
