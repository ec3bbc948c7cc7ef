// Each display is asked for a connection, which is closed at once.
#include "app/display_probe.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/display_check.h"

namespace {

std::string environment(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? value : "";
}

// A full connection, authorisation included: what Qt's X platform needs.
bool x_answers(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

// A compositor listens on a socket, named relative to XDG_RUNTIME_DIR.
bool wayland_answers(const std::string& display) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = display.starts_with('/')
                               ? display
                               : environment("XDG_RUNTIME_DIR") + '/' + display;
  if (path.size() >= sizeof address.sun_path) return false;
  path.copy(address.sun_path, path.size());
  const int socket_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool answers =
      socket_fd >= 0 &&
      connect(socket_fd, reinterpret_cast<const sockaddr*>(&address),
              sizeof address) == 0;
  if (socket_fd >= 0) close(socket_fd);
  return answers;
}

// A socket the compositor connected for us, passed as a descriptor number.
bool wayland_socket_handed_over(const std::string& descriptor) {
  int fd = -1;
  const char* end = descriptor.data() + descriptor.size();
  if (descriptor.empty() ||
      std::from_chars(descriptor.data(), end, fd).ptr != end) {
    return false;
  }
  struct stat status = {};
  return fstat(fd, &status) == 0 && S_ISSOCK(status.st_mode);
}

bool wayland_platform_installed() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland-*")}, QDir::Files)
              .isEmpty();
}

}  // namespace

const char* qt_option(int argc, char** argv, std::string_view name) {
  for (int i = 1; i + 1 < argc; ++i) {
    std::string_view option = argv[i];
    if (option.starts_with("--")) option.remove_prefix(1);
    if (option.starts_with('-') && option.substr(1) == name) return argv[i + 1];
  }
  return nullptr;
}

vantrel::Displays probe_displays(int argc, char** argv) {
  vantrel::Displays displays;
  const char* option = qt_option(argc, argv, "display");
  displays.x = option != nullptr ? option : environment("DISPLAY");
  displays.x_answers = !displays.x.empty() && x_answers(displays.x);
  displays.wayland = environment("WAYLAND_DISPLAY");
  if (displays.wayland.empty() &&
      environment("XDG_SESSION_TYPE") == "wayland") {
    displays.wayland = "wayland-0";
  }
  const std::string handed_over = environment("WAYLAND_SOCKET");
  if (!handed_over.empty()) {
    displays.wayland = "WAYLAND_SOCKET=" + handed_over;
    displays.wayland_answers = wayland_socket_handed_over(handed_over);
  } else {
    displays.wayland_answers =
        !displays.wayland.empty() && wayland_answers(displays.wayland);
  }
  displays.wayland_platform =
      displays.wayland_answers && wayland_platform_installed();
  return displays;
}
