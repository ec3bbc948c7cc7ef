// ModalDriver, ModalGuard and the file dialog helpers. See modal_driver.h.
#include "modal_driver.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int kPollMs = 20;

QLineEdit* name_field(QFileDialog* dialog) {
  return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

}  // namespace

ModalDriver::ModalDriver(const char* class_name, Action action, int limit_ms)
    : class_name_(class_name), action_(std::move(action)), limit_ms_(limit_ms) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start(kPollMs);
}

void ModalDriver::poll() {
  if (acted_) {
    // Watch the window acted on until it closes.
    if (acted_on_ == nullptr || !acted_on_->isVisible()) {
      timer_.stop();
    } else if (since_action_.elapsed() > limit_ms_) {
      timer_.stop();
      if (auto* dialog = qobject_cast<QDialog*>(acted_on_.data())) {
        dialog->reject();
      }
    }
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->inherits(class_name_) ||
      !modal->isActiveWindow()) {
    return;
  }
  acted_ = true;
  acted_on_ = modal;
  since_action_.start();
  action_(modal);
}

ModalGuard::ModalGuard(int limit_ms) : limit_ms_(limit_ms) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start(kPollMs);
}

void ModalGuard::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != current_) {
    current_ = modal;
    open_for_.start();
    return;
  }
  if (modal == nullptr || open_for_.elapsed() < limit_ms_) return;
  closed_ << QStringLiteral("%1: %2").arg(
      QLatin1StringView(modal->metaObject()->className()),
      modal->windowTitle());
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

void type_name_and_accept(QFileDialog* dialog, const QString& name) {
  QLineEdit* field = name_field(dialog);
  QTest::keyClicks(field, name);
  QTest::keyClick(field, Qt::Key_Return);
}

void type_name_and_cancel(QFileDialog* dialog, const QString& name) {
  QLineEdit* field = name_field(dialog);
  QTest::keyClicks(field, name);
  QTest::keyClick(field, Qt::Key_Escape);
}

QString typed_name(QFileDialog* dialog) { return name_field(dialog)->text(); }
