// Whether the program can show its window, decided before the window system's
// library starts: that library ends the process (SIGABRT) when no platform it
// tries can connect. A window can open on an X display that answers, or on a
// Wayland display that answers when Qt's Wayland platform is installed.
#ifndef VANTREL_CORE_DISPLAY_CHECK_H_
#define VANTREL_CORE_DISPLAY_CHECK_H_

#include <string>

namespace vantrel {

// What the program found of the displays it was given.
struct Displays {
  std::string x;  // DISPLAY; empty when unset
  bool x_answers = false;
  std::string wayland;  // the Wayland display tried; empty when none is
  bool wayland_answers = false;
  bool wayland_platform = false;  // Qt's Wayland platform is installed
};

// Empty when the window can open. Otherwise the one line to print: what is
// missing, and what to do about it.
std::string why_no_window(const Displays& displays);

}  // namespace vantrel

#endif  // VANTREL_CORE_DISPLAY_CHECK_H_
