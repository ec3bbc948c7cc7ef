// Fuzz target: UTF-16LE text cut into a fresh list gives what the plain rules
// give, or the input is kept.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/plain_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // The exact length, so that a read past the text lands outside it.
  std::vector<char16_t> units(size / 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  if (!vantrel::testing::cut_by_plain_rules({units.data(), units.size()})) {
    std::abort();
  }
  return 0;
}
