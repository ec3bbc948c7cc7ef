// Conversions between Qt's strings and the core's UTF-16 text: both hold
// UTF-16 code units, so a view of a QString needs no copy.
#ifndef VANTREL_WINDOW_QT_TEXT_H_
#define VANTREL_WINDOW_QT_TEXT_H_

#include <QString>
#include <string_view>

inline QString to_qstring(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A view of `text`'s code units, valid while `text` lives unchanged.
inline std::u16string_view to_u16(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()),
          static_cast<std::size_t>(text.size())};
}

#endif  // VANTREL_WINDOW_QT_TEXT_H_
