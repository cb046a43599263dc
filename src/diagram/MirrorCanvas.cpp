#include "diagram/MirrorCanvas.h"

namespace zedro {

MirrorCanvas::MirrorCanvas(Canvas& primary, Canvas& mirror) : primary_(&primary), mirror_(&mirror) {
  TakeStateOf(primary);
}

void MirrorCanvas::SyncOne(Canvas& c) {
  if (fontChanged_) c.SetFont(font_);
  c.SetPenColor(penColor_);
  c.SetPenWidth(penWidth_);
  c.SetPenMode(penMode_);
  c.SetPenStyle(penStyle_);
  c.SetBrushColor(brushColor_);
  c.SetBrushStyle(brushStyle_);
}

void MirrorCanvas::Sync() {
  SyncOne(*primary_);
  SyncOne(*mirror_);
  fontChanged_ = false;
}

void MirrorCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Sync();
  primary_->Rectangle(x1, y1, x2, y2);
  mirror_->Rectangle(x1, y1, x2, y2);
}

void MirrorCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Sync();
  primary_->Ellipse(x1, y1, x2, y2);
  mirror_->Ellipse(x1, y1, x2, y2);
}

// Measuring needs the font but draws nothing: only the primary canvas is asked.
int MirrorCanvas::TextWidth(const std::string& text) {
  if (fontChanged_) Sync();
  return primary_->TextWidth(text);
}

int MirrorCanvas::TextHeight(const std::string& text) {
  if (fontChanged_) Sync();
  return primary_->TextHeight(text);
}

void MirrorCanvas::Resize(int width, int height) {
  primary_->Resize(width, height);
  mirror_->Resize(width, height);
}

void MirrorCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  Sync();
  for (Canvas* c : {primary_, mirror_}) {
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  }
}

int MirrorCanvas::DrawText(int x, int y, const std::string& text) {
  Sync();
  mirror_->TextOut(x, y, text);
  primary_->TextOut(x, y, text);
  return primary_->PenPos().X - x;
}

}  // namespace zedro
