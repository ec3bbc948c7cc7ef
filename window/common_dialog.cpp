// CommonDialog over QFileDialog. See common_dialog.h.
#include "window/common_dialog.h"

#include <QFileDialog>
#include <QStringList>
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
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = name_filters(filter_);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!file_name_.isEmpty()) dialog.selectFile(file_name_);

  const int result =
      user_for_tests() ? user_for_tests()(dialog) : dialog.exec();
  if (result != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (!chosen.isEmpty()) file_name_ = chosen.first();
}
