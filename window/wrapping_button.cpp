// WrappingButton: the style draws the button, the caption is wrapped here.
// See wrapping_button.h.
#include "window/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

QRect WrappingButton::caption_rect() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

bool WrappingButton::caption_fits() const {
  const QRect room = caption_rect();
  const QRect needed = fontMetrics().boundingRect(room, kCaptionFlags, text());
  return needed.width() <= room.width() && needed.height() <= room.height();
}

void WrappingButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;

  // The style draws the button without its caption: bevel, state, focus.
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  QRect room = caption_rect();
  if (isDown() || isChecked()) {
    room.translate(
        style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
        style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  // option.palette is in the Disabled colour group when the button is.
  painter.drawItemText(room, kCaptionFlags, option.palette, isEnabled(),
                       caption, QPalette::ButtonText);
}
