// ClipboardReader over QClipboard. See clipboard_reader.h.
#include "window/clipboard_reader.h"

#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageLogContext>
#include <QtGlobal>

namespace {

// Qt's X11 clipboard gives up on an owner that stops answering after 5 s
// without a reply (and may ask it again), and then returns no text at all,
// never part of one. An empty clipboard, or one without text, answers at
// once: an empty text that took this long is a read that failed.
constexpr qint64 kClipboardGaveUpMs = 4500;

// Notes whether Qt warned while it lives (Qt's Wayland clipboard says so when
// it gives up on the owner); every message still reaches the handler before.
class QtWarningWatch {
 public:
  QtWarningWatch() {
    warned_ = false;
    previous_ = qInstallMessageHandler(&QtWarningWatch::note);
  }
  ~QtWarningWatch() { qInstallMessageHandler(previous_); }
  QtWarningWatch(const QtWarningWatch&) = delete;
  QtWarningWatch& operator=(const QtWarningWatch&) = delete;
  static bool warned() { return warned_; }

 private:
  static void note(QtMsgType type, const QMessageLogContext& context,
                   const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) warned_ = true;
    previous_(type, context, message);
  }
  static inline bool warned_ = false;
  static inline QtMessageHandler previous_ = nullptr;
};

// The busy cursor while it lives, on every way out of a read.
struct BusyCursor {
  BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

ClipboardReader::ClipboardReader(QObject* owner) {
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                   owner, [this] { unreadable_ = nullptr; });
}

std::optional<QString> ClipboardReader::read() {
  const BusyCursor busy;
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* contents = clipboard->mimeData(QClipboard::Clipboard);
  if (contents != nullptr && contents == unreadable_) return std::nullopt;

  QElapsedTimer clock;
  clock.start();
  const QtWarningWatch watch;
  QString text = clipboard->text(QClipboard::Clipboard);
  if (!text.isEmpty()) return text;
  if (QtWarningWatch::warned()) {
    unreadable_ = contents;
    return std::nullopt;
  }
  if (clock.elapsed() >= kClipboardGaveUpMs) return std::nullopt;
  return text;
}
