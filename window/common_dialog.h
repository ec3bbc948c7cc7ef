// CommonDialog is the window's save dialog, set up the way a classic common
// dialog is: a file name that is shown when the dialog opens and holds the
// chosen path afterwards, and a filter of "description|pattern" pairs. The
// dialog is modal, asks nothing before an existing file is chosen and adds
// no suffix to a typed name; a typed folder opens that folder. It is Qt's own
// dialog on every desktop, with the desktop's usual places in its sidebar.
// Cancelling leaves the file name as it was and reports nothing.
#ifndef VANTREL_WINDOW_COMMON_DIALOG_H_
#define VANTREL_WINDOW_COMMON_DIALOG_H_

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

class CommonDialog {
 public:
  // The dialog opens over `parent`.
  explicit CommonDialog(QWidget* parent) : parent_(parent) {}

  void set_file_name(const QString& file_name) { file_name_ = file_name; }
  QString file_name() const { return file_name_; }

  // `filter` is "description|pattern|description|pattern..."; a pattern may
  // list several globs separated by ";" ("*.txt;*.text").
  void set_filter(const QString& filter) { filter_ = filter; }
  QString filter() const { return filter_; }

  // Shows the dialog for saving and waits until the user confirms or
  // cancels. On confirm file_name() is the chosen path.
  void show_save();

  // Tests stand in for the user: while set, `user` is given the dialog, set
  // up but not shown, in place of QDialog::exec(), and returns its result.
  static void set_user_for_tests(std::function<int(QFileDialog&)> user);

 private:
  QWidget* parent_;
  QString file_name_;
  QString filter_;
};

#endif  // VANTREL_WINDOW_COMMON_DIALOG_H_
