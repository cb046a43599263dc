// The canvas of the editor and of zedro-cli render: a QImage painted the way the classic
// raster canvas painted (no antialiasing, lines without their end pixel, not-xor pens).
// Fonts that the machine lacks ("MS Sans Serif" above all) are drawn with an installed
// substitute of similar metrics; the stored font name stays as it was.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "diagram/Canvas.h"

namespace zedro {

class QtCanvas : public Canvas {
 public:
  // A white picture of that size (RGB, 32 bits per pixel). Needs a QGuiApplication for
  // its fonts.
  QtCanvas(int width, int height);
  ~QtCanvas() override;

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void Resize(int width, int height) override;

  // The picture, with painting finished; the next drawing call starts painting again.
  const QImage& Image();
  // Writes the picture; the format follows the extension (".png", otherwise BMP).
  // Returns false when the file could not be written.
  bool SavePicture(const std::string& utf8Path);

  // The family used to draw a font of that name: the name itself when it is installed,
  // else a substitute of similar metrics.
  static QString FamilyFor(const std::string& name);

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override;
  int DrawText(int x, int y, const std::string& text) override;
  void FontChanged() override;

 private:
  struct FontEntry {
    QFont font;
    QFontMetrics metrics;
  };
  // The painter on the picture, begun on first use; null when the picture could not be
  // allocated.
  QPainter* Painter();
  void End();
  const FontEntry& CurrentFont();
  void PreparePen(QPainter& p);
  std::uint32_t* Row(int y);
  void Plot(int x, int y, std::uint32_t rgb, bool notXor);
  void FillSpan(int y, int x1, int x2, std::uint32_t rgb, bool notXor);
  void ThinLine(int x1, int y1, int x2, int y2);

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unordered_map<std::string, std::unique_ptr<FontEntry>> fonts_;
  const FontEntry* entry_ = nullptr;  // the entry of the current font
  TFontSpec entrySpec_;               // the font that entry_ was made for
  bool fontValid_ = false;
  const FontEntry* painterFont_ = nullptr;  // the font last given to the painter
};

// Windows-1252 text as a QString, and back.
QString ToQString(const std::string& cp1252);
std::string FromQString(const QString& s);

}  // namespace zedro
