// The yardsticks for the cutting's scan: the plainest SIMD search for "." in
// UTF-16 text, one vector of code units per step and nothing else. The SSE2
// version uses the same instruction set as the core's search; the AVX2
// version shows what wider vectors would give on a processor that has them.
#ifndef VANTREL_BENCH_REFERENCE_SEARCH_H_
#define VANTREL_BENCH_REFERENCE_SEARCH_H_

#include <cstddef>
#include <string_view>

namespace vantrel::bench {

// Index of the first u'.' in `text`, or std::u16string_view::npos; 8 code
// units per step (SSE2).
std::size_t sse2_find_full_stop(std::u16string_view text);

// How many u'.' `text` holds, 8 code units per step (SSE2) with no branch
// per full stop: the least work any cutting at full stops must do.
std::size_t sse2_count_full_stops(std::u16string_view text);

// The same with 16 code units per step (AVX2). Call it only when
// has_avx2() is true.
std::size_t avx2_find_full_stop(std::u16string_view text);
bool has_avx2();

}  // namespace vantrel::bench

#endif  // VANTREL_BENCH_REFERENCE_SEARCH_H_
