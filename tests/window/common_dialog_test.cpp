// CommonDialog over the real QFileDialog, on the offscreen platform: how the
// dialog is set up, the name it opens with, the name it gives back, and that
// a cancel keeps the name it had.
#include "window/common_dialog.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "modal_driver.h"

class CommonDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void setup_data();
  void setup();
  void cancel_keeps_name_data();
  void cancel_keeps_name();
  void confirm_gives_typed_path_data();
  void confirm_gives_typed_path();

 private:
  std::unique_ptr<ModalGuard> guard_;
  std::unique_ptr<QWidget> parent_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<CommonDialog> cdb1_;
};

void CommonDialogTest::init() {
  guard_ = std::make_unique<ModalGuard>();
  folder_ = std::make_unique<QTemporaryDir>();
  QVERIFY(folder_->isValid());
  parent_ = std::make_unique<QWidget>();
  parent_->show();
  QVERIFY(QTest::qWaitForWindowActive(parent_.get()));
  cdb1_ = std::make_unique<CommonDialog>(parent_.get());
}

void CommonDialogTest::cleanup() {
  cdb1_.reset();
  parent_.reset();
  folder_.reset();
  QVERIFY2(
      guard_->closed().isEmpty(),
      qPrintable(QStringLiteral("left open: ") + guard_->closed().join(u"; ")));
}

void CommonDialogTest::setup_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("name_filters");

  QTest::newRow("text files")
      << "Text (*.txt)|*.txt" << QStringList{"Text (*.txt)"};
  QTest::newRow("description without pattern")
      << "Text|*.txt" << QStringList{"Text (*.txt)"};
  QTest::newRow("two entries")
      << "Text (*.txt)|*.txt|All files|*.*"
      << QStringList{"Text (*.txt)", "All files (*.*)"};
  QTest::newRow("several patterns")
      << "Plain text|*.txt;*.text" << QStringList{"Plain text (*.txt *.text)"};
}

void CommonDialogTest::setup() {
  QFETCH(QString, filter);
  QFETCH(QStringList, name_filters);

  QFileDialog* seen = nullptr;
  QStringList shown_filters;
  QString selected_filter;
  QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
  QFileDialog::Options options;
  QString suffix = QStringLiteral("<not seen>");
  ModalDriver driver("QFileDialog", [&](QWidget* modal) {
    seen = static_cast<QFileDialog*>(modal);
    shown_filters = seen->nameFilters();
    selected_filter = seen->selectedNameFilter();
    mode = seen->acceptMode();
    options = seen->options();
    suffix = seen->defaultSuffix();
    seen->reject();
  });
  cdb1_->set_filter(filter);
  cdb1_->show_save();

  QVERIFY(driver.acted());
  QCOMPARE(shown_filters, name_filters);
  QCOMPARE(selected_filter, name_filters.first());
  QCOMPARE(mode, QFileDialog::AcceptSave);
  QVERIFY(options.testFlag(QFileDialog::DontConfirmOverwrite));
  // The desktop's own dialog is used where the platform has one.
  QVERIFY(!options.testFlag(QFileDialog::DontUseNativeDialog));
  QCOMPARE(suffix, QString());
}

void CommonDialogTest::cancel_keeps_name_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("typed");  // typed before cancelling

  QTest::newRow("empty") << ""
                         << "";
  QTest::newRow("empty, a name typed") << ""
                                       << "typed.txt";
  QTest::newRow("set") << "draft.txt"
                       << "";
  QTest::newRow("set, another name typed") << "draft.txt"
                                           << "-other";
}

void CommonDialogTest::cancel_keeps_name() {
  QFETCH(QString, name);
  QFETCH(QString, typed);

  QString name_at_open = QStringLiteral("<not seen>");
  ModalDriver driver("QFileDialog", [&](QWidget* modal) {
    auto* dialog = static_cast<QFileDialog*>(modal);
    name_at_open = typed_name(dialog);
    type_name_and_cancel(dialog, typed);
  });
  cdb1_->set_file_name(name);
  cdb1_->show_save();

  QVERIFY(driver.acted());
  QCOMPARE(name_at_open, name);
  QCOMPARE(cdb1_->file_name(), name);
}

void CommonDialogTest::confirm_gives_typed_path_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("exists");

  QTest::newRow("with .txt") << "notes.txt" << false;
  QTest::newRow("without .txt") << "notes" << false;
  QTest::newRow("existing file") << "notes.txt" << true;
}

void CommonDialogTest::confirm_gives_typed_path() {
  QFETCH(QString, typed);
  QFETCH(bool, exists);

  const QString path = folder_->filePath(typed);
  if (exists) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  ModalDriver driver("QFileDialog", [&path](QWidget* modal) {
    type_name_and_accept(static_cast<QFileDialog*>(modal), path);
  });
  cdb1_->set_filter(QStringLiteral("Text (*.txt)|*.txt"));
  cdb1_->show_save();

  QVERIFY(driver.acted());
  QCOMPARE(cdb1_->file_name(), path);
}

QTEST_MAIN(CommonDialogTest)
#include "common_dialog_test.moc"
