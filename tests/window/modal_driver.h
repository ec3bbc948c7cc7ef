// Helpers for modal windows that the code under test opens and waits on (a
// file dialog's or a message box's exec()): the test itself is blocked until
// such a window closes, so timers act on it instead.
// - ModalDriver runs an action on the next modal window of a given class
//   once that window is active (keys sent earlier go astray), and rejects
//   that window if the action left it open past a time limit.
// - ModalGuard closes any modal window left open too long (an unexpected
//   question, or a dialog a driver failed to close) and lists it, so that a
//   faulty test fails instead of hanging.
#ifndef VANTREL_TESTS_WINDOW_MODAL_DRIVER_H_
#define VANTREL_TESTS_WINDOW_MODAL_DRIVER_H_

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

class QFileDialog;

class ModalDriver {
 public:
  using Action = std::function<void(QWidget*)>;

  // Starts polling at once; `class_name` is a Qt class such as
  // "QFileDialog" or "QMessageBox".
  ModalDriver(const char* class_name, Action action, int limit_ms = 5000);

  bool acted() const { return acted_; }

 private:
  void poll();

  const char* class_name_;
  Action action_;
  int limit_ms_;
  QTimer timer_;
  bool acted_ = false;
  QPointer<QWidget> acted_on_;
  QElapsedTimer since_action_;
};

class ModalGuard {
 public:
  explicit ModalGuard(int limit_ms = 5000);

  // "Class: title" of each modal window the guard had to close.
  QStringList closed() const { return closed_; }

 private:
  void poll();

  int limit_ms_;
  QTimer timer_;
  QPointer<QWidget> current_;
  QElapsedTimer open_for_;
  QStringList closed_;
};

// Types `name` into a file dialog's name field and presses Return, as a
// user does.
void type_name_and_accept(QFileDialog* dialog, const QString& name);

// Types `name` into a file dialog's name field and presses Escape.
void type_name_and_cancel(QFileDialog* dialog, const QString& name);

// The text in a file dialog's name field.
QString typed_name(QFileDialog* dialog);

#endif  // VANTREL_TESTS_WINDOW_MODAL_DRIVER_H_
