// Form1 is the converter's only window. It owns the sentence store for its
// whole life. "Get Clipboard Data" starts a fresh list from the clipboard's
// text, "Add More" appends the clipboard's sentences to the list, and "Save"
// writes the list as a numbered text file under a name chosen in the save
// dialog. The buttons keep their places when the window is resized. The
// window speaks only when the list overflows, the clipboard cannot be read,
// a save fails or a save wrote characters as "?"; the held sentences are kept
// in each case.
#ifndef VANTREL_WINDOW_FORM1_H_
#define VANTREL_WINDOW_FORM1_H_

#include <QWidget>
#include <string_view>

#include "core/messages.h"
#include "core/sentence_store.h"
#include "window/clipboard_reader.h"
#include "window/common_dialog.h"

class WrappingButton;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // The held sentences, read-only.
  const vantrel::SentenceStore& sentences() const { return store; }

 private slots:
  void cmd_load2_Click();
  void cmd_add_Click();
  void cmd_save_Click();

 private:
  void Form_Load();
  // Reads the clipboard's plain text and loads it into the list as `start`
  // says, warning when the list is full. Returns false, with the list left
  // as it was, when the clipboard could not be read.
  bool load_data(vantrel::ListStart start);
  void warn(std::u16string_view text);
  void fit_captions();

  vantrel::SentenceStore store;
  WrappingButton* cmd_load2;
  WrappingButton* cmd_add;
  WrappingButton* cmd_save;
  CommonDialog cdb1;
  ClipboardReader clipboard;
};

#endif  // VANTREL_WINDOW_FORM1_H_
