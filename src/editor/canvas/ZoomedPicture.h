// The picture a diagram window shows. At one device pixel per diagram pixel it is the
// window's raster canvas itself; at any other scale (a zoom, a screen scaled by 1.25, 1.5
// or 2) a painter canvas draws the same diagram sharp at that resolution, mirrored from
// every drawing call on the raster canvas. The raster canvas stays the diagram's picture
// for the clipboard, files and the printer either way.
#pragma once

#include <QImage>
#include <memory>

#include "diagram/Canvas.h"

namespace zedro {

class PainterCanvas;
class QtCanvas;

class ZoomedPicture {
 public:
  // The raster canvas outlives this picture.
  explicit ZoomedPicture(QtCanvas& screen);
  ~ZoomedPicture();
  ZoomedPicture(const ZoomedPicture&) = delete;
  ZoomedPicture& operator=(const ZoomedPicture&) = delete;

  // Device pixels per diagram pixel. Another scale starts the scaled picture from the
  // raster picture enlarged, so that what is drawn (markers, a rubber band) is seen at once;
  // a redraw makes it sharp.
  void SetScale(double scale);
  // The scale asked for, and the one drawn at: less when the picture would need more memory
  // than a view is given (the view then enlarges it).
  double RequestedScale() const { return requested_; }
  double Scale() const;
  bool Scaled() const { return painter_ != nullptr; }

  // The canvas the diagram is drawn on: the raster canvas, or both together.
  Canvas& Target();
  QtCanvas& Screen() { return screen_; }
  // The picture to show, finished; its size is the raster picture's times Scale().
  const QImage& Image();

  // The largest scaled picture, in device pixels.
  static constexpr long long kMaxPixels = 48LL << 20;
  // The scale a picture of width x height diagram pixels is drawn at when `requested` is
  // asked for.
  static double ScaleFor(double requested, int width, int height);

 private:
  class ResizingMirror;
  void Rebuild(int width, int height, bool seed);

  QtCanvas& screen_;
  double requested_ = 1;
  std::unique_ptr<PainterCanvas> painter_;
  std::unique_ptr<ResizingMirror> mirror_;
};

}  // namespace zedro
