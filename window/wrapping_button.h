// WrappingButton is a push button whose caption wraps onto several lines
// inside the button, centred, where it is wider than the button; a plain
// QPushButton would clip it. text() stays the exact caption. The style draws
// the bevel and the focus frame as for any push button; only the caption is
// laid out here.
#ifndef VANTREL_WINDOW_WRAPPING_BUTTON_H_
#define VANTREL_WINDOW_WRAPPING_BUTTON_H_

#include <QPushButton>
#include <QRect>

class WrappingButton : public QPushButton {
  Q_OBJECT

 public:
  explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

  // The rectangle the caption is laid out in: the style's button contents.
  QRect caption_rect() const;

  // True when the wrapped caption, in the button's current font and size,
  // lies wholly inside caption_rect().
  bool caption_fits() const;

  static constexpr int kCaptionFlags =
      Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

#endif  // VANTREL_WINDOW_WRAPPING_BUTTON_H_
