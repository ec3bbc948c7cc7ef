// Awkward clipboard text and unwritable files through Form1, in process on
// the offscreen platform, for what an X server cannot carry or a test from
// outside cannot read: lone surrogates (an X clipboard carries UTF-8 only),
// NUL characters, characters outside the basic plane, and the system's
// reason in the save message for a path through a regular file and for a
// file-size limit. Each text is loaded with "Get Clipboard Data" and saved
// through the real save dialog; the file's bytes are compared (UTF-8 locale;
// a lone surrogate is saved as "?").
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

#include "modal_driver.h"
#include "window/form1.h"

namespace {

QByteArray read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

// A text built from a literal's UTF-16 code units, lone surrogates and NULs
// included.
template <qsizetype N>
QString units(const char16_t (&literal)[N]) {
  return QString(reinterpret_cast<const QChar*>(literal), N - 1);
}

// Sets RLIMIT_FSIZE's soft limit for the test's process and restores it.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
};

}  // namespace

class ClipboardInputTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void saved_bytes_data();
  void saved_bytes();
  void save_failure_reason_data();
  void save_failure_reason();

 private:
  void load(const QString& clipboard);
  void save_as(const QString& path);

  std::unique_ptr<Form1> form_;
  std::unique_ptr<QTemporaryDir> folder_;
};

void ClipboardInputTest::initTestCase() {
  // As the program does: past a file-size limit, write() fails with EFBIG
  // instead of the process being killed.
  std::signal(SIGXFSZ, SIG_IGN);
}

void ClipboardInputTest::init() {
  folder_ = std::make_unique<QTemporaryDir>();
  QVERIFY(folder_->isValid());
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void ClipboardInputTest::cleanup() {
  form_.reset();
  folder_.reset();
}

void ClipboardInputTest::load(const QString& clipboard) {
  QGuiApplication::clipboard()->setText(clipboard);
  QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
  auto* button = form_->findChild<QPushButton*>(QStringLiteral("cmd_load2"));
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton);
}

void ClipboardInputTest::save_as(const QString& path) {
  ModalDriver driver("QFileDialog", [&path](QWidget* modal) {
    type_name_and_accept(static_cast<QFileDialog*>(modal), path);
  });
  auto* button = form_->findChild<QPushButton*>(QStringLiteral("cmd_save"));
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton);
  QVERIFY(driver.acted());
  QVERIFY(!driver.timed_out());
}

void ClipboardInputTest::saved_bytes_data() {
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<QByteArray>("file");

  // Lone surrogates: each one is a character the code page cannot hold.
  QTest::newRow("lone high surrogate")
      << units(u"High \xD800 alone. Next.")
      << QByteArray(" 1. High ? alone.\r\n 2.  Next.\r\n");
  QTest::newRow("lone low surrogate")
      << units(u"Low \xDC00 alone.") << QByteArray(" 1. Low ? alone.\r\n");
  QTest::newRow("pair in the wrong order")
      << units(u"Swapped \xDE00\xD83D.") << QByteArray(" 1. Swapped ??.\r\n");
  QTest::newRow("pair cut by a full stop")
      << units(u"\xD83D.\xDE00.") << QByteArray(" 1. ?.\r\n 2. ?.\r\n");
  QTest::newRow("high surrogate before the full stop")
      << units(u"End\xDBFF.") << QByteArray(" 1. End?.\r\n");
  QTest::newRow("lone surrogate in the dropped tail")
      << units(u"Kept. Tail \xD800") << QByteArray(" 1. Kept.\r\n");
  QTest::newRow("outside the basic plane")
      << QStringLiteral(u"Smile \U0001F600. Clef \U0001D11E.")
      << QByteArray(
             " 1. Smile \xF0\x9F\x98\x80.\r\n 2.  Clef \xF0\x9D\x84\x9E.\r\n");
  QTest::newRow("NUL characters")
      << units(u"A\0B. C\0\0D. \0.")
      << QByteArray(" 1. A\0B.\r\n 2.  C\0\0D.\r\n 3.  \0.\r\n", 31);
  QTest::newRow("only full stops")
      << QStringLiteral(".....")
      << QByteArray(" 1. .\r\n 2. .\r\n 3. .\r\n 4. .\r\n 5. .\r\n");
  QTest::newRow("CR alone and LF alone")
      << QStringLiteral("One.\rTwo.\nThree.\r\rFour.")
      << QByteArray(" 1. One.\r\n 2.  Two.\r\n 3.  Three.\r\n 4.  Four.\r\n");
  const QString long_sentence = QString(45'000, u'x');
  QTest::newRow("sentence of 45,000 characters")
      << long_sentence + ". Next."
      << " 1. " + long_sentence.toLatin1() + ".\r\n 2.  Next.\r\n";
}

void ClipboardInputTest::saved_bytes() {
  QFETCH(QString, clipboard);
  QFETCH(QByteArray, file);

  load(clipboard);
  const QString path = folder_->filePath(QStringLiteral("out.txt"));
  save_as(path);
  QCOMPARE(read_file(path), file);
}

void ClipboardInputTest::save_failure_reason_data() {
  QTest::addColumn<QString>("name");    // inside the test's folder
  QTest::addColumn<int>("size_limit");  // RLIMIT_FSIZE in bytes; 0: none
  QTest::addColumn<QString>("reason");

  QTest::newRow("path through a regular file")
      << "plain.txt/out.txt" << 0 << "Not a directory";
  QTest::newRow("file-size limit") << "big.txt" << 1024 << "File too large";
}

void ClipboardInputTest::save_failure_reason() {
  QFETCH(QString, name);
  QFETCH(int, size_limit);
  QFETCH(QString, reason);

  QFile plain(folder_->filePath(QStringLiteral("plain.txt")));
  QVERIFY(plain.open(QIODevice::WriteOnly));
  plain.close();
  // 60 sentences: about 1.6 KB saved, more than the limit.
  QStringList sentences;
  for (int n = 1; n <= 60; ++n) {
    sentences << QStringLiteral("Line %1 of the article.").arg(n);
  }
  load(sentences.join(u' '));

  const QString path = folder_->filePath(name);
  QString shown;
  {
    std::unique_ptr<FileSizeLimit> limit;
    if (size_limit > 0) limit = std::make_unique<FileSizeLimit>(size_limit);
    ModalDriver message("QMessageBox", [&shown](QWidget* modal) {
      auto* box = static_cast<QMessageBox*>(modal);
      shown = box->text();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    save_as(path);
    QVERIFY(message.acted());
  }
  QCOMPARE(shown, QStringLiteral("Could not save \"%1\": %2. The sentences are "
                                 "still held; save them under another name.")
                      .arg(path, reason));

  // The list is still held: a save to a good name writes every line.
  const QString good = folder_->filePath(QStringLiteral("good.txt"));
  save_as(good);
  const QByteArray saved = read_file(good);
  QCOMPARE(saved.count("\r\n"), 60);
  QVERIFY(saved.endsWith(" 60.  Line 60 of the article.\r\n"));
}

QTEST_MAIN(ClipboardInputTest)
#include "clipboard_input_test.moc"
