// When the window can open, and what the program says when it cannot (the
// Wayland case that opens is the Wayland session's).
#include "core/display_check.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(WhyNoWindow, OpensOnADisplayThatAnswersAndQtCanUse) {
  const std::string prefix =
      "vantrel-article-converter: no display to show the window on (";
  const struct {
    Displays displays;
    std::string why;  // after the prefix; empty: the window opens
  } rows[] = {
      {{.x = ":0", .x_answers = true, .wayland = "wayland-0"}, ""},
      {{.x = "", .wayland = "w", .wayland_answers = true},
       "the Wayland display \"w\" answers, but Qt's Wayland platform is not "
       "installed; DISPLAY is not set): install the package qt6-wayland, or "
       "start the program where an X display is available"},
      {{.x = ":9", .wayland = "/run/w", .wayland_platform = true},
       "the Wayland display \"/run/w\" does not answer; the X display \":9\" "
       "does not answer): start the program where an X or Wayland display is "
       "available"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(why_no_window(row.displays),
              row.why.empty() ? "" : prefix + row.why);
  }
}

}  // namespace
}  // namespace vantrel
