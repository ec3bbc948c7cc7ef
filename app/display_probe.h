// Looks at the displays the environment names, as Qt will when it starts:
// the X display in DISPLAY, and the Wayland display in WAYLAND_DISPLAY (or
// "wayland-0" in a Wayland session that names none).
#ifndef VANTREL_APP_DISPLAY_PROBE_H_
#define VANTREL_APP_DISPLAY_PROBE_H_

#include "core/display_check.h"

vantrel::Displays probe_displays();

#endif  // VANTREL_APP_DISPLAY_PROBE_H_
