// What the commands that save into a chosen file share: the extension a name without one
// gets, and the question before an existing file is replaced.
#pragma once

#include <string>

#include "diagram/DiagramDocument.h"

namespace zedro {

// The path with "." + ext appended when its file name has no extension.
inline std::string WithDefaultExtension(const std::string& path, const std::string& ext) {
  const std::string name = FileNamePart(path);
  if (!name.empty() && name.find('.') == std::string::npos) return path + "." + ext;
  return path;
}

inline std::string ReplaceQuestion(const std::string& path) {
  return "Die Datei '" + path + "' existiert schon !   ...    Soll sie ersetzt werden ?";
}

}  // namespace zedro
