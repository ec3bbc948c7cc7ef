// Program start: shows the converter window and runs the event loop until it
// is closed. Without a display to show the window on, it says so on one line
// and exits with 1. Qt sets the process locale from the environment (or to
// C.UTF-8 where that is not UTF-8, from Qt 6.8); the saved file's code page
// is read from the environment itself (core/code_page.h).
#include <signal.h>  // NOLINT(modernize-deprecated-headers): POSIX SIGXFSZ

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/program_icon.h"
#include "core/messages.h"
#include "window/form1.h"
#include "window/qt_text.h"

namespace {

bool is_set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// True when Qt has somewhere to show the window: an X or Wayland display, or
// a platform chosen by QT_QPA_PLATFORM or a -platform argument.
bool has_display(int argc, char** argv) {
  if (is_set("DISPLAY") || is_set("WAYLAND_DISPLAY") ||
      is_set("QT_QPA_PLATFORM")) {
    return true;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 ||
        std::strcmp(argv[i], "--platform") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file-size limit then fails the save with an error instead of ending
  // the program and losing the held sentences.
  signal(SIGXFSZ, SIG_IGN);

  if (!has_display(argc, argv)) {
    std::fputs(
        "vantrel-article-converter: no display to show the window on "
        "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
        stderr);
    return EXIT_FAILURE;
  }

  QApplication app(argc, argv);
  const QString title = to_qstring(vantrel::kProgramTitle);
  QApplication::setApplicationName(title);
  QApplication::setApplicationDisplayName(title);
  QApplication::setApplicationVersion(
      QString::fromLatin1(vantrel::kProgramVersion));
  // Ties the window to its launcher and icon on the desktop.
  QApplication::setDesktopFileName(vantrel::kDesktopId);
  QApplication::setWindowIcon(vantrel::program_icon());

  Form1 window;
  window.show();
  return QApplication::exec();
}
