// Conversion between the in-memory Windows-1252 text and Qt's strings.
#pragma once

#include <QString>
#include <string>

#include "model/Win1252.h"

namespace zedro {

inline QString Q(const std::string& cp1252) {
  return QString::fromStdString(text::ToUtf8(cp1252));
}
inline std::string S(const QString& s) { return text::FromUtf8(s.toStdString()); }

}  // namespace zedro
