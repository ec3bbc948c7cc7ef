// Builds the window icon from every PNG rendering compiled in as a Qt
// resource (app/CMakeLists.txt chooses the sizes).
// PNGs rather than the SVG: QtGui reads PNG itself, while an SVG icon would
// need the separate Qt SVG plugins at run time and show nothing without them.
#include "app/program_icon.h"

#include <QDirIterator>
#include <QString>

namespace vantrel {

QIcon program_icon() {
  QIcon icon;
  QDirIterator renderings(QStringLiteral(":/icons/hicolor"),
                          {QStringLiteral("*.png")}, QDir::Files,
                          QDirIterator::Subdirectories);
  while (renderings.hasNext()) icon.addFile(renderings.next());
  return icon;
}

}  // namespace vantrel
