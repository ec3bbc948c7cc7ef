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
inline constexpr Button kLoad{.caption = u"Get Clipboard Data",
                              .left = 16,
                              .top = 8,
                              .width = 81,
                              .height = 33};
inline constexpr Button kAdd{
    .caption = u"Add More", .left = 16, .top = 48, .width = 81, .height = 33};
inline constexpr Button kSave{
    .caption = u"Save", .left = 16, .top = 88, .width = 81, .height = 33};

inline constexpr std::u16string_view kSaveFilter = u"Text (*.txt)|*.txt";

}  // namespace vantrel::layout

#endif  // VANTREL_CORE_WINDOW_LAYOUT_H_
