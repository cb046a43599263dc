#include "import/SourceText.h"

#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

std::string DecodeSourceText(std::string_view bytes) {
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF)
    return text::FromUtf8(bytes.substr(3));
  if (text::HasHighBytes(bytes) && text::IsValidUtf8(bytes)) return text::FromUtf8(bytes);
  return std::string(bytes);
}

SourceLines SplitSourceLines(std::string_view text) {
  SourceLines lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t end = lf == std::string_view::npos ? text.size() : lf;
    size_t cut = end;
    if (cut > start && text[cut - 1] == '\r') --cut;
    lines.emplace_back(text.substr(start, cut - start));
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return lines;
}

SourceLines SourceLinesFromBytes(std::string_view bytes) {
  return SplitSourceLines(DecodeSourceText(bytes));
}

bool ReadSourceLines(const std::string& path, SourceLines& lines, std::string* error) {
  lines.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  lines = SourceLinesFromBytes(bytes);
  return true;
}

}  // namespace zedro
