// CommonDialog over QFileDialog. See common_dialog.h.
#include "window/common_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <utility>

namespace {

// A "description|pattern|..." filter as QFileDialog name filters:
// "Text (*.txt)|*.txt" gives "Text (*.txt)", "Text|*.txt" gives the same.
QStringList name_filters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
    // QFileDialog reads the patterns from the parentheses that close a name
    // filter; a description that already ends with them is used as it is.
    const QString shown_patterns = u'(' + patterns + u')';
    filters << (description.endsWith(shown_patterns)
                    ? description
                    : description + u' ' + shown_patterns);
  }
  return filters;
}

// The folders the desktop's dialogs offer in their sidebar: home, desktop,
// documents, then the file manager's bookmarks (GTK's list, which GNOME, Xfce
// and others keep), then the whole file system. A place that does not exist
// is left out.
QList<QUrl> sidebar_places() {
  QList<QUrl> places;
  const auto add = [&places](const QUrl& place) {
    if (place.isLocalFile() && QDir(place.toLocalFile()).exists() &&
        !places.contains(place)) {
      places << place;
    }
  };
  for (const auto location :
       {QStandardPaths::HomeLocation, QStandardPaths::DesktopLocation,
        QStandardPaths::DocumentsLocation}) {
    add(QUrl::fromLocalFile(QStandardPaths::writableLocation(location)));
  }
  // Each line is a URL, then optionally a space and the place's label.
  QFile bookmarks(
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
      QStringLiteral("/gtk-3.0/bookmarks"));
  if (bookmarks.open(QIODevice::ReadOnly | QIODevice::Text)) {
    while (!bookmarks.atEnd()) {
      const QString line = QString::fromUtf8(bookmarks.readLine()).trimmed();
      add(QUrl(line.section(u' ', 0, 0)));
    }
  }
  places << QUrl(QStringLiteral("file:"));  // the computer: its drives, "/"
  return places;
}

std::function<int(QFileDialog&)>& user_for_tests() {
  static std::function<int(QFileDialog&)> user;
  return user;
}

}  // namespace

void CommonDialog::set_user_for_tests(std::function<int(QFileDialog&)> user) {
  user_for_tests() = std::move(user);
}

void CommonDialog::show_save() {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog on every desktop: a desktop's dialog may add a suffix to
  // the typed name, ask before overwriting, or fill in a file's name when a
  // folder is typed and so overwrite that file unasked.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setSidebarUrls(sidebar_places());
  const QStringList filters = name_filters(filter_);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!file_name_.isEmpty()) dialog.selectFile(file_name_);

  const int result =
      user_for_tests() ? user_for_tests()(dialog) : dialog.exec();
  if (result != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (!chosen.isEmpty()) file_name_ = chosen.first();
}
