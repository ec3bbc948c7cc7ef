// Program start: shows the converter window and runs the event loop until it
// is closed. Without a display to show the window on, it says so on one line
// and exits with 1, before Qt would abort for want of one. A platform chosen
// with QT_QPA_PLATFORM or -platform is left to Qt. Qt sets the process locale
// from the environment (or to C.UTF-8 where that is not UTF-8, from Qt 6.8);
// the saved file's code page is read from the environment itself
// (core/code_page.h).
#include <signal.h>  // NOLINT(modernize-deprecated-headers): POSIX SIGXFSZ, SIGPIPE

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/display_probe.h"
#include "app/program_icon.h"
#include "core/display_check.h"
#include "core/messages.h"
#include "window/form1.h"
#include "window/qt_text.h"

namespace {

bool platform_chosen(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return true;
  return qt_option(argc, argv, "platform") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file-size limit, or a pipe whose reader went away, then fails the save
  // with an error instead of ending the program and losing the held sentences.
  signal(SIGXFSZ, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);

  if (!platform_chosen(argc, argv)) {
    const std::string why = vantrel::why_no_window(probe_displays(argc, argv));
    if (!why.empty()) {
      std::fprintf(stderr, "%s\n", why.c_str());
      return EXIT_FAILURE;
    }
  }

  // Qt's X platform reads -display, a desktop's platform theme (GTK's) only
  // DISPLAY: both must open the same display.
  if (const char* display = qt_option(argc, argv, "display")) {
    setenv("DISPLAY", display, 1);
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
