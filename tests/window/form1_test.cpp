// Form1 offscreen: its layout, its handlers on the process's own clipboard,
// the save dialog's set-up, the files and the warnings.
#include "window/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>
#include <tuple>
#include <utility>

#include "window/wrapping_button.h"

using Steps = QList<QStringList>;  // a button's name, then the clipboard's text
Q_DECLARE_METATYPE(Steps)

const QString kGet = QStringLiteral("cmd_load2");
const QString kAdd = QStringLiteral("cmd_add");
const QString kText = QStringLiteral("The cat sat. The dog ran.");

// A read that fails as X11's does: no text, once Qt has waited for the owner.
class UnansweredClipboard : public QMimeData {
  mutable bool asked_ = false;

 protected:
  QVariant retrieveData(const QString&, QMetaType) const override {
    if (!std::exchange(asked_, true)) QThread::msleep(4600);
    return {};
  }
};

class Form1Test : public QObject {
  Q_OBJECT

  std::unique_ptr<Form1> form_;
  std::unique_ptr<QTemporaryDir> folder_;
  QTemporaryDir home_;     // with a Documents folder and GTK's bookmarks
  QList<QUrl> places_;     // the sidebar that home gives
  int plain_dialogs_ = 0;  // save dialogs opened as they should be
  QStringList warnings_;   // each message box's title and text
  QTimer closer_;          // closes each message box once it shows

  QPushButton* button(const QString& name) const {
    return form_->findChild<QPushButton*>(name);
  }
  void click(const QString& name) {
    QTest::mouseClick(button(name), Qt::LeftButton);
  }
  // Puts `text` on the clipboard (a null text: one whose read fails), clicks.
  void load(const QString& name, const QString& text) {
    QMimeData* data = text.isNull() ? new UnansweredClipboard : new QMimeData;
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
    click(name);
  }
  // Saves as `name` (or types it and cancels) and returns the file's bytes.
  QByteArray saved(const QString& name, bool accept = true) {
    CommonDialog::set_user_for_tests([this, name, accept](QFileDialog& dialog) {
      // Qt's own, with the sidebar; an empty name, one filter, no question
      // before overwriting, no suffix.
      plain_dialogs_ +=
          dialog.testOption(QFileDialog::DontUseNativeDialog) &&
          dialog.sidebarUrls() == places_ &&
          dialog.findChild<QLineEdit*>("fileNameEdit")->text().isEmpty() &&
          dialog.nameFilters() == QStringList{"Text (*.txt)"} &&
          dialog.testOption(QFileDialog::DontConfirmOverwrite) &&
          dialog.defaultSuffix().isEmpty() &&
          dialog.acceptMode() == QFileDialog::AcceptSave;
      dialog.selectFile(folder_->filePath(name));
      return accept ? QDialog::Accepted : QDialog::Rejected;
    });
    click(QStringLiteral("cmd_save"));
    QFile file(folder_->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    plain_dialogs_ = 0;
    warnings_.clear();
  }

  void initTestCase() {
    const QString home = home_.path();
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
    QVERIFY(QDir(home).mkpath("config/gtk-3.0") && QDir(home).mkpath("a b") &&
            QDir(home).mkpath("Documents"));
    QFile bookmarks(home + "/config/gtk-3.0/bookmarks");
    QVERIFY(bookmarks.open(QIODevice::WriteOnly));
    bookmarks.write("file://" + QUrl::toPercentEncoding(home, "/") +
                    "/a%20b Label\nsftp://host/x\nfile:///nonexistent\n");
    bookmarks.close();
    places_ = {QUrl::fromLocalFile(home),
               QUrl::fromLocalFile(home + "/Documents"),
               QUrl::fromLocalFile(home + "/a b"), QUrl("file:")};
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

  void window() {
    QCOMPARE(form_->size(), QSize(813, 466));
    QCOMPARE(QApplication::focusWidget(), button(kGet));
    QCOMPARE(button(kGet)->nextInFocusChain(), button(kAdd));
    QCOMPARE(button(kAdd)->nextInFocusChain(), button("cmd_save"));
    form_->resize(400, 120);  // resizing moves nothing
    const std::tuple<const char*, const char*, QRect, bool> buttons[] = {
        {"cmd_load2", "Get Clipboard Data", {16, 8, 81, 33}, true},
        {"cmd_add", "Add More", {16, 48, 81, 33}, false},
        {"cmd_save", "Save", {16, 88, 81, 33}, true}};
    for (const auto& [name, caption, geometry, enabled] : buttons) {
      auto* target = qobject_cast<WrappingButton*>(button(name));
      QVERIFY(target && target->caption_fits());
      QCOMPARE(target->text(), caption);
      QCOMPARE(target->geometry(), geometry);
      QCOMPARE(target->isEnabled(), enabled);
    }
  }

  void handlers_data() {
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("save before any load") << Steps{} << QByteArray();
    QTest::newRow("a fresh list drops a longer one")
        << Steps{{kGet, "A. B. C."}, {kGet, "D."}} << QByteArray(" 1. D.\r\n");
    QTest::newRow("no text: an empty list, and Add More works")
        << Steps{{kGet, kText}, {kGet, ""}, {kAdd, "A."}}
        << QByteArray(" 1. A.\r\n");
  }

  void handlers() {
    QFETCH(Steps, steps);
    QFETCH(QByteArray, file);
    for (const QStringList& step : steps) load(step[0], step[1]);
    QCOMPARE(saved(QStringLiteral("out.txt")), file);
    QCOMPARE(warnings_, QStringList());
  }

  // In ISO-8859-1 (CMakeLists.txt). A failed read leaves the list and buttons
  // as they were; a typed name gets no suffix, a cancelled one writes nothing.
  void saves_and_warnings() {
    load(kGet, QString());
    QVERIFY(!button(kAdd)->isEnabled());
    load(kGet, QStringLiteral("Why? Ok. \u0101 \u221e."));
    load(kGet, QString());  // the list held is kept
    QCOMPARE(saved(QStringLiteral("missing/a.txt")), QByteArray("<missing>"));
    QCOMPARE(saved(QStringLiteral("a.txt")), " 1. Why? Ok.\r\n 2.  ? ?.\r\n");
    QString text;
    for (int n = 1; n <= 1003; ++n) text += QStringLiteral("S%1. ").arg(n);
    load(kGet, text);
    load(kAdd, QStringLiteral("One more."));
    QVERIFY(saved(QStringLiteral("full")).endsWith(" 1000.  S1000.\r\n"));
    QCOMPARE(saved(QStringLiteral("cancelled.txt"), false), "<missing>");
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files),
             QStringList({"a.txt", "full"}));
    QCOMPARE(plain_dialogs_, 4);
    const QString title = QStringLiteral("Vantrel Article Converter: ");
    const QString unread = title +
                           "The clipboard's text could not be read: the "
                           "program that holds it did not answer. The list "
                           "was left as it was.";
    QCOMPARE(
        warnings_,
        QStringList(
            {unread, unread,
             title + "Could not save \"" + folder_->filePath("missing/a.txt") +
                 "\": No such file or directory. The sentences are "
                 "still held; save them under another name.",
             title + "Saved \"" + folder_->filePath("a.txt") +
                 "\", but 2 characters could not be written in ISO-8859-1 and "
                 "were saved as \"?\" (the first in sentence 2). Start the "
                 "program in a UTF-8 locale to keep every character.",
             title + "The list is full: 1000 sentences are held. 3 more "
                     "sentences from the clipboard were not added.",
             title + "The list is full: 1000 sentences are held. 1 more "
                     "sentence from the clipboard was not added."}));
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
