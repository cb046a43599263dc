// The canvas of the editor and of zedro-cli render: a QImage painted the way the classic
// raster canvas painted (no antialiasing, lines without their end pixel, not-xor pens).
// Fonts that the machine lacks ("MS Sans Serif" above all) are drawn with an installed
// substitute of similar metrics; the stored font name stays as it was.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "diagram/Canvas.h"
#include "editor/canvas/FontCache.h"
#include "editor/canvas/PixelSurface.h"

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
  // The same with only the part within `area` brought up to date: enough for a view that
  // shows that part (a large picture is then never written as a whole).
  const QImage& ImagePart(const QRect& area);
  // Writes the picture; the format follows the extension (".png", otherwise BMP).
  // Returns false when the file could not be written.
  bool SavePicture(const std::string& utf8Path);

  // The family used to draw a font of that name: the name itself when it is installed,
  // else an installed substitute of similar metrics ("MS Sans Serif" and the other narrow
  // sans-serif fonts: DejaVu Sans Condensed).
  static QString FamilyFor(const std::string& name);
  // The font that draws and measures `font` on this canvas: its family (FamilyFor), pixel
  // height and style, without antialiasing, with whole-pixel advances and no kerning.
  static QFont ScreenFont(const TFontSpec& font);
  // Equal for two fonts exactly when their ScreenFont is the same (the colour is no part).
  static std::string FontKey(const TFontSpec& font);

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override;
  int DrawText(int x, int y, const std::string& text) override;
  void FontChanged() override;

 private:
  // A text as the current font draws it: its advance width and, once it has been drawn,
  // the pixels the glyphs set, as runs relative to the text's top-left corner. Glyphs are
  // drawn without antialiasing, so every pixel is either set or not.
  struct TextShape {
    int width = 0;
    bool rendered = false;
    std::vector<PixelSurface::Run> runs;
    int minX = 0, maxX = 0, minDy = 0, maxDy = 0;  // the runs' bounds
  };
  struct FontEntry {
    QFont font;
    QFontMetrics metrics;
    int height = 0;
    int ascent = 0;
    std::unordered_map<std::string, TextShape> shapes;
  };
  // A new picture of that size (its pixels not yet set); null when there is no memory.
  static QImage NewPicture(int width, int height);
  // The painter on the picture, begun on first use; null when the picture could not be
  // allocated.
  QPainter* Painter();
  void End();
  // Ends painting and brings every pixel up to date, before the picture leaves the canvas.
  void Finish();
  FontEntry& CurrentEntry();
  TextShape& ShapeOf(const std::string& text);
  void Render(const FontEntry& f, const std::string& text, TextShape& shape);
  void PreparePen(QPainter& p);
  // Direct pixel access; every operation that writes pixels calls Begin first.
  bool Begin();
  void StrokeLine(int x1, int y1, int x2, int y2);

  QImage image_;
  PixelSurface pixels_;
  // The picture handed out the time before, and its tiles: drawn on again once nobody
  // else holds it, instead of copying the picture that is being shown.
  QImage spare_;
  PixelSurface::TileMap spareTiles_;
  std::unique_ptr<QPainter> painter_;
  FontCache<FontEntry> fonts_;
  std::size_t cachedShapes_ = 0;  // texts held by all fonts together
  std::size_t cachedRuns_ = 0;    // runs held by all text shapes together
};

// Windows-1252 text as a QString, and back.
QString ToQString(const std::string& cp1252);
std::string FromQString(const QString& s);

}  // namespace zedro
