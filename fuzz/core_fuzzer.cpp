// Fuzz target: UTF-16 text (the host's byte order) cut as the plain rules cut.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/plain_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // The exact length, so that a read past the text lands outside it.
  std::vector<char16_t> units(size / 2);
  std::copy_n(data, units.size() * 2,
              reinterpret_cast<std::uint8_t*>(units.data()));
  const std::u16string_view text(units.data(), units.size());
  if (!std::ranges::equal(vantrel::testing::fresh_list(text).held(),
                          vantrel::testing::plain_rules(text))) {
    std::abort();
  }
  return 0;
}
