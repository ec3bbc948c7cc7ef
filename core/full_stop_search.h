// find_full_stop finds the next "." in UTF-16 text. It is the scan that the
// sentence cutting spends its time in, so it compares eight code units at a
// time where the processor allows, and falls back to a plain loop elsewhere.
#ifndef VANTREL_CORE_FULL_STOP_SEARCH_H_
#define VANTREL_CORE_FULL_STOP_SEARCH_H_

#include <cstddef>
#include <string_view>

namespace vantrel {

// Index of the first u'.' at or after `from`, or std::u16string_view::npos.
std::size_t find_full_stop(std::u16string_view text, std::size_t from);

}  // namespace vantrel

#endif  // VANTREL_CORE_FULL_STOP_SEARCH_H_
