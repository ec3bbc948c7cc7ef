// What the converter's window shows, the same on every system: the client
// area's size and each button's caption and place, in pixels at 96 dpi (the
// front ends scale them for the screen), and the save dialog's filter as
// "description|pattern" pairs.
#ifndef VANTREL_CORE_WINDOW_LAYOUT_H_
#define VANTREL_CORE_WINDOW_LAYOUT_H_

#include <string_view>

namespace vantrel::layout {

inline constexpr int kClientWidth = 813;
inline constexpr int kClientHeight = 466;

struct Button {
  // A literal, so data() is also a NUL-terminated string.
  std::u16string_view caption;
  int left, top, width, height;
};

// In tab order.
inline constexpr Button kLoad{u"Get Clipboard Data", 16, 8, 81, 33};
inline constexpr Button kAdd{u"Add More", 16, 48, 81, 33};
inline constexpr Button kSave{u"Save", 16, 88, 81, 33};

inline constexpr std::u16string_view kSaveFilter = u"Text (*.txt)|*.txt";

}  // namespace vantrel::layout

#endif  // VANTREL_CORE_WINDOW_LAYOUT_H_
