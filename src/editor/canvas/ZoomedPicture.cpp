#include "editor/canvas/ZoomedPicture.h"

#include <algorithm>
#include <cmath>

#include "diagram/MirrorCanvas.h"
#include "editor/canvas/PainterCanvas.h"
#include "editor/canvas/QtCanvas.h"

namespace zedro {

// The mirror of the two pictures: a picture that grows gets a new scaled picture, at a
// scale that its memory allows.
class ZoomedPicture::ResizingMirror final : public MirrorCanvas {
 public:
  ResizingMirror(ZoomedPicture& owner, QtCanvas& screen, PainterCanvas& scaled)
      : MirrorCanvas(screen, scaled), owner_(owner) {}
  void Resize(int width, int height) override {
    Primary().Resize(width, height);
    owner_.Rebuild(width, height, false);
  }

 private:
  ZoomedPicture& owner_;
};

ZoomedPicture::ZoomedPicture(QtCanvas& screen) : screen_(screen) {}

ZoomedPicture::~ZoomedPicture() = default;

double ZoomedPicture::ScaleFor(double requested, int width, int height) {
  const double w = std::max(width, 1), h = std::max(height, 1);
  double scale = requested;
  scale = std::min(scale, std::sqrt(static_cast<double>(kMaxPixels) / (w * h)));
  scale = std::min(scale, (PainterCanvas::kMaxPictureSide - 1) / std::max(w, h));
  return scale;
}

double ZoomedPicture::Scale() const { return painter_ ? painter_->Scale() : 1.0; }

void ZoomedPicture::SetScale(double scale) {
  if (!(scale > 0)) scale = 1;
  if (scale == requested_ && (scale == 1) == !painter_) return;
  requested_ = scale;
  if (scale == 1) {
    mirror_.reset();
    painter_.reset();
    return;
  }
  mirror_.reset();
  Rebuild(screen_.Width(), screen_.Height(), true);
}

void ZoomedPicture::Rebuild(int width, int height, bool seed) {
  auto scaled = std::make_unique<PainterCanvas>(width, height, ScaleFor(requested_, width, height));
  // The raster picture, enlarged, until the next redraw draws it sharp.
  if (seed) scaled->DrawPicture(screen_.Image());
  if (mirror_)
    mirror_->SetMirror(*scaled);
  else
    mirror_ = std::make_unique<ResizingMirror>(*this, screen_, *scaled);
  painter_ = std::move(scaled);
}

Canvas& ZoomedPicture::Target() {
  if (mirror_) return *mirror_;
  return screen_;
}

const QImage& ZoomedPicture::Image() {
  if (painter_) return painter_->Image();
  return screen_.Image();
}

}  // namespace zedro
