// Drawing of info boxes: free notes and the text boxes of connections.
#include <algorithm>

#include "diagram/Canvas.h"
#include "diagram/InfoBox.h"

namespace zedro {

void TInfoBox::Repaint() {
  Canvas* c = Image ? Image->canvas : nullptr;
  if (!c) return;
  TFontSpec font = *FontDialog;
  font.Italic = false;
  c->SetFont(font);
  c->SetBrushColor(kClWhite);
  c->SetBrushStyle(BrushStyle::Solid);
  Right = Left;
  Bottom = Top;
  if (Lines.empty()) {
    Right = Left + 6;
    Bottom = Top + 6;
  }
  for (const std::string& line : Lines) {
    c->TextOut(Left, Bottom, line);
    Bottom += c->TextHeight(line);
    Right = std::max(Right, Left + c->TextWidth(line));
  }
  if (Framed) {
    c->SetBrushStyle(BrushStyle::Clear);
    c->Rectangle(Left - 1, Top, Right + 1, Bottom + 2);
  }
}

void TInfoBox::Erase() {
  Canvas* c = Image ? Image->canvas : nullptr;
  if (!c) return;
  c->SetPenColor(kClWhite);
  c->SetPenMode(PenMode::Copy);
  c->SetBrushColor(kClWhite);
  c->SetBrushStyle(BrushStyle::Solid);
  c->Rectangle(Left - 3, Top - 3, Right + 3, Bottom + 5);
  c->SetPenColor(kClBlack);
}

void TInfoBox::MoveBy(int dx, int dy) {
  Erase();
  Left += dx;
  Top += dy;
  Repaint();
}

}  // namespace zedro
