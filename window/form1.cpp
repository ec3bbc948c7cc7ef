// Form1: the layout, the three command handlers, the clipboard read and the
// warnings. See form1.h.
#include "window/form1.h"

#include <QFile>
#include <QMessageBox>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/code_page.h"
#include "core/messages.h"
#include "core/numbered_file.h"
#include "core/window_layout.h"
#include "window/qt_text.h"
#include "window/wrapping_button.h"

namespace {

QString caption() { return to_qstring(vantrel::kProgramTitle); }

// The point size the captions take when the system font cannot wrap them
// inside their buttons.
constexpr int kSmallCaptionPointSize = 8;

WrappingButton* make_button(const vantrel::layout::Button& place,
                            const char* name, QWidget* parent) {
  auto* button = new WrappingButton(to_qstring(place.caption), parent);
  button->setObjectName(QLatin1StringView(name));
  button->setGeometry(place.left, place.top, place.width, place.height);
  return button;
}

std::filesystem::path to_path(const QString& file_name) {
  const QByteArray bytes = QFile::encodeName(file_name);
  return std::string(bytes.constData(), bytes.size());
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      cmd_load2(make_button(vantrel::layout::kLoad, "cmd_load2", this)),
      cmd_add(make_button(vantrel::layout::kAdd, "cmd_add", this)),
      cmd_save(make_button(vantrel::layout::kSave, "cmd_save", this)),
      cdb1(this),
      clipboard(this) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(caption());
  resize(vantrel::layout::kClientWidth, vantrel::layout::kClientHeight);
  fit_captions();

  setTabOrder(cmd_load2, cmd_add);
  setTabOrder(cmd_add, cmd_save);
  cmd_load2->setFocus();
  cmd_add->setEnabled(false);

  connect(cmd_load2, &QPushButton::clicked, this, &Form1::cmd_load2_Click);
  connect(cmd_add, &QPushButton::clicked, this, &Form1::cmd_add_Click);
  connect(cmd_save, &QPushButton::clicked, this, &Form1::cmd_save_Click);
  Form_Load();
}

void Form1::Form_Load() { store.initialise(); }

void Form1::cmd_load2_Click() {
  if (!load_data(vantrel::ListStart::kFresh)) return;
  cmd_save->setEnabled(true);
  cmd_add->setEnabled(true);
}

void Form1::cmd_add_Click() { load_data(vantrel::ListStart::kAppend); }

void Form1::cmd_save_Click() {
  cdb1.set_file_name(QString());
  cdb1.set_filter(to_qstring(vantrel::layout::kSaveFilter));
  cdb1.show_save();
  const QString file_name = cdb1.file_name();
  if (file_name.isEmpty()) return;

  const std::string code_page = vantrel::system_code_page();
  const vantrel::Saved saved =
      vantrel::write_sentences(to_path(file_name), store, code_page);
  const QString reason = QString::fromLocal8Bit(saved.error.message().c_str());
  const std::u16string warning = vantrel::save_warning(
      to_u16(file_name), saved, code_page, to_u16(reason));
  if (!warning.empty()) warn(warning);
}

bool Form1::load_data(vantrel::ListStart start) {
  const std::optional<QString> text = clipboard.read();
  // The text is cut where it lies; only the sentences are copied.
  const std::u16string warning = vantrel::load_clipboard_text(
      store, text ? std::optional(to_u16(*text)) : std::nullopt, start);
  if (!warning.empty()) warn(warning);
  return text.has_value();
}

void Form1::warn(std::u16string_view text) {
  QMessageBox::warning(this, caption(), to_qstring(text));
}

// Each caption wraps inside its button. Where the system font is too large
// for the longest caption to fit on the lines a button has room for, every
// button takes a smaller font, so that no caption is ever clipped.
void Form1::fit_captions() {
  const std::array buttons{cmd_load2, cmd_add, cmd_save};
  bool all_fit = true;
  for (const WrappingButton* button : buttons) {
    all_fit = all_fit && button->caption_fits();
  }
  if (all_fit) return;
  QFont small = font();
  small.setPointSize(kSmallCaptionPointSize);
  for (WrappingButton* button : buttons) button->setFont(small);
}
