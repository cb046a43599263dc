// Draws every call on two canvases of the same diagram: the picture that counts (its
// texts are measured, its size is the canvas' size) and a second picture of it, such as a
// zoomed view of the same diagram. Both always show the same drawing, markers and not-xor
// figures included.
#pragma once

#include <string>

#include "diagram/Canvas.h"

namespace zedro {

class MirrorCanvas : public Canvas {
 public:
  // Both canvases outlive this one. The state of `primary` (font, pen, brush, pen
  // position) becomes the state of this canvas.
  MirrorCanvas(Canvas& primary, Canvas& mirror);

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return primary_->Width(); }
  int Height() const override { return primary_->Height(); }
  void Resize(int width, int height) override;

  Canvas& Primary() { return *primary_; }
  Canvas& Mirror() { return *mirror_; }
  // Draws the mirror on another canvas from now on (which outlives this one).
  void SetMirror(Canvas& mirror) {
    mirror_ = &mirror;
    fontChanged_ = true;
  }

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override;
  int DrawText(int x, int y, const std::string& text) override;
  void FontChanged() override { fontChanged_ = true; }

 private:
  // Gives both canvases this canvas' pen, brush and (when it changed) font.
  void Sync();
  void SyncOne(Canvas& c);

  Canvas* primary_;
  Canvas* mirror_;
  bool fontChanged_ = true;
};

}  // namespace zedro
