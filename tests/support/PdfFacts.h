// What the poppler tools read from a PDF file: its text, its document information and the
// number of bitmaps in it.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>

namespace zedro::testsupport {

// The standard output of a shell command.
inline std::string RunText(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

struct PdfFacts {
  std::string text;  // as laid out on the page
  std::string info;
  int bitmaps = 0;
};

// path in UTF-8.
inline PdfFacts ReadPdf(const std::string& path) {
  PdfFacts f;
  f.text = RunText("pdftotext -layout '" + path + "' -");
  f.info = RunText("pdfinfo '" + path + "'");
  // "pdfimages -list" prints two heading lines and one line per bitmap.
  const std::string images = RunText("pdfimages -list '" + path + "'");
  f.bitmaps = static_cast<int>(std::count(images.begin(), images.end(), '\n')) - 2;
  return f;
}

}  // namespace zedro::testsupport
