#include "core/display_check.h"

#include <string>

namespace vantrel {

namespace {

std::string quoted(const std::string& name) { return '"' + name + '"'; }

}  // namespace

std::string why_no_window(const Displays& displays) {
  const bool wayland_usable =
      displays.wayland_answers && displays.wayland_platform;
  if (displays.x_answers || wayland_usable) return {};

  std::string line =
      "vantrel-article-converter: no display to show the window on (";
  if (displays.x.empty() && displays.wayland.empty()) {
    return line + "neither DISPLAY nor WAYLAND_DISPLAY is set)";
  }
  if (displays.wayland.empty()) {
    line += "WAYLAND_DISPLAY is not set";
  } else if (!displays.wayland_answers) {
    line +=
        "the Wayland display " + quoted(displays.wayland) + " does not answer";
  } else {
    line += "the Wayland display " + quoted(displays.wayland) +
            " answers, but Qt's Wayland platform is not installed";
  }
  line += displays.x.empty()
              ? "; DISPLAY is not set"
              : "; the X display " + quoted(displays.x) + " does not answer";
  if (displays.wayland_answers) {
    return line +
           "): install the package qt6-wayland, or start the program where "
           "an X display is available";
  }
  return line +
         "): start the program where an X or Wayland display is available";
}

}  // namespace vantrel
