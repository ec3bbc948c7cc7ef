// Looks at the displays the program was given, as Qt will when it starts:
// the X display named by -display NAME (or --display) or else DISPLAY, and
// the Wayland display in WAYLAND_SOCKET (a connected socket the compositor
// handed over) or WAYLAND_DISPLAY (or "wayland-0" in a Wayland session that
// names none).
#ifndef VANTREL_APP_DISPLAY_PROBE_H_
#define VANTREL_APP_DISPLAY_PROBE_H_

#include <string_view>

#include "core/display_check.h"

vantrel::Displays probe_displays(int argc, char** argv);

// The value of Qt's command-line option "-NAME VALUE" (or "--NAME VALUE"),
// as Qt reads it; nullptr when it is not given.
const char* qt_option(int argc, char** argv, std::string_view name);

#endif  // VANTREL_APP_DISPLAY_PROBE_H_
