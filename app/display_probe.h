// Looks at the displays the program was given, as Qt will when it starts:
// the X display named by -display NAME (or --display) or else DISPLAY, and
// the Wayland display in WAYLAND_SOCKET (a connected socket the compositor
// handed over) or WAYLAND_DISPLAY (or "wayland-0" in a Wayland session that
// names none).
#ifndef VANTREL_APP_DISPLAY_PROBE_H_
#define VANTREL_APP_DISPLAY_PROBE_H_

#include "core/display_check.h"

vantrel::Displays probe_displays(int argc, char** argv);

// The X display that "-display NAME" (or "--display NAME") names, as Qt's X
// platform reads it; nullptr when there is none.
const char* display_option(int argc, char** argv);

#endif  // VANTREL_APP_DISPLAY_PROBE_H_
