// Where Qt would open the window, the program opens it; a Wayland display
// without Qt's Wayland platform names the package to install. (The displays
// that do not answer are the no_display test's.)
#include "core/display_check.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(WhyNoWindow, OpensWhereQtWouldAndNamesWhatIsMissing) {
  const struct {
    Displays displays;
    std::string why;
  } rows[] = {
      // A terminal multiplexer can keep a dead WAYLAND_DISPLAY: Qt uses X.
      {{.x = ":1", .x_answers = true, .wayland = "wayland-1"}, ""},
      {{.x = "",
        .wayland = "w",
        .wayland_answers = true,
        .wayland_platform = true},
       ""},
      {{.x = "", .wayland = "w", .wayland_answers = true},
       "vantrel-article-converter: no display to show the window on (the "
       "Wayland display \"w\" answers, but Qt's Wayland platform is not "
       "installed; DISPLAY is not set): install the package qt6-wayland, or "
       "start the program where an X display is available"},
  };
  for (const auto& row : rows) EXPECT_EQ(why_no_window(row.displays), row.why);
}

}  // namespace
}  // namespace vantrel
