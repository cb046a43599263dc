// A canvas that draws nothing and records every drawing call, with fixed font metrics:
// a text is 6 pixels wide per character (7 in bold) and |font height| + 2 pixels high,
// whatever its characters (so an empty text is 0 wide and still that high).
#pragma once

#include <string>
#include <vector>

#include "diagram/Canvas.h"

namespace zedro {

class RecordingCanvas : public Canvas {
 public:
  enum class Op { Line, Rectangle, Ellipse, Text, Resize };
  // One call with the state it was drawn in.
  struct Call {
    Op op;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: the corner; Resize: the new size
    std::string text;
    TFontSpec font;
    TColor penColor = kClBlack;
    int penWidth = 1;
    PenMode penMode = PenMode::Copy;
    PenStyle penStyle = PenStyle::Solid;
    TColor brushColor = kClWhite;
    BrushStyle brushStyle = BrushStyle::Solid;
  };

  explicit RecordingCanvas(int width = 505, int height = 385) : width_(width), height_(height) {}

  void Rectangle(int x1, int y1, int x2, int y2) override { Record(Op::Rectangle, x1, y1, x2, y2); }
  void Ellipse(int x1, int y1, int x2, int y2) override { Record(Op::Ellipse, x1, y1, x2, y2); }
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override;

  // The recorded calls of one kind, in order.
  std::vector<Call> Of(Op op) const;
  // The first recorded text call with exactly this text; nullptr when there is none.
  const Call* FindText(const std::string& text) const;
  void Clear() { calls.clear(); }

  std::vector<Call> calls;

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override { Record(Op::Line, x1, y1, x2, y2); }
  int DrawText(int x, int y, const std::string& text) override;

 private:
  Call& Record(Op op, int x1, int y1, int x2, int y2);
  int width_;
  int height_;
};

}  // namespace zedro
