// The drawing interface of the diagram elements: a raster canvas in the manner of the
// classic device contexts. Coordinates are surface pixels, origin top-left, y downwards.
//
// Conventions every implementation follows:
// - LineTo draws from the pen position to (x, y) without the end pixel and leaves the pen
//   there, so a polyline sets every pixel once.
// - Rectangle and Ellipse cover the half-open area [x1, x2) x [y1, y2): the outline is
//   drawn with the pen, the inside filled with the brush unless the brush is clear.
// - TextOut writes with the top-left corner of the text at (x, y); with a solid brush the
//   text gets an opaque background in the brush colour, with a clear brush none. The pen
//   then stands at (x + TextWidth(text), y).
// - Not-xor mode combines pen (and brush) with the surface as NOT (source XOR surface), so
//   drawing the same figure twice leaves the surface as it was.
// - Texts are Windows-1252 bytes.
#pragma once

#include <string>

#include "diagram/Font.h"

namespace zedro {

enum class PenMode { Copy, NotXor };
// Solid, long dash (18 on, 6 off) and short dash (3 on, 3 off).
enum class PenStyle { Solid, Dash, Dot };
enum class BrushStyle { Solid, Clear };

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

// A colour as it is drawn: system colours (negative values) resolved, window text black.
TColor ResolveColor(TColor color);

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The font: name, size or pixel height (TFontSpec::SetHeight), colour and style.
  void SetFont(const TFontSpec& font) {
    font_ = font;
    FontChanged();
  }
  const TFontSpec& Font() const { return font_; }
  void SetFontColor(TColor color) {
    font_.Color = color;
    FontChanged();
  }
  void SetFontBold(bool on) {
    font_.Bold = on;
    FontChanged();
  }
  void SetFontItalic(bool on) {
    font_.Italic = on;
    FontChanged();
  }
  void SetFontUnderline(bool on) {
    font_.Underline = on;
    FontChanged();
  }
  // The absolute character height of the current font in pixels (11 for 8 points).
  int FontPixelHeight() const {
    int h = font_.Height();
    return h < 0 ? -h : h;
  }

  void SetBrushColor(TColor color) { brushColor_ = color; }
  void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }
  TColor BrushColor() const { return brushColor_; }
  BrushStyle GetBrushStyle() const { return brushStyle_; }

  void SetPenColor(TColor color) { penColor_ = color; }
  void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
  void SetPenMode(PenMode mode) { penMode_ = mode; }
  void SetPenStyle(PenStyle style) { penStyle_ = style; }
  TColor PenColor() const { return penColor_; }
  int PenWidth() const { return penWidth_; }
  PenMode GetPenMode() const { return penMode_; }
  PenStyle GetPenStyle() const { return penStyle_; }

  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y) {
    DrawLine(penPos_.X, penPos_.Y, x, y);
    penPos_ = {x, y};
  }
  TPoint PenPos() const { return penPos_; }

  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  void TextOut(int x, int y, const std::string& text) {
    int w = DrawText(x, y, text);
    penPos_ = {x + w, y};
  }
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;

  // The size of the picture; Resize gives a new white picture of that size.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void Resize(int width, int height) = 0;

 protected:
  // Takes over font, brush, pen and pen position of another canvas (canvases that pass
  // their drawing on start in the state of the one they draw on).
  void TakeStateOf(const Canvas& other) {
    font_ = other.font_;
    brushColor_ = other.brushColor_;
    brushStyle_ = other.brushStyle_;
    penColor_ = other.penColor_;
    penWidth_ = other.penWidth_;
    penMode_ = other.penMode_;
    penStyle_ = other.penStyle_;
    penPos_ = other.penPos_;
  }
  // Draws the line without its end pixel.
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // Writes the text and returns its width.
  virtual int DrawText(int x, int y, const std::string& text) = 0;
  // Called after every change of the font.
  virtual void FontChanged() {}

  TFontSpec font_;
  TColor brushColor_ = kClWhite;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  TColor penColor_ = kClBlack;
  int penWidth_ = 1;
  PenMode penMode_ = PenMode::Copy;
  PenStyle penStyle_ = PenStyle::Solid;
  TPoint penPos_;
};

}  // namespace zedro
