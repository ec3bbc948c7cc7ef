// Builds the window icon from the PNG renderings compiled in as Qt resources.
// PNGs rather than the SVG: QtGui reads PNG itself, while an SVG icon would
// need the separate Qt SVG plugins at run time and show nothing without them.
#include "data/program_icon.h"

#include <QString>

namespace vantrel {

QIcon program_icon() {
  QIcon icon;
  // Title bars and task switchers need no more than 64 pixels; the larger
  // renderings stay with the installed theme, since Qt decodes every image
  // added here at start and sends each one to the window system.
  for (const int size : {16, 24, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/%2.png")
                     .arg(size)
                     .arg(kDesktopId));
  }
  return icon;
}

}  // namespace vantrel
