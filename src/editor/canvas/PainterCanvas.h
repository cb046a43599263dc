// The diagram drawn with QPainter on any paint device and at any scale: a picture of its
// own (a zoomed view, a large PNG), a printer, a PDF or an SVG file. Lines stay lines and
// texts stay texts, so print and vector files are sharp at every size.
//
// The layout is the screen's: texts are measured with the fonts and metrics of QtCanvas,
// in diagram pixels, so every box has the same size at every scale. Each text is drawn
// with a smoothly scalable cut of the same font, narrowed or widened a little to the width
// measured for it: no text reaches beyond its box, and every text ends where it ends on
// the screen.
//
// Not-xor pens work on pictures (QImage devices); on printers, PDF and SVG, which cannot
// combine with what is already drawn, they draw as ordinary pens. On a white ground a grey
// not-xor figure looks the same either way.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QImage>
#include <QPointF>
#include <QString>
#include <memory>
#include <string>
#include <unordered_map>

#include "diagram/Canvas.h"
#include "editor/canvas/FontCache.h"

class QPaintDevice;
class QPainter;
class QPen;
class QRectF;

namespace zedro {

class PainterCanvas : public Canvas {
 public:
  // Measures only and draws nothing: the layout of a diagram without any picture.
  PainterCanvas();
  // A white picture of its own, width x height diagram pixels of `scale` x `scale` device
  // pixels each (32-bit RGB); Resize gives a new one.
  PainterCanvas(int width, int height, double scale);
  // Draws on a device that outlives the canvas: diagram pixel (0, 0) at `origin` (device
  // pixels), `scale` device pixels per diagram pixel; width x height diagram pixels are the
  // drawing area. Resize only changes that area.
  PainterCanvas(QPaintDevice& device, int width, int height, double scale,
                QPointF origin = QPointF());
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override;

  double Scale() const { return scale_; }
  // The picture of its own with painting finished (a null image on other devices, or when
  // the picture was too large to be allocated).
  const QImage& Image();
  // Draws a raster picture of the diagram over the whole drawing area, one picture pixel
  // on each diagram pixel.
  void DrawPicture(const QImage& picture);
  // Ends painting; a PDF or SVG device has written its file then. False when the device
  // could not be painted on.
  bool Finish();

  // The largest picture of its own, in device pixels per side and in all.
  static constexpr int kMaxPictureSide = 32767;
  static constexpr long long kMaxPicturePixels = 1LL << 28;

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override;
  int DrawText(int x, int y, const std::string& text) override;
  void FontChanged() override;

 private:
  struct TextEntry {
    QString text;
    int width = 0;      // measured on the screen, in diagram pixels
    double fit = 1;     // horizontal factor that makes the drawn text that wide
    // Pictures: the glyphs placed once, relative to the baseline's left end.
    bool placed = false;
    QList<QGlyphRun> glyphs;
    double ascent = 0;
  };
  struct FontEntry {
    QFont screen;  // the measuring font of the screen
    QFontMetrics metrics;
    QFont drawn;   // the same font, scalable: no hinting, smoothed
    QFontMetricsF drawnMetrics;
    int height = 0;
    int ascent = 0;
    std::unordered_map<std::string, TextEntry> texts;
  };

  FontEntry& CurrentEntry();
  TextEntry& EntryOf(const std::string& text);
  // The painter, begun on first use; null when there is nothing to draw on.
  QPainter* Painter();
  void End();
  // The painter, combining with the picture as the pen mode says.
  QPainter* Ready();
  // An area in one colour.
  void Fill(QPainter& p, const QRectF& area, TColor color);
  // The pen, its dashes begun `dashOffset` diagram pixels late, `thinning` times as wide.
  QPen CurrentPen(double dashOffset = 0, double thinning = 1) const;
  bool Raster() const;
  // The part of a line within reach of the drawing area (diagram pixels); false when none.
  bool ClipLine(double& x1, double& y1, double& x2, double& y2, double& cutFromStart) const;

  QPaintDevice* device_ = nullptr;  // null: measuring only
  QImage image_;                    // the picture of its own
  bool ownImage_ = false;
  std::unique_ptr<QPainter> painter_;
  bool beginFailed_ = false;
  int width_ = 0;
  int height_ = 0;
  double scale_ = 1;
  QPointF origin_;
  FontCache<FontEntry> fonts_;
  std::size_t cachedTexts_ = 0;
};

}  // namespace zedro
