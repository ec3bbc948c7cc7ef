// ClipboardReader reads the clipboard's plain text for the window and tells a
// clipboard that could not be read from an empty one, on X and on Wayland
// alike. Qt answers both with an empty text:
// - X: Qt waits about 5 s for an owner that does not answer, then gives up
//   without a word. An empty text that took that long was not read.
// - Wayland: Qt waits 1 s for each piece of the text, then warns that the
//   read failed; it keeps that empty result for the offer and never asks the
//   owner again. An empty text read with a warning from Qt, or from an offer
//   that failed before, was not read.
// An owner that offers an empty text answers at once and without a warning:
// that is an empty clipboard. The busy cursor shows for the whole read.
#ifndef VANTREL_WINDOW_CLIPBOARD_READER_H_
#define VANTREL_WINDOW_CLIPBOARD_READER_H_

#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class ClipboardReader {
 public:
  // Lives as long as `owner`, which must outlive it.
  explicit ClipboardReader(QObject* owner);

  // The clipboard's text; nullopt when it could not be read.
  std::optional<QString> read();

 private:
  // The clipboard's contents whose text Qt failed to read, until the
  // clipboard changes (X keeps one object for every other program's text).
  QPointer<const QMimeData> unreadable_;
};

#endif  // VANTREL_WINDOW_CLIPBOARD_READER_H_
