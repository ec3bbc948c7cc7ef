// Form1 offscreen: its layout, its handlers fed through the process's own
// clipboard, the save dialog as it is set up (answered in place of a user),
// the files written and the warnings shown.
#include "window/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "window/wrapping_button.h"

struct Step {
  QString button;
  QString clipboard;
};
using Steps = QList<Step>;
Q_DECLARE_METATYPE(Steps)

const QString kText = QStringLiteral("The cat sat. The dog ran.");
const QByteArray kTextFile = " 1. The cat sat.\r\n 2.  The dog ran.\r\n";

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void layout_data();
  void layout();
  void window();
  void handlers_data();
  void handlers();
  void dialog();
  void warnings();

 private:
  QPushButton* button(const QString& name) const {
    return form_->findChild<QPushButton*>(name);
  }
  // Puts `clipboard` on the clipboard (a null string empties it) and clicks.
  void click(const QString& name, const QString& clipboard);
  // Answers the next save dialogs with `name`, accepted or cancelled.
  void answer_dialogs(const QString& name, bool accept = true);
  QByteArray saved(const QString& name);  // saves, then reads the file

  std::unique_ptr<Form1> form_;
  std::unique_ptr<QTemporaryDir> folder_;
  QStringList opened_with_;  // the name each dialog opened with
  QStringList warnings_;     // each message box's title and text
  QTimer closer_;            // closes each message box once it shows
};

void Form1Test::init() {
  folder_ = std::make_unique<QTemporaryDir>();
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  opened_with_.clear();
  warnings_.clear();
  closer_.callOnTimeout(this, [this] {
    if (auto* box =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      QCOMPARE(box->icon(), QMessageBox::Warning);
      warnings_ << box->windowTitle() + QStringLiteral(": ") + box->text();
      box->accept();
    }
  });
  closer_.start(10);
}

void Form1Test::cleanup() {
  closer_.disconnect();
  form_.reset();
  CommonDialog::set_user_for_tests(nullptr);
}

void Form1Test::click(const QString& name, const QString& clipboard) {
  if (clipboard.isNull()) {
    QGuiApplication::clipboard()->clear();
  } else {
    QGuiApplication::clipboard()->setText(clipboard);
  }
  QTest::mouseClick(button(name), Qt::LeftButton);
}

void Form1Test::answer_dialogs(const QString& name, bool accept) {
  CommonDialog::set_user_for_tests([this, name, accept](QFileDialog& dialog) {
    opened_with_ << dialog.findChild<QLineEdit*>("fileNameEdit")->text();
    // One filter, no question before overwriting, no suffix added.
    const bool plain = dialog.nameFilters() == QStringList{"Text (*.txt)"} &&
                       dialog.testOption(QFileDialog::DontConfirmOverwrite) &&
                       dialog.defaultSuffix().isEmpty() &&
                       dialog.acceptMode() == QFileDialog::AcceptSave;
    if (!plain) opened_with_.last() += QStringLiteral("<not a plain dialog>");
    dialog.selectFile(folder_->filePath(name));
    return accept ? QDialog::Accepted : QDialog::Rejected;
  });
}

QByteArray Form1Test::saved(const QString& name) {
  answer_dialogs(name);
  QTest::mouseClick(button(QStringLiteral("cmd_save")), Qt::LeftButton);
  QFile file(folder_->filePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
}

void Form1Test::layout_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<bool>("enabled");
  QTest::newRow("cmd_load2")
      << "Get Clipboard Data" << QRect(16, 8, 81, 33) << true;
  QTest::newRow("cmd_add") << "Add More" << QRect(16, 48, 81, 33) << false;
  QTest::newRow("cmd_save") << "Save" << QRect(16, 88, 81, 33) << true;
}

void Form1Test::layout() {
  QFETCH(QString, caption);
  QFETCH(QRect, geometry);
  QFETCH(bool, enabled);
  auto* target = qobject_cast<WrappingButton*>(button(QTest::currentDataTag()));
  QVERIFY(target);
  QCOMPARE(target->text(), caption);
  QCOMPARE(target->geometry(), geometry);
  QCOMPARE(target->isEnabled(), enabled);
  QVERIFY(target->caption_fits());
  form_->resize(400, 120);  // resizing moves nothing
  QCOMPARE(target->geometry(), geometry);
}

void Form1Test::window() {
  QCOMPARE(form_->windowTitle(), QStringLiteral("Vantrel Article Converter"));
  QCOMPARE(form_->size(), QSize(813, 466));
  QCOMPARE(form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 3);
  QCOMPARE(QApplication::focusWidget(), button("cmd_load2"));
  QCOMPARE(button("cmd_load2")->nextInFocusChain(), button("cmd_add"));
  QCOMPARE(button("cmd_add")->nextInFocusChain(), button("cmd_save"));
}

void Form1Test::handlers_data() {
  QTest::addColumn<Steps>("steps");
  QTest::addColumn<QByteArray>("file");
  const QString get = QStringLiteral("cmd_load2");
  const QString add = QStringLiteral("cmd_add");
  QTest::newRow("save before any load") << Steps{} << QByteArray();
  QTest::newRow("Add More does nothing before a load")
      << Steps{{add, "A."}} << QByteArray();
  QTest::newRow("get") << Steps{{get, kText}} << kTextFile;
  QTest::newRow("get twice") << Steps{{get, kText}, {get, kText}} << kTextFile;
  QTest::newRow("get, then add the same")
      << Steps{{get, kText}, {add, kText}}
      << kTextFile + " 3. The cat sat.\r\n 4.  The dog ran.\r\n";
  QTest::newRow("a fresh list drops a longer one")
      << Steps{{get, "A. B. C."}, {get, "D."}} << QByteArray(" 1. D.\r\n");
  QTest::newRow("no text: an empty list, and Add More works")
      << Steps{{get, kText}, {get, QString()}, {add, "A."}}
      << QByteArray(" 1. A.\r\n");
  QTest::newRow("a lone surrogate")
      << Steps{{get, QStringLiteral(u"Lone \xD800 half.")}}
      << QByteArray(" 1. Lone ? half.\r\n");
}

void Form1Test::handlers() {
  QFETCH(Steps, steps);
  QFETCH(QByteArray, file);
  for (const Step& step : steps) click(step.button, step.clipboard);
  QCOMPARE(saved(QStringLiteral("out.txt")), file);
  QCOMPARE(saved(QStringLiteral("again.txt")), file);
  QCOMPARE(warnings_, QStringList());
}

void Form1Test::dialog() {
  click(QStringLiteral("cmd_load2"), kText);
  QFile old(folder_->filePath(QStringLiteral("old.txt")));
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write("an older, longer file\n");
  old.close();
  QCOMPARE(saved(QStringLiteral("old.txt")), kTextFile);
  QCOMPARE(saved(QStringLiteral("notes")), kTextFile);
  answer_dialogs(QStringLiteral("cancelled.txt"), false);
  QTest::mouseClick(button(QStringLiteral("cmd_save")), Qt::LeftButton);
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files),
           QStringList({"notes", "old.txt"}));
  QCOMPARE(opened_with_, QStringList({"", "", ""}));
}

void Form1Test::warnings() {
  QString text;
  for (int n = 1; n <= 1003; ++n) text += QStringLiteral("S%1. ").arg(n);
  click(QStringLiteral("cmd_load2"), text);
  QCOMPARE(saved(QStringLiteral("missing/a.txt")), QByteArray("<missing>"));
  const QByteArray full = saved(QStringLiteral("full.txt"));
  QVERIFY(full.endsWith(" 1000.  S1000.\r\n"));
  QCOMPARE(
      warnings_,
      QStringList(
          {"Vantrel Article Converter: The list is full: 1000 sentences are "
           "held. 3 more sentences from the clipboard were not added.",
           "Vantrel Article Converter: Could not save \"" +
               folder_->filePath("missing/a.txt") +
               "\": No such file or directory. The sentences are still "
               "held; save them under another name."}));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
