#include "diagram/RecordingCanvas.h"

namespace zedro {

RecordingCanvas::Call& RecordingCanvas::Record(Op op, int x1, int y1, int x2, int y2) {
  Call c{op, x1, y1, x2, y2};
  c.font = font_;
  c.penColor = penColor_;
  c.penWidth = penWidth_;
  c.penMode = penMode_;
  c.penStyle = penStyle_;
  c.brushColor = brushColor_;
  c.brushStyle = brushStyle_;
  calls.push_back(std::move(c));
  return calls.back();
}

int RecordingCanvas::TextWidth(const std::string& text) {
  return static_cast<int>(text.size()) * (font_.Bold ? 7 : 6);
}

int RecordingCanvas::TextHeight(const std::string&) { return FontPixelHeight() + 2; }

int RecordingCanvas::DrawText(int x, int y, const std::string& text) {
  Record(Op::Text, x, y, 0, 0).text = text;
  return TextWidth(text);
}

void RecordingCanvas::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  Record(Op::Resize, width, height, 0, 0);
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Of(Op op) const {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(const std::string& text) const {
  for (const Call& c : calls)
    if (c.op == Op::Text && c.text == text) return &c;
  return nullptr;
}

}  // namespace zedro
