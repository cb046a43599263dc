#include "editor/canvas/QtCanvas.h"

#include <QFontDatabase>
#include <QPen>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "model/Win1252.h"

namespace zedro {
namespace {

// The classic raster pen patterns, in pixels: long dash and short dash.
constexpr int kDashOn = 18, kDashPeriod = 24;
constexpr int kDotOn = 3, kDotPeriod = 6;
// Font sizes beyond this many pixels only come from damaged files.
constexpr int kMaxFontPixels = 400;
// Texts wider than this are drawn straight by the text engine instead of from a shape.
constexpr int kMaxShapeWidth = 8192;
// The text shapes of a canvas start afresh when they hold more than this many texts or
// runs (a few megabytes; a large diagram needs a tenth of it).
constexpr std::size_t kMaxCachedShapes = 50000;
constexpr std::size_t kMaxCachedRuns = 500000;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;
// The second picture is kept up to this size (128 megabytes).
constexpr long long kMaxSparePixels = 32LL << 20;

std::uint32_t ToRgb(TColor color) {
  TColor c = ResolveColor(color);
  std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

QColor ToQColor(TColor color) { return QColor::fromRgb(ToRgb(color)); }

bool PatternOn(PenStyle style, long long i) {
  switch (style) {
    case PenStyle::Dash:
      return i % kDashPeriod < kDashOn;
    case PenStyle::Dot:
      return i % kDotPeriod < kDotOn;
    default:
      return true;
  }
}

// Products of two coordinate spans need more than 64 bits.
__extension__ typedef __int128 Wide;

// Floor division for a positive divisor.
Wide FloorDiv(Wide a, Wide b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

QString ToQString(const std::string& cp1252) {
  return QString::fromStdU16String(text::ToUtf16(cp1252));
}

std::string FromQString(const QString& s) { return text::FromUtf16(s.toStdU16String()); }

QString QtCanvas::FamilyFor(const std::string& name) {
  QString wanted = ToQString(name);
  if (!wanted.isEmpty() && QFontDatabase::hasFamily(wanted)) return wanted;
  // Substitutes of similar metrics among the DejaVu fonts. The classic narrow sans-serif
  // fonts ("MS Sans Serif", Arial, Tahoma) come closest in width to the condensed cut.
  std::string lower = text::LowerAscii(name);
  auto has = [&](const char* part) { return lower.find(part) != std::string::npos; };
  std::vector<const char*> candidates;
  if (has("courier") || has("mono") || has("fixedsys") || has("terminal") || has("console") ||
      has("consolas"))
    candidates = {"DejaVu Sans Mono"};
  else if (has("times") || (has("serif") && !has("sans")) || has("georgia") || has("garamond"))
    candidates = {"DejaVu Serif Condensed", "DejaVu Serif"};
  else if (has("verdana") || has("vera"))
    candidates = {"DejaVu Sans"};
  else
    candidates = {"DejaVu Sans Condensed", "DejaVu Sans"};
  for (const char* c : candidates) {
    QString family = QString::fromLatin1(c);
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

namespace {
// The pixel height a font is drawn with.
int PixelHeight(const TFontSpec& font) {
  int h = font.Height();
  h = h < 0 ? -h : h;
  return std::clamp(h == 0 ? 11 : h, 1, kMaxFontPixels);
}
}  // namespace

std::string QtCanvas::FontKey(const TFontSpec& font) {
  std::string key = font.Name;
  key += '\x01';
  key += std::to_string(PixelHeight(font));
  key += font.Bold ? 'b' : '-';
  key += font.Italic ? 'i' : '-';
  key += font.Underline ? 'u' : '-';
  key += font.StrikeOut ? 's' : '-';
  return key;
}

QFont QtCanvas::ScreenFont(const TFontSpec& font) {
  QFont f(FamilyFor(font.Name));
  f.setPixelSize(PixelHeight(font));
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  f.setStrikeOut(font.StrikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  // Whole-pixel advances: letters keep even distances, as on a classic raster canvas.
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  return f;
}

namespace {

#ifdef __linux__
// Pictures from this size on get memory of their own in large pages: a diagram of
// thousands of boxes is a picture of hundreds of megabytes, and every one of its small
// pages costs a page fault when it is first drawn on and a TLB miss whenever a vertical
// line crosses it.
constexpr std::size_t kLargePictureBytes = 16u << 20;
constexpr std::size_t kLargePage = 2u << 20;

void ReleaseLargePicture(void* info) {
  auto* block = static_cast<std::pair<void*, std::size_t>*>(info);
  munmap(block->first, block->second);
  delete block;
}
#endif

}  // namespace

QImage QtCanvas::NewPicture(int width, int height) {
#ifdef __linux__
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes = stride * static_cast<std::size_t>(height);
  if (bytes >= kLargePictureBytes && width <= (1 << 28) / 4) {
    const std::size_t length = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* memory = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory != MAP_FAILED) {
      madvise(memory, length, MADV_HUGEPAGE);
      QImage picture(static_cast<uchar*>(memory), width, height, static_cast<qsizetype>(stride),
                     QImage::Format_RGB32, ReleaseLargePicture,
                     new std::pair<void*, std::size_t>(memory, length));
      if (!picture.isNull()) return picture;
      munmap(memory, length);
    }
  }
#endif
  return QImage(width, height, QImage::Format_RGB32);
}

QtCanvas::QtCanvas(int width, int height) { Resize(width, height); }

QtCanvas::~QtCanvas() { End(); }

void QtCanvas::Resize(int width, int height) {
  End();
  spare_ = QImage();
  spareTiles_ = PixelSurface::TileMap();
  image_ = NewPicture(std::max(width, 1), std::max(height, 1));
  if (image_.isNull()) {
    pixels_.Reset(0, 0, kWhitePixel);
    return;
  }
  // New memory: white tile by tile as it is drawn on or shown.
  pixels_.ResetStale(image_.width(), image_.height(), kWhitePixel);
}

QPainter* QtCanvas::Painter() {
  if (image_.isNull()) return nullptr;
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
  }
  return painter_.get();
}

void QtCanvas::End() {
  if (painter_) painter_->end();
  painter_.reset();
}

void QtCanvas::Finish() {
  End();
  if (pixels_.NeedsFlush() && Begin()) pixels_.Flush();
}

const QImage& QtCanvas::Image() {
  Finish();
  return image_;
}

const QImage& QtCanvas::ImagePart(const QRect& area) {
  End();
  if (pixels_.NeedsFlush() && Begin())
    pixels_.FlushArea(area.left(), area.top(), static_cast<long long>(area.left()) + area.width(),
                      static_cast<long long>(area.top()) + area.height());
  return image_;
}

bool QtCanvas::SavePicture(const std::string& utf8Path) {
  Finish();
  if (image_.isNull()) return false;
  QString path = QString::fromUtf8(utf8Path);
  const char* format = path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "PNG" : "BMP";
  return image_.save(path, format);
}

// --- Pixels -----------------------------------------------------------------------------

// The painter draws straight into the image memory, so direct pixel access and QPainter
// calls mix in call order. Asking for the pixels detaches the picture from copies handed
// out by Image().
bool QtCanvas::Begin() {
  if (image_.isNull()) return false;
  pixels_.Attach(reinterpret_cast<std::uint32_t*>(image_.bits()),
                 static_cast<int>(image_.bytesPerLine() / 4));
  return true;
}

// A line in the current pen. A one-pixel line leaves out its end pixel; a wider one is
// drawn across the line's direction and reaches half its width beyond both ends, so the
// segments of a route meet without gaps. Only the stretch inside the picture is walked,
// so a line to a far-away point costs no more than one across the picture.
void QtCanvas::StrokeLine(int x1, int y1, int x2, int y2) {
  if (!Begin()) return;
  const std::uint32_t rgb = ToRgb(penColor_);
  const bool notXor = penMode_ == PenMode::NotXor;
  const bool solid = penStyle_ == PenStyle::Solid;
  const int width = penWidth_;
  // Pixels across the line, relative to it: lo..hi (0..0 for a one-pixel line).
  const int lo = -(width / 2), hi = (width - 1) / 2;
  const long long ax = std::min(x1, x2), bx = std::max(x1, x2);
  const long long ay = std::min(y1, y2), by = std::max(y1, y2);
  if (width <= 1 && solid && y1 == y2) {
    if (x1 < x2)
      pixels_.FillSpan(y1, x1, x2, rgb, notXor);
    else
      pixels_.FillSpan(y1, x2 + 1LL, x1 + 1LL, rgb, notXor);
    return;
  }
  if (width <= 1 && solid && x1 == x2) {
    if (y1 < y2)
      pixels_.VLine(x1, y1, y2, rgb, notXor);
    else
      pixels_.VLine(x1, y2 + 1LL, y1 + 1LL, rgb, notXor);
    return;
  }
  if (width > 1 && ((solid && (x1 == x2 || y1 == y2)) || (x1 == x2 && y1 == y2))) {
    pixels_.FillRect(ax + lo, ay + lo, bx + hi + 1, by + hi + 1, rgb, notXor);
    return;
  }
  const long long dx = static_cast<long long>(x2) - x1, dy = static_cast<long long>(y2) - y1;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const long long n = std::max(adx, ady);
  if (n == 0) return;
  const bool xMajor = adx >= ady;
  const int major0 = xMajor ? x1 : y1;
  const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const long long minorDelta = xMajor ? dy : dx;
  const int minor0 = xMajor ? y1 : x1;
  const int limit = xMajor ? pixels_.Width() : pixels_.Height();
  // Steps i with 0 <= major0 + step * i < limit; a wide line has caps of lo and hi steps.
  long long from = width > 1 ? lo : 0, to = width > 1 ? n + hi : n - 1;
  if (step > 0) {
    from = std::max<long long>(from, -static_cast<long long>(major0));
    to = std::min<long long>(to, static_cast<long long>(limit) - 1 - major0);
  } else {
    from = std::max<long long>(from, static_cast<long long>(major0) - (limit - 1));
    to = std::min<long long>(to, major0);
  }
  if (from > to) return;
  // The minor coordinate of step i is minor0 + floor((2 i minorDelta + n) / 2n): the
  // nearest pixel, halves rounded up. Worked out once for the first step, then carried
  // along with its remainder.
  const long long n2 = 2 * n;
  const Wide first = Wide(2) * from * minorDelta + n;
  const Wide q = FloorDiv(first, n2);
  long long rest = static_cast<long long>(first - q * n2);
  long long minor = minor0 + static_cast<long long>(q);
  const long long increment = 2 * minorDelta;  // |increment| <= n2
  const int minorLimit = xMajor ? pixels_.Height() : pixels_.Width();
  for (long long i = from; i <= to; ++i) {
    if (minor + hi >= 0 && minor + lo < minorLimit &&
        PatternOn(penStyle_, i - (width > 1 ? lo : 0))) {
      const int major = static_cast<int>(major0 + step * i);
      for (int o = lo; o <= hi; ++o) {
        const long long m = minor + o;
        if (xMajor)
          pixels_.Plot(major, m, rgb, notXor);
        else
          pixels_.Plot(m, major, rgb, notXor);
      }
    }
    rest += increment;
    if (rest >= n2) {
      rest -= n2;
      ++minor;
    } else if (rest < 0) {
      rest += n2;
      --minor;
    }
  }
}

void QtCanvas::PreparePen(QPainter& p) {
  QPen pen(ToQColor(penColor_), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (penStyle_ != PenStyle::Solid) {
    double w = penWidth_;
    if (penStyle_ == PenStyle::Dash)
      pen.setDashPattern({kDashOn / w, (kDashPeriod - kDashOn) / w});
    else
      pen.setDashPattern({kDotOn / w, (kDotPeriod - kDotOn) / w});
  }
  p.setPen(pen);
  p.setCompositionMode(penMode_ == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                   : QPainter::CompositionMode_SourceOver);
}

// --- Canvas operations ------------------------------------------------------------------

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) { StrokeLine(x1, y1, x2, y2); }

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  const bool notXor = penMode_ == PenMode::NotXor;
  const int w = image_.width(), h = image_.height();
  if (x2 < 0 || y2 < 0 || x1 >= w || y1 >= h) return;
  const bool solidFill = brushStyle_ == BrushStyle::Solid;
  const std::uint32_t fill = ToRgb(brushColor_);
  const std::uint32_t rgb = ToRgb(penColor_);
  if (solidFill && !notXor && penWidth_ <= 1 && penStyle_ == PenStyle::Solid && fill == rgb) {
    // Outline and inside in one colour: a plain fill, as the clearing of the surface does.
    // A picture shared with a copy handed out by Image() is not copied just to be painted
    // over: a fill of the whole picture goes to the second picture, the one handed out the
    // time before, once nobody else holds it. The picture handed out now becomes the
    // second one (very large pictures are not kept twice).
    if (x1 <= 0 && y1 <= 0 && x2 >= w && y2 >= h && !image_.isDetached()) {
      End();
      const bool keep = static_cast<long long>(w) * h <= kMaxSparePixels;
      if (spare_.isDetached() && spare_.size() == image_.size()) {
        std::swap(image_, spare_);
        pixels_.SwapTiles(spareTiles_);
        if (!keep) spare_ = QImage();
      } else if (keep) {
        // Begin() below copies the shared picture; the tiles describe both.
        spare_ = image_;
        pixels_.CopyTilesTo(spareTiles_);
      } else {
        spare_ = QImage();
      }
    }
    if (!Begin()) return;
    pixels_.FillRect(x1, y1, x2, y2, fill, false);
    return;
  }
  if (!Begin()) return;
  if (solidFill)
    pixels_.FillRect(static_cast<long long>(x1) + 1, static_cast<long long>(y1) + 1,
                     static_cast<long long>(x2) - 1, static_cast<long long>(y2) - 1, fill, notXor);
  if (penWidth_ > 1) {
    const long long m = penWidth_ + 1;
    pixels_.Touch(x1 - m, y1 - m, x2 + m, y2 + m);
    QPainter* p = Painter();
    PreparePen(*p);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(x1 + 0.5, y1 + 0.5, static_cast<double>(x2) - x1 - 1.0,
                       static_cast<double>(y2) - y1 - 1.0));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  if (static_cast<long long>(x2) - x1 == 1 || static_cast<long long>(y2) - y1 == 1) {
    // A one-pixel-thin rectangle is all outline.
    pixels_.FillRect(x1, y1, x2, y2, rgb, notXor);
    return;
  }
  // The outline, every pixel once; walking stops at the picture's edge.
  StrokeLine(x1, y1, x2 - 1, y1);
  StrokeLine(x2 - 1, y1, x2 - 1, y2 - 1);
  StrokeLine(x2 - 1, y2 - 1, x1, y2 - 1);
  StrokeLine(x1, y2 - 1, x1, y1);
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2 || !Begin()) return;
  // Ellipses mark border points: one beyond the picture, or of an extent only damaged
  // coordinates give, is left out.
  constexpr long long kMaxExtent = 1 << 16;
  if (x2 < 0 || y2 < 0 || x1 >= pixels_.Width() || y1 >= pixels_.Height() ||
      static_cast<long long>(x2) - x1 > kMaxExtent || static_cast<long long>(y2) - y1 > kMaxExtent)
    return;
  const long long m = penWidth_ + 1;
  pixels_.Touch(x1 - m, y1 - m, x2 + m, y2 + m);
  QPainter* p = Painter();
  PreparePen(*p);
  if (brushStyle_ == BrushStyle::Solid)
    p->setBrush(ToQColor(brushColor_));
  else
    p->setBrush(Qt::NoBrush);
  p->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// --- Fonts and texts --------------------------------------------------------------------

QtCanvas::FontEntry& QtCanvas::CurrentEntry() {
  return fonts_.Current(font_, &FontKey, [this] {
    QFont f = ScreenFont(font_);
    auto entry = std::make_unique<FontEntry>(FontEntry{f, QFontMetrics(f), 0, 0, {}});
    entry->height = entry->metrics.height();
    entry->ascent = entry->metrics.ascent();
    return entry;
  });
}

void QtCanvas::FontChanged() { fonts_.FontChanged(font_); }

QtCanvas::TextShape& QtCanvas::ShapeOf(const std::string& text) {
  FontEntry& f = CurrentEntry();
  auto it = f.shapes.find(text);
  if (it != f.shapes.end()) return it->second;
  if (cachedShapes_ >= kMaxCachedShapes || cachedRuns_ >= kMaxCachedRuns) {
    fonts_.ForEach([](FontEntry& font) { font.shapes.clear(); });
    cachedShapes_ = 0;
    cachedRuns_ = 0;
  }
  TextShape& shape = f.shapes[text];
  ++cachedShapes_;
  shape.width = f.metrics.horizontalAdvance(ToQString(text));
  return shape;
}

// Draws the text once on a scratch picture, with room around it for glyphs that reach
// beyond their advance (italics, accents), and keeps the pixels it set.
void QtCanvas::Render(const FontEntry& f, const std::string& text, TextShape& shape) {
  const int pad = f.height;
  const int w = shape.width + 2 * pad, h = f.height + 2 * pad;
  QImage scratch(w, h, QImage::Format_RGB32);
  shape.rendered = true;
  if (scratch.isNull()) return;
  scratch.fill(0xFFFFFFFFu);
  {
    QPainter p(&scratch);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(f.font);
    p.setPen(QColor(0, 0, 0));
    p.drawText(QPoint(pad, pad + f.ascent), ToQString(text));
  }
  for (int y = 0; y < h; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    int x = 0;
    while (x < w) {
      if (qGray(row[x]) >= 128) {
        ++x;
        continue;
      }
      int start = x;
      while (x < w && qGray(row[x]) < 128) ++x;
      shape.runs.push_back({y - pad, start - pad, x - pad});
    }
  }
  shape.runs.shrink_to_fit();
  for (const PixelSurface::Run& r : shape.runs) {
    shape.minX = std::min(shape.minX, r.x0);
    shape.maxX = std::max(shape.maxX, r.x1);
    shape.minDy = std::min(shape.minDy, r.dy);
    shape.maxDy = std::max(shape.maxDy, r.dy);
  }
  cachedRuns_ += shape.runs.size();
}

int QtCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  return ShapeOf(text).width;
}

int QtCanvas::TextHeight(const std::string&) { return CurrentEntry().height; }

int QtCanvas::DrawText(int x, int y, const std::string& text) {
  if (text.empty()) return 0;
  FontEntry& f = CurrentEntry();
  TextShape& shape = ShapeOf(text);
  const int w = shape.width;
  if (!Begin()) return w;
  if (brushStyle_ == BrushStyle::Solid)
    pixels_.FillRect(x, y, static_cast<long long>(x) + w, static_cast<long long>(y) + f.height,
                     ToRgb(brushColor_), false);
  // Texts far outside the picture are neither drawn nor kept.
  const long long pad = f.height;
  if (x - pad > pixels_.Width() || y - pad > pixels_.Height() ||
      static_cast<long long>(x) + w + pad < 0 || static_cast<long long>(y) + f.height + pad < 0)
    return w;
  const std::uint32_t rgb = ToRgb(Canvas::Font().Color);
  if (w > kMaxShapeWidth) {
    // Very long texts (damaged files) are not worth keeping.
    pixels_.Touch(x - pad, y - pad, static_cast<long long>(x) + w + pad,
                  static_cast<long long>(y) + f.height + pad);
    QPainter* p = Painter();
    p->setFont(f.font);
    p->setPen(QColor::fromRgb(rgb));
    p->drawText(QPoint(x, y + f.ascent), ToQString(text));
    return w;
  }
  if (!shape.rendered) Render(f, text, shape);
  pixels_.DrawRuns(x, y, shape.runs, shape.minX, shape.maxX, shape.minDy, shape.maxDy, rgb);
  return w;
}

}  // namespace zedro
