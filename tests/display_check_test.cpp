// A Wayland display without Qt's Wayland platform: Qt would abort there, so
// the program says what to install. (The X and the unanswered displays are
// the no_display and end-to-end tests'; the Wayland case that opens is the
// Wayland session's.)
#include "core/display_check.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(WhyNoWindow, NamesThePackageQtLacksForWayland) {
  EXPECT_EQ(
      why_no_window({.x = "", .wayland = "w", .wayland_answers = true}),
      "vantrel-article-converter: no display to show the window on (the "
      "Wayland display \"w\" answers, but Qt's Wayland platform is not "
      "installed; DISPLAY is not set): install the package qt6-wayland, or "
      "start the program where an X display is available");
}

}  // namespace
}  // namespace vantrel
