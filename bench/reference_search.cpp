#include "bench/reference_search.h"

#if !defined(__x86_64__)
#error "The reference searches are written for x86-64."
#endif

#include <immintrin.h>

namespace vantrel::bench {

namespace {

// The rest of a search that the vector loop left, one unit at a time.
std::size_t find_in_tail(std::u16string_view text, std::size_t i) {
  for (; i < text.size(); ++i) {
    if (text[i] == u'.') return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

std::size_t sse2_find_full_stop(std::u16string_view text) {
  const __m128i dots = _mm_set1_epi16(u'.');
  const char16_t* data = text.data();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const __m128i units =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, dots));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
  }
  return find_in_tail(text, i);
}

std::size_t sse2_count_full_stops(std::u16string_view text) {
  const __m128i dots = _mm_set1_epi16(u'.');
  const char16_t* data = text.data();
  std::size_t count = 0;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const __m128i units =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, dots));
    count += static_cast<std::size_t>(__builtin_popcount(mask)) / 2;
  }
  for (; i < text.size(); ++i) count += text[i] == u'.' ? 1 : 0;
  return count;
}

__attribute__((target("avx2"))) std::size_t avx2_find_full_stop(
    std::u16string_view text) {
  const __m256i dots = _mm256_set1_epi16(u'.');
  const char16_t* data = text.data();
  std::size_t i = 0;
  for (; i + 16 <= text.size(); i += 16) {
    const __m256i units =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    const unsigned mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi16(units, dots)));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
  }
  return find_in_tail(text, i);
}

bool has_avx2() { return __builtin_cpu_supports("avx2"); }

}  // namespace vantrel::bench
