// Form1 offscreen, through the cases both windows pass (tests/window_cases.h)
// on the process's own clipboard; its save dialog is Qt's own, from home to
// the whole computer in its sidebar.
#include "window/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <utility>

#include "tests/test_files.h"
#include "window/wrapping_button.h"

namespace {

// A read that fails as X11's does: no text, once Qt has waited for the owner.
class UnansweredClipboard : public QMimeData {
  mutable bool asked_ = false;

 protected:
  QVariant retrieveData(const QString&, QMetaType) const override {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    EXPECT_TRUE(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    if (!std::exchange(asked_, true)) QThread::msleep(4600);
    return {};
  }
};

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    closer_.callOnTimeout([this] {
      if (auto* box =
              qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->windowTitle(), "Vantrel Article Converter");
        warnings_.push_back(box->text().toStdU16String());
        box->accept();
      }
    });
    closer_.start(10);
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  void TearDown() override {
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }

  WrappingButton* button(std::u16string_view caption) {
    for (auto* button : form_.findChildren<WrappingButton*>()) {
      if (button->text().toStdU16String() == caption) return button;
    }
    return nullptr;
  }
  void put(const std::u16string* text) {
    QMimeData* data = text ? new QMimeData : new UnansweredClipboard;
    if (text) data->setText(QString::fromStdU16String(*text));
    QGuiApplication::clipboard()->setMimeData(data);
  }
  void click(std::u16string_view caption) {
    QTest::mouseClick(button(caption), Qt::LeftButton);
  }
  bool enabled(std::u16string_view caption) {
    return button(caption)->isEnabled();
  }
  std::array<int, 4> place(std::u16string_view caption) {
    EXPECT_TRUE(button(caption)->caption_fits());
    const QRect place = button(caption)->geometry();
    return {place.left(), place.top(), place.width(), place.height()};
  }
  std::pair<int, int> client_size() { return {form_.width(), form_.height()}; }
  void resize() { form_.resize(400, 120); }
  std::string save_as(std::u16string_view name, bool accept = true) {
    CommonDialog::set_user_for_tests([&](QFileDialog& dialog) {
      EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog) &&
                  dialog.sidebarUrls().front() ==
                      QUrl::fromLocalFile(QDir::homePath()) &&
                  dialog.sidebarUrls().contains(QUrl("file:///tmp")) &&
                  dialog.sidebarUrls().back() == QUrl("file:") &&
                  dialog.findChild<QLineEdit*>("fileNameEdit")->text() == "" &&
                  dialog.nameFilters() == QStringList{"Text (*.txt)"} &&
                  dialog.testOption(QFileDialog::DontConfirmOverwrite) &&
                  dialog.defaultSuffix().isEmpty() &&
                  dialog.acceptMode() == QFileDialog::AcceptSave);
      dialog.selectFile(QString::fromStdU16String(dir_.file(name)));
      return accept ? QDialog::Accepted : QDialog::Rejected;
    });
    click(u"Save");
    return vantrel::testing::saved_bytes(dir_.file(name));
  }

  vantrel::testing::TempDir dir_;
  std::vector<std::u16string> warnings_;
  QTimer closer_;  // closes each message box once it shows
  Form1 form_;
};

#include "tests/window_cases.h"

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
