// Form1 in process, on the offscreen platform: its layout, its handlers fed
// through the process's own clipboard, its save dialog driven as a user
// drives it, the files it writes (byte for byte) and its two warnings.
#include "window/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "modal_driver.h"
#include "window/wrapping_button.h"

namespace {

struct Step {
  QString button;     // objectName of the button clicked
  QString clipboard;  // text on the clipboard; a null string clears it
};
using Steps = QList<Step>;

constexpr char kText[] = "The cat sat. The dog ran.";
constexpr char kTextFile[] = " 1. The cat sat.\r\n 2.  The dog ran.\r\n";

void set_clipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (text.isNull()) {
    clipboard->clear();
  } else {
    clipboard->setText(text);
  }
}

// "Sentence 1. Sentence 2. ..." with `count` sentences.
QString numbered_sentences(int count) {
  QStringList sentences;
  for (int n = 1; n <= count; ++n)
    sentences << QStringLiteral("Sentence %1.").arg(n);
  return sentences.join(u' ');
}

// The file saved from numbered_sentences(count).
QByteArray numbered_sentences_file(int count) {
  QByteArray file;
  for (int n = 1; n <= count; ++n) {
    file += QByteArrayLiteral(" %1. %2Sentence %1.\r\n")
                .replace("%1", QByteArray::number(n))
                .replace("%2", n == 1 ? "" : " ");
  }
  return file;
}

QByteArray read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The number of bands of rows that hold caption ink in `button`'s picture:
// the lines its caption was drawn on.
int drawn_lines(WrappingButton* button) {
  const QImage picture = button->grab().toImage();
  const qreal ratio = picture.devicePixelRatio();
  // Inside the caption's room, clear of the button's frame.
  const QRect room = button->caption_rect().adjusted(2, 2, -2, -2);
  const QRect area(room.topLeft() * ratio, room.size() * ratio);
  int lines = 0;
  bool in_line = false;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    bool ink = false;
    for (int x = area.left(); x <= area.right() && !ink; ++x) {
      ink = qGray(picture.pixel(x, y)) < 215;  // text, enabled or greyed
    }
    if (ink && !in_line) ++lines;
    in_line = ink;
  }
  return lines;
}

// What a message box showed before the driver closed it.
struct Shown {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

ModalDriver close_message(Shown& shown) {
  return ModalDriver("QMessageBox", [&shown](QWidget* modal) {
    auto* box = static_cast<QMessageBox*>(modal);
    shown = {box->windowTitle(), box->text(), box->icon()};
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      box->reject();  // not the warning expected: a question
    }
  });
}

}  // namespace

Q_DECLARE_METATYPE(Steps)

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void layout_data();
  void layout();
  void window_frame();
  void focus_and_tab_order();
  void first_load_enables_add_more();
  void handlers_data();
  void handlers();
  void save_names_data();
  void save_names();
  void second_save_opens_empty();
  void cancel_leaves_existing_file();
  void full_list_data();
  void full_list();
  void save_failure_data();
  void save_failure();

 private:
  QPushButton* button(const char* name) const;
  void click(const QString& name) const;
  // Clicks "Save", types `path` into the dialog and confirms.
  void save_as(const QString& path) const;

  std::unique_ptr<ModalGuard> guard_;
  std::unique_ptr<Form1> form_;
  std::unique_ptr<QTemporaryDir> folder_;
};

void Form1Test::init() {
  guard_ = std::make_unique<ModalGuard>();
  folder_ = std::make_unique<QTemporaryDir>();
  QVERIFY(folder_->isValid());
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void Form1Test::cleanup() {
  form_.reset();
  folder_.reset();
  QVERIFY2(
      guard_->closed().isEmpty(),
      qPrintable(QStringLiteral("left open: ") + guard_->closed().join(u"; ")));
}

QPushButton* Form1Test::button(const char* name) const {
  return form_->findChild<QPushButton*>(QLatin1StringView(name));
}

void Form1Test::click(const QString& name) const {
  QTest::mouseClick(button(name.toLatin1().constData()), Qt::LeftButton);
}

void Form1Test::save_as(const QString& path) const {
  ModalDriver driver("QFileDialog", [&path](QWidget* modal) {
    type_name_and_accept(static_cast<QFileDialog*>(modal), path);
  });
  click(QStringLiteral("cmd_save"));
  QVERIFY(driver.acted());
}

void Form1Test::layout_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<bool>("enabled");
  QTest::addColumn<int>("lines");  // the caption is drawn on

  QTest::newRow("cmd_load2")
      << "Get Clipboard Data" << QRect(16, 8, 81, 33) << true << 2;
  QTest::newRow("cmd_add") << "Add More" << QRect(16, 48, 81, 33) << false << 1;
  QTest::newRow("cmd_save") << "Save" << QRect(16, 88, 81, 33) << true << 1;
}

void Form1Test::layout() {
  QFETCH(QString, caption);
  QFETCH(QRect, geometry);
  QFETCH(bool, enabled);
  QFETCH(int, lines);

  auto* target = qobject_cast<WrappingButton*>(button(QTest::currentDataTag()));
  QVERIFY(target);
  QCOMPARE(target->text(), caption);
  QCOMPARE(target->geometry(), geometry);
  QCOMPARE(target->isEnabled(), enabled);
  // Readable: the wrapped caption lies inside the button, in the system
  // font or the small one.
  QVERIFY(target->caption_fits());
  const int points = target->font().pointSize();
  QVERIFY2(points == QApplication::font().pointSize() || points == 8,
           qPrintable(QString::number(points)));
  QCOMPARE(drawn_lines(target), lines);

  form_->resize(400, 120);
  QCOMPARE(target->geometry(), geometry);
  form_->resize(1600, 1000);
  QCOMPARE(target->geometry(), geometry);
}

void Form1Test::window_frame() {
  QCOMPARE(form_->objectName(), QStringLiteral("Form1"));
  QCOMPARE(form_->windowTitle(), QStringLiteral("Vantrel Article Converter"));
  QCOMPARE(form_->size(), QSize(813, 466));
  // Nothing but the three buttons in the client area.
  const QList<QWidget*> children =
      form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  QCOMPARE(children.size(), 3);
  for (const QWidget* child : children) QVERIFY(child->inherits("QPushButton"));
  // All three buttons share one font, so the captions look alike.
  QCOMPARE(button("cmd_add")->font(), button("cmd_load2")->font());
  QCOMPARE(button("cmd_save")->font(), button("cmd_load2")->font());
}

void Form1Test::focus_and_tab_order() {
  QCOMPARE(QApplication::focusWidget(), button("cmd_load2"));
  QCOMPARE(button("cmd_load2")->nextInFocusChain(), button("cmd_add"));
  QCOMPARE(button("cmd_add")->nextInFocusChain(), button("cmd_save"));
  // The disabled "Add More" is passed over until the first load.
  QTest::keyClick(form_.get(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), button("cmd_save"));

  set_clipboard(kText);
  click(QStringLiteral("cmd_load2"));
  QCOMPARE(QApplication::focusWidget(), button("cmd_load2"));
  QTest::keyClick(form_.get(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), button("cmd_add"));
  QTest::keyClick(form_.get(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), button("cmd_save"));
}

void Form1Test::first_load_enables_add_more() {
  set_clipboard(kText);
  click(QStringLiteral("cmd_add"));  // disabled: nothing happens
  QCOMPARE(form_->sentences().next_index(), 0);

  set_clipboard(QString());  // even an empty clipboard enables it
  click(QStringLiteral("cmd_load2"));
  QCOMPARE(form_->sentences().next_index(), 1);
  QVERIFY(button("cmd_add")->isEnabled());
  QVERIFY(button("cmd_save")->isEnabled());
  QVERIFY(button("cmd_load2")->isEnabled());
}

void Form1Test::handlers_data() {
  QTest::addColumn<Steps>("steps");
  QTest::addColumn<QByteArray>("file");

  const QString get = QStringLiteral("cmd_load2");
  const QString add = QStringLiteral("cmd_add");
  const QByteArray text_file = kTextFile;

  QTest::newRow("save before any load") << Steps{} << QByteArray();
  QTest::newRow("get") << Steps{{get, kText}} << text_file;
  QTest::newRow("get twice, same text")
      << Steps{{get, kText}, {get, kText}} << text_file;
  QTest::newRow("get then add, same text")
      << Steps{{get, kText}, {add, kText}}
      << text_file + " 3. The cat sat.\r\n 4.  The dog ran.\r\n";
  QTest::newRow("add numbers on")
      << Steps{{get, "One."}, {add, "Two. Three."}}
      << QByteArray(" 1. One.\r\n 2. Two.\r\n 3.  Three.\r\n");
  QTest::newRow("fresh start drops a longer list")
      << Steps{{get, "A. B. C. D. E."}, {get, "F. G."}}
      << QByteArray(" 1. F.\r\n 2.  G.\r\n");
  QTest::newRow("empty clipboard empties the list")
      << Steps{{get, kText}, {get, QString()}} << QByteArray();
  QTest::newRow("empty clipboard adds nothing")
      << Steps{{get, kText}, {add, QString()}} << text_file;
  // An X clipboard carries UTF-8 only; lone surrogates can arrive here.
  QTest::newRow("lone surrogate and a pair")
      << Steps{{get, QStringLiteral(u"Lone \xD800 half. Pair \U0001F600.")}}
      << QByteArray(" 1. Lone ? half.\r\n 2.  Pair \xF0\x9F\x98\x80.\r\n");
  QTest::newRow("non-ASCII text in UTF-8")
      << Steps{{get, QStringLiteral(u"Café au lait. Ölfass Ω.")}}
      << QByteArray(
             " 1. Caf\xC3\xA9 au lait.\r\n 2.  \xC3\x96lfass \xCE\xA9.\r\n");
}

void Form1Test::handlers() {
  QFETCH(Steps, steps);
  QFETCH(QByteArray, file);

  for (const Step& step : steps) {
    set_clipboard(step.clipboard);
    click(step.button);
  }
  const QString path = folder_->filePath(QStringLiteral("out.txt"));
  save_as(path);
  QCOMPARE(read_file(path), file);
  // Saving never changes the list: a second save gives the same bytes.
  const QString again = folder_->filePath(QStringLiteral("again.txt"));
  save_as(again);
  QCOMPARE(read_file(again), file);
}

void Form1Test::save_names_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("before");  // null: the file does not exist

  QTest::newRow("typed without .txt") << "notes" << QByteArray();
  QTest::newRow("other suffix") << "notes.text" << QByteArray();
  QTest::newRow("spaces and non-ASCII")
      << QStringLiteral(u"Über sicht.txt") << QByteArray();
  QTest::newRow("existing file, longer")
      << "old.txt"
      << QByteArray("previous contents, longer than the new ones\n");
}

void Form1Test::save_names() {
  QFETCH(QString, name);
  QFETCH(QByteArray, before);

  const QString path = folder_->filePath(name);
  if (!before.isNull()) write_file(path, before);
  set_clipboard(kText);
  click(QStringLiteral("cmd_load2"));

  bool asked = false;  // an overwrite question would be a message box
  ModalDriver question("QMessageBox", [&asked](QWidget* modal) {
    asked = true;
    static_cast<QDialog*>(modal)->reject();
  });
  save_as(path);
  QVERIFY(!asked);
  QCOMPARE(read_file(path), QByteArray(kTextFile));
  // The name is used as typed: no suffix is added.
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{name});
}

void Form1Test::second_save_opens_empty() {
  set_clipboard(kText);
  click(QStringLiteral("cmd_load2"));
  save_as(folder_->filePath(QStringLiteral("first.txt")));

  QString name_at_open = QStringLiteral("<not seen>");
  QStringList filters;
  ModalDriver driver("QFileDialog", [&](QWidget* modal) {
    auto* dialog = static_cast<QFileDialog*>(modal);
    name_at_open = typed_name(dialog);
    filters = dialog->nameFilters();
    dialog->reject();
  });
  click(QStringLiteral("cmd_save"));
  QVERIFY(driver.acted());
  QCOMPARE(name_at_open, QString());
  QCOMPARE(filters, QStringList{QStringLiteral("Text (*.txt)")});
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files),
           QStringList{QStringLiteral("first.txt")});
}

void Form1Test::cancel_leaves_existing_file() {
  const QString path = folder_->filePath(QStringLiteral("keep.txt"));
  const QByteArray before = "keep these bytes\n";
  write_file(path, before);
  set_clipboard(kText);
  click(QStringLiteral("cmd_load2"));

  ModalDriver driver("QFileDialog", [&path](QWidget* modal) {
    type_name_and_cancel(static_cast<QFileDialog*>(modal), path);
  });
  click(QStringLiteral("cmd_save"));
  QVERIFY(driver.acted());
  QCOMPARE(read_file(path), before);
  QCOMPARE(QDir(folder_->path()).entryList(QDir::Files),
           QStringList{QStringLiteral("keep.txt")});
  QCOMPARE(form_->sentences().held().size(), 2u);
}

void Form1Test::full_list_data() {
  QTest::addColumn<int>("loaded");  // sentences on the clipboard at the load
  QTest::addColumn<int>("added");   // sentences on it at "Add More"; 0: none
  QTest::addColumn<QString>("message");

  const QString full =
      QStringLiteral("The list is full: 1000 sentences are held. ");
  QTest::newRow("1005 sentences")
      << 1005 << 0
      << full + "5 more sentences from the clipboard were not added.";
  QTest::newRow("1001 sentences")
      << 1001 << 0
      << full + "1 more sentence from the clipboard was not added.";
  QTest::newRow("Add More to a full list")
      << 1000 << 3
      << full + "3 more sentences from the clipboard were not added.";
}

void Form1Test::full_list() {
  QFETCH(int, loaded);
  QFETCH(int, added);
  QFETCH(QString, message);

  Shown shown;
  {
    ModalDriver driver = close_message(shown);
    set_clipboard(numbered_sentences(loaded));
    click(QStringLiteral("cmd_load2"));
    if (added > 0) {
      set_clipboard(numbered_sentences(added));
      click(QStringLiteral("cmd_add"));
    }
    QVERIFY(driver.acted());
  }
  QCOMPARE(shown.text, message);
  QCOMPARE(shown.title, QStringLiteral("Vantrel Article Converter"));
  QCOMPARE(shown.icon, QMessageBox::Warning);
  QCOMPARE(form_->sentences().held().size(), 1000u);

  const QString path = folder_->filePath(QStringLiteral("full.txt"));
  save_as(path);
  QCOMPARE(read_file(path), numbered_sentences_file(1000));
}

void Form1Test::save_failure_data() {
  QTest::addColumn<QString>("path");  // %1 stands for the test's folder
  QTest::addColumn<QString>("reason");

  QTest::newRow("missing folder") << "%1/missing/out.txt"
                                  << "No such file or directory";
  QTest::newRow("full device") << "/dev/full"
                               << "No space left on device";
}

void Form1Test::save_failure() {
  QFETCH(QString, path);
  QFETCH(QString, reason);
  path.replace(QStringLiteral("%1"), folder_->path());

  set_clipboard(kText);
  click(QStringLiteral("cmd_load2"));
  Shown shown;
  {
    ModalDriver driver = close_message(shown);
    save_as(path);
    QVERIFY(driver.acted());
  }
  QCOMPARE(shown.text,
           QStringLiteral("Could not save \"%1\": %2. The sentences "
                          "are still held; save them under another "
                          "name.")
               .arg(path, reason));
  QCOMPARE(shown.title, QStringLiteral("Vantrel Article Converter"));
  QCOMPARE(shown.icon, QMessageBox::Warning);

  const QString good = folder_->filePath(QStringLiteral("good.txt"));
  save_as(good);
  QCOMPARE(read_file(good), QByteArray(kTextFile));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
