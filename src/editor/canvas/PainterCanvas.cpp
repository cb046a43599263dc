#include "editor/canvas/PainterCanvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

// The classic pen patterns in diagram pixels, as QtCanvas draws them: long and short dash.
constexpr double kDashOn = 18, kDashOff = 6;
constexpr double kDotOn = 3, kDotOff = 3;
// The texts of a canvas start afresh beyond this many (a large diagram needs a tenth).
constexpr std::size_t kMaxCachedTexts = 50000;
// Ellipses mark border points: one of an extent only damaged coordinates give is left out.
constexpr long long kMaxEllipseExtent = 1 << 16;

QColor ToQColor(TColor color) {
  const TColor c = ResolveColor(color);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QRectF Area(long long x1, long long y1, long long x2, long long y2) {
  return QRectF(QPointF(static_cast<double>(x1), static_cast<double>(y1)),
                QPointF(static_cast<double>(x2), static_cast<double>(y2)));
}

}  // namespace

PainterCanvas::PainterCanvas() = default;

PainterCanvas::PainterCanvas(int width, int height, double scale)
    : device_(&image_), ownImage_(true), scale_(scale > 0 ? scale : 1) {
  Resize(width, height);
}

PainterCanvas::PainterCanvas(QPaintDevice& device, int width, int height, double scale,
                             QPointF origin)
    : device_(&device),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      scale_(scale > 0 ? scale : 1),
      origin_(origin) {}

PainterCanvas::~PainterCanvas() { End(); }

void PainterCanvas::Resize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  if (!ownImage_) return;
  End();
  const double w = std::ceil(width_ * scale_), h = std::ceil(height_ * scale_);
  if (w > kMaxPictureSide || h > kMaxPictureSide || w * h > static_cast<double>(kMaxPicturePixels)) {
    image_ = QImage();
    return;
  }
  image_ = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  if (!image_.isNull()) image_.fill(0xFFFFFFFFu);
}

const QImage& PainterCanvas::Image() {
  static const QImage none;
  End();
  return ownImage_ ? image_ : none;
}

bool PainterCanvas::Finish() {
  // A device never painted on still gets its (empty) page.
  const bool painted = Painter() != nullptr;
  if (!painter_) return false;
  const bool ended = painter_->end();
  painter_.reset();
  return painted && ended;
}

QPainter* PainterCanvas::Painter() {
  if (painter_) return painter_.get();
  if (!device_ || beginFailed_ || (ownImage_ && image_.isNull())) return nullptr;
  auto p = std::make_unique<QPainter>();
  if (!p->begin(device_)) {
    // A printer or file that refuses once refuses again; a picture of its own is new after
    // each Resize.
    if (!ownImage_) beginFailed_ = true;
    return nullptr;
  }
  p->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  QTransform t;
  t.translate(origin_.x(), origin_.y());
  t.scale(scale_, scale_);
  p->setWorldTransform(t);
  painter_ = std::move(p);
  return painter_.get();
}

void PainterCanvas::End() {
  if (painter_) painter_->end();
  painter_.reset();
}

bool PainterCanvas::Raster() const {
  return device_ && (device_->devType() == QInternal::Image ||
                     device_->devType() == QInternal::Pixmap);
}

QPen PainterCanvas::CurrentPen(double dashOffset, double thinning) const {
  const double w = penWidth_ * thinning;
  QPen pen(ToQColor(penColor_), w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  if (penStyle_ != PenStyle::Solid) {
    // Dash patterns count in pen widths.
    if (penStyle_ == PenStyle::Dash)
      pen.setDashPattern({kDashOn / w, kDashOff / w});
    else
      pen.setDashPattern({kDotOn / w, kDotOff / w});
    pen.setDashOffset(dashOffset / w);
  }
  return pen;
}

QPainter* PainterCanvas::Ready() {
  QPainter* p = Painter();
  if (!p) return nullptr;
  // Not-xor figures are drawn without smoothing: drawn twice they leave every pixel as it
  // was.
  const bool notXor = penMode_ == PenMode::NotXor && Raster();
  const QPainter::CompositionMode mode =
      notXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
  if (p->compositionMode() != mode) p->setCompositionMode(mode);
  if (p->testRenderHint(QPainter::Antialiasing) == notXor)
    p->setRenderHint(QPainter::Antialiasing, !notXor);
  return p;
}

void PainterCanvas::Fill(QPainter& p, const QRectF& area, TColor color) {
  if (Raster()) {
    // The raster engine fills straight away, without a change of pen and brush.
    p.fillRect(area, ToQColor(color));
    return;
  }
  p.setPen(Qt::NoPen);
  p.setBrush(ToQColor(color));
  p.drawRect(area);
}

// Liang-Barsky against the drawing area widened by the pen: coordinates from damaged files
// reach far beyond what the painter can handle, and nothing out there is seen anyway.
bool PainterCanvas::ClipLine(double& x1, double& y1, double& x2, double& y2,
                             double& cutFromStart) const {
  const double m = penWidth_ + 2.0;
  const double xmin = -m, ymin = -m, xmax = width_ + m, ymax = height_ + m;
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  if (t0 > t1) return false;
  cutFromStart = t0 * std::hypot(dx, dy);
  const double sx = x1, sy = y1;
  x1 = sx + t0 * dx;
  y1 = sy + t0 * dy;
  x2 = sx + t1 * dx;
  y2 = sy + t1 * dy;
  return true;
}

// --- Canvas operations ------------------------------------------------------------------

// The line covers the pixels the raster canvas sets: a one-pixel line from its first pixel
// up to its end pixel, which it leaves out; a wider one across its direction and half its
// width beyond both ends. Steps run along the longer axis, one pixel each.
void PainterCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (!device_) return;
  const int w = penWidth_;
  const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
  const double n = std::max(std::abs(dx), std::abs(dy));
  if (n == 0) {
    // A one-pixel line of no length sets no pixel; a wide one a square.
    if (w <= 1) return;
    const long long lo = x1 - w / 2, top = y1 - w / 2;
    if (QPainter* p = Ready()) Fill(*p, Area(lo, top, lo + w, top + w), penColor_);
    return;
  }
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const double across = w % 2 ? 0.5 : 0.0;
  const double bx = x1 + (xMajor ? 0.5 : across), by = y1 + (xMajor ? across : 0.5);
  const double ex = dx / n, ey = dy / n;
  const double before = (w > 1 ? w / 2 : 0) + 0.5;
  const double beyond = w > 1 ? (w - 1) / 2 + 0.5 : -0.5;
  double ax = bx - ex * before, ay = by - ey * before;
  double zx = bx + ex * (n + beyond), zy = by + ey * (n + beyond);
  double cut = 0;
  if (!ClipLine(ax, ay, zx, zy, cut)) return;
  QPainter* p = Ready();
  if (!p) return;
  if (penStyle_ == PenStyle::Solid && (dx == 0 || dy == 0) && Raster()) {
    // Straight across or down: a rectangle, which the raster engine fills fastest.
    const double h = w / 2.0;
    Fill(*p,
         dy == 0 ? QRectF(QPointF(std::min(ax, zx), by - h), QPointF(std::max(ax, zx), by + h))
                 : QRectF(QPointF(bx - h, std::min(ay, zy)), QPointF(bx + h, std::max(ay, zy))),
         penColor_);
    return;
  }
  // The raster canvas sets `w` pixels across the longer axis, which a slanting line
  // crosses at an angle: the same amount of ink is a thinner line.
  p->setPen(CurrentPen(cut, n / std::hypot(dx, dy)));
  p->setBrush(Qt::NoBrush);
  p->drawLine(QLineF(ax, ay, zx, zy));
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!device_) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  // Edges far outside the drawing area are brought nearer; they stay outside.
  const long long m = penWidth_ + 2;
  auto clampX = [&](long long v) { return std::clamp<long long>(v, -m, width_ + m); };
  auto clampY = [&](long long v) { return std::clamp<long long>(v, -m, height_ + m); };
  const long long l = clampX(x1), t = clampY(y1), r = clampX(x2), b = clampY(y2);
  if (l == r || t == b) return;
  const bool solidFill = brushStyle_ == BrushStyle::Solid;
  const bool notXor = penMode_ == PenMode::NotXor;
  const bool onePixel = penWidth_ <= 1 && penStyle_ == PenStyle::Solid;
  QPainter* p = Ready();
  if (!p) return;
  if (solidFill && !notXor && onePixel && ResolveColor(brushColor_) == ResolveColor(penColor_)) {
    // Outline and inside in one colour: one area, as the clearing of the surface is.
    Fill(*p, Area(l, t, r, b), brushColor_);
    return;
  }
  if (onePixel && (static_cast<long long>(x2) - x1 == 1 || static_cast<long long>(y2) - y1 == 1)) {
    // A one-pixel-thin rectangle is all outline.
    Fill(*p, Area(l, t, r, b), penColor_);
    return;
  }
  // The inside, then the outline around it; not-xor touches no pixel twice.
  if (solidFill && r - l > 2 && b - t > 2) Fill(*p, Area(l + 1, t + 1, r - 1, b - 1), brushColor_);
  p->setBrush(Qt::NoBrush);
  p->setPen(CurrentPen());
  p->drawRect(QRectF(l + 0.5, t + 0.5, static_cast<double>(r - l) - 1.0,
                     static_cast<double>(b - t) - 1.0));
}

void PainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!device_) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  if (x2 < 0 || y2 < 0 || x1 >= width_ || y1 >= height_ ||
      static_cast<long long>(x2) - x1 > kMaxEllipseExtent ||
      static_cast<long long>(y2) - y1 > kMaxEllipseExtent)
    return;
  if (QPainter* p = Ready()) {
    p->setPen(CurrentPen());
    if (brushStyle_ == BrushStyle::Solid)
      p->setBrush(ToQColor(brushColor_));
    else
      p->setBrush(Qt::NoBrush);
    p->drawEllipse(QRectF(x1 + 0.5, y1 + 0.5, static_cast<double>(x2) - x1 - 1.0,
                          static_cast<double>(y2) - y1 - 1.0));
  }
}

void PainterCanvas::DrawPicture(const QImage& picture) {
  if (picture.isNull()) return;
  const PenMode mode = penMode_;
  penMode_ = PenMode::Copy;
  QPainter* p = Ready();
  penMode_ = mode;
  if (p) p->drawImage(QRectF(0, 0, picture.width(), picture.height()), picture);
}

// --- Fonts and texts --------------------------------------------------------------------

PainterCanvas::FontEntry& PainterCanvas::CurrentEntry() {
  return fonts_.Current(font_, &QtCanvas::FontKey, [this] {
    const QFont screen = QtCanvas::ScreenFont(font_);
    QFont drawn = screen;
    // Outlines as designed, smoothed: the letters scale evenly to any size.
    drawn.setStyleStrategy(QFont::PreferAntialias);
    drawn.setHintingPreference(QFont::PreferNoHinting);
    auto entry = std::make_unique<FontEntry>(
        FontEntry{screen, QFontMetrics(screen), drawn, QFontMetricsF(drawn), 0, 0, {}});
    entry->height = entry->metrics.height();
    entry->ascent = entry->metrics.ascent();
    return entry;
  });
}

void PainterCanvas::FontChanged() { fonts_.FontChanged(font_); }

PainterCanvas::TextEntry& PainterCanvas::EntryOf(const std::string& text) {
  FontEntry& f = CurrentEntry();
  auto it = f.texts.find(text);
  if (it != f.texts.end()) return it->second;
  if (cachedTexts_ >= kMaxCachedTexts) {
    fonts_.ForEach([](FontEntry& font) { font.texts.clear(); });
    cachedTexts_ = 0;
  }
  TextEntry& t = f.texts[text];
  ++cachedTexts_;
  t.text = ToQString(text);
  t.width = f.metrics.horizontalAdvance(t.text);
  // Whole-pixel advances make most texts a little wider on the screen than the smooth cut
  // writes them, and some narrower: each is drawn as wide as the screen has it, so the
  // letters stand where they stand on the screen.
  const double drawn = f.drawnMetrics.horizontalAdvance(t.text);
  if (drawn > 0 && t.width > 0) t.fit = t.width / drawn;
  return t;
}

int PainterCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  return EntryOf(text).width;
}

int PainterCanvas::TextHeight(const std::string&) { return CurrentEntry().height; }

int PainterCanvas::DrawText(int x, int y, const std::string& text) {
  if (text.empty()) return 0;
  const FontEntry& f = CurrentEntry();
  TextEntry& t = EntryOf(text);
  const int w = t.width;
  if (!device_) return w;
  // Texts wholly outside the drawing area are not drawn.
  const long long pad = f.height;
  if (x - pad > width_ || y - pad > height_ || static_cast<long long>(x) + w + pad < 0 ||
      static_cast<long long>(y) + f.height + pad < 0)
    return w;
  // Texts are written over the picture (with an opaque ground in the brush colour), also
  // under a not-xor pen, as on the screen.
  const PenMode mode = penMode_;
  penMode_ = PenMode::Copy;
  QPainter* p = Ready();
  penMode_ = mode;
  if (!p) return w;
  if (brushStyle_ == BrushStyle::Solid)
    Fill(*p, Area(x, y, static_cast<long long>(x) + w, static_cast<long long>(y) + f.height),
         brushColor_);
  p->setPen(ToQColor(Canvas::Font().Color));
  p->setFont(f.drawn);
  const double baseline = static_cast<double>(y) + f.ascent;
  // The transform is set and taken back without save and restore, which a vector file
  // would record as states of their own.
  const QTransform base = p->worldTransform();
  p->setWorldTransform(QTransform(t.fit, 0, 0, 1, x, baseline) * base);
  if (Raster()) {
    // Pictures are redrawn often (a zoomed view): the glyphs of a text are placed once.
    if (!t.placed) {
      QTextLayout layout(t.text, f.drawn);
      layout.beginLayout();
      QTextLine line = layout.createLine();
      layout.endLayout();
      t.glyphs = layout.glyphRuns();
      t.ascent = line.isValid() ? line.ascent() : 0;
      t.placed = true;
    }
    for (const QGlyphRun& run : t.glyphs) p->drawGlyphRun(QPointF(0, -t.ascent), run);
  } else {
    p->drawText(QPointF(0, 0), t.text);
  }
  p->setWorldTransform(base);
  return w;
}

}  // namespace zedro
