#include "core/full_stop_search.h"

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

#if defined(__SSE2__)
// Bit mask with two bits set per code unit of `block` equal to ".".
int full_stop_mask(const char16_t* block) {
  const __m128i dots = _mm_set1_epi16(u'.');
  const __m128i units =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(units, dots));
}
#endif

}  // namespace

std::size_t find_full_stop(std::u16string_view text, std::size_t from) {
  const char16_t* data = text.data();
  const std::size_t size = text.size();
  std::size_t i = from;
#if defined(__SSE2__)
  // Two blocks per round keep the loads ahead of the branch.
  for (; i + 16 <= size; i += 16) {
    const int low = full_stop_mask(data + i);
    const int high = full_stop_mask(data + i + 8);
    if ((low | high) == 0) continue;
    if (low != 0) return i + static_cast<std::size_t>(__builtin_ctz(low)) / 2;
    return i + 8 + static_cast<std::size_t>(__builtin_ctz(high)) / 2;
  }
  for (; i + 8 <= size; i += 8) {
    const int mask = full_stop_mask(data + i);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
  }
#endif
  for (; i < size; ++i) {
    if (data[i] == u'.') return i;
  }
  return std::u16string_view::npos;
}

}  // namespace vantrel
