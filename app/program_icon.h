// The program's identity on the desktop: the id shared by the launcher, the
// icon and the AppStream metadata, and the window icon compiled into the
// program from the same artwork the launcher uses.
#ifndef VANTREL_APP_PROGRAM_ICON_H
#define VANTREL_APP_PROGRAM_ICON_H

#include <QIcon>
#include <QLatin1String>

namespace vantrel {

// Names the installed .desktop file (without ".desktop") and the themed icon.
inline constexpr QLatin1String kDesktopId{"org.vantrel.ArticleConverter"};

// The application icon in each size compiled in, for
// QApplication::setWindowIcon.
QIcon program_icon();

}  // namespace vantrel

#endif  // VANTREL_APP_PROGRAM_ICON_H
