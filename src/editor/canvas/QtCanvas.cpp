#include "editor/canvas/QtCanvas.h"

#include <QFontDatabase>
#include <QPen>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/Win1252.h"

namespace zedro {
namespace {

// The classic raster pen patterns, in pixels: long dash and short dash.
constexpr int kDashOn = 18, kDashPeriod = 24;
constexpr int kDotOn = 3, kDotPeriod = 6;
// Font sizes beyond this many pixels only come from damaged files.
constexpr int kMaxFontPixels = 400;

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
  static std::unordered_map<std::string, QString> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  QString wanted = ToQString(name);
  QString family;
  if (!wanted.isEmpty() && QFontDatabase::hasFamily(wanted)) {
    family = wanted;
  } else {
    // Substitutes of similar metrics among the fonts every installation has.
    std::string lower = text::LowerAscii(name);
    auto has = [&](const char* part) { return lower.find(part) != std::string::npos; };
    const char* substitute = "DejaVu Sans";
    if (has("courier") || has("mono") || has("fixedsys") || has("terminal") ||
        has("console") || has("consolas"))
      substitute = "DejaVu Sans Mono";
    else if (has("times") || (has("serif") && !has("sans")) || has("georgia") || has("garamond"))
      substitute = "DejaVu Serif";
    family = QString::fromLatin1(substitute);
    if (!QFontDatabase::hasFamily(family))
      family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }
  cache.emplace(name, family);
  return family;
}

QtCanvas::QtCanvas(int width, int height) { Resize(width, height); }

QtCanvas::~QtCanvas() { End(); }

void QtCanvas::Resize(int width, int height) {
  End();
  image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  if (!image_.isNull()) image_.fill(0xFFFFFFFFu);
}

QPainter* QtCanvas::Painter() {
  if (image_.isNull()) return nullptr;
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painterFont_ = nullptr;
  }
  return painter_.get();
}

void QtCanvas::End() {
  if (painter_) painter_->end();
  painter_.reset();
  painterFont_ = nullptr;
}

const QImage& QtCanvas::Image() {
  End();
  return image_;
}

bool QtCanvas::SavePicture(const std::string& utf8Path) {
  End();
  if (image_.isNull()) return false;
  QString path = QString::fromUtf8(utf8Path);
  const char* format = path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "PNG" : "BMP";
  return image_.save(path, format);
}

// --- Pixels -----------------------------------------------------------------------------

std::uint32_t* QtCanvas::Row(int y) {
  // Writing through the painter's own device: the raster engine paints straight into the
  // image memory, so direct pixel access and QPainter calls mix in call order.
  return reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
}

void QtCanvas::Plot(int x, int y, std::uint32_t rgb, bool notXor) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  std::uint32_t& p = Row(y)[x];
  p = notXor ? (~(rgb ^ p) & 0x00FFFFFFu) | 0xFF000000u : rgb;
}

void QtCanvas::FillSpan(int y, int x1, int x2, std::uint32_t rgb, bool notXor) {
  if (y < 0 || y >= image_.height()) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, image_.width());
  if (x1 >= x2) return;
  std::uint32_t* row = Row(y);
  if (!notXor) {
    std::fill(row + x1, row + x2, rgb);
  } else {
    for (int x = x1; x < x2; ++x) row[x] = (~(rgb ^ row[x]) & 0x00FFFFFFu) | 0xFF000000u;
  }
}

// A one-pixel line without its end pixel. Only the stretch inside the picture is
// walked, so a line to a far-away point costs no more than one across the picture.
void QtCanvas::ThinLine(int x1, int y1, int x2, int y2) {
  const std::uint32_t rgb = ToRgb(penColor_);
  const bool notXor = penMode_ == PenMode::NotXor;
  const long long dx = static_cast<long long>(x2) - x1, dy = static_cast<long long>(y2) - y1;
  const long long adx = std::llabs(dx), ady = std::llabs(dy);
  const long long n = std::max(adx, ady);
  if (n == 0) return;
  const bool xMajor = adx >= ady;
  const int major0 = xMajor ? x1 : y1;
  const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const long long minorDelta = xMajor ? dy : dx;
  const int minor0 = xMajor ? y1 : x1;
  const int limit = xMajor ? image_.width() : image_.height();
  const int minorLimit = xMajor ? image_.height() : image_.width();
  // Steps i with 0 <= major0 + step * i < limit.
  long long from = 0, to = n - 1;
  if (step > 0) {
    from = std::max<long long>(from, -static_cast<long long>(major0));
    to = std::min<long long>(to, static_cast<long long>(limit) - 1 - major0);
  } else {
    from = std::max<long long>(from, static_cast<long long>(major0) - (limit - 1));
    to = std::min<long long>(to, major0);
  }
  for (long long i = from; i <= to; ++i) {
    if (!PatternOn(penStyle_, i)) continue;
    Wide minor = minor0 + FloorDiv(Wide(2) * i * minorDelta + n, Wide(2) * n);
    if (minor < 0 || minor >= minorLimit) continue;
    int major = static_cast<int>(major0 + step * i);
    if (xMajor)
      Plot(major, static_cast<int>(minor), rgb, notXor);
    else
      Plot(static_cast<int>(minor), major, rgb, notXor);
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

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  if (penWidth_ <= 1) {
    ThinLine(x1, y1, x2, y2);
    return;
  }
  QPainter* p = Painter();
  PreparePen(*p);
  p->drawLine(QLineF(x1, y1, x2, y2));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (image_.isNull()) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  const bool notXor = penMode_ == PenMode::NotXor;
  const int w = image_.width(), h = image_.height();
  if (x2 < 0 || y2 < 0 || x1 >= w || y1 >= h) return;
  if (brushStyle_ == BrushStyle::Solid) {
    const std::uint32_t fill = ToRgb(brushColor_);
    for (int y = std::max(y1 + 1, 0); y < std::min(y2 - 1, h); ++y)
      FillSpan(y, x1 + 1, x2 - 1, fill, notXor);
  }
  if (penWidth_ > 1) {
    QPainter* p = Painter();
    PreparePen(*p);
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1.0, y2 - y1 - 1.0));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  if (x2 - x1 == 1 || y2 - y1 == 1) {
    // A one-pixel-thin rectangle is all outline.
    const std::uint32_t rgb = ToRgb(penColor_);
    for (int y = std::max(y1, 0); y < std::min(y2, h); ++y) FillSpan(y, x1, x2, rgb, notXor);
    return;
  }
  // The outline, every pixel once; walking stops at the picture's edge.
  ThinLine(x1, y1, x2 - 1, y1);
  ThinLine(x2 - 1, y1, x2 - 1, y2 - 1);
  ThinLine(x2 - 1, y2 - 1, x1, y2 - 1);
  ThinLine(x1, y2 - 1, x1, y1);
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  QPainter* p = Painter();
  if (!p) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  PreparePen(*p);
  if (brushStyle_ == BrushStyle::Solid)
    p->setBrush(ToQColor(brushColor_));
  else
    p->setBrush(Qt::NoBrush);
  p->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

const QtCanvas::FontEntry& QtCanvas::CurrentFont() {
  if (fontValid_ && entry_) return *entry_;
  int px = FontPixelHeight();
  px = std::clamp(px == 0 ? 11 : px, 1, kMaxFontPixels);
  std::string key = font_.Name;
  key += '\x01';
  key += std::to_string(px);
  key += font_.Bold ? 'b' : '-';
  key += font_.Italic ? 'i' : '-';
  key += font_.Underline ? 'u' : '-';
  key += font_.StrikeOut ? 's' : '-';
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    QFont f(FamilyFor(font_.Name));
    f.setPixelSize(px);
    f.setBold(font_.Bold);
    f.setItalic(font_.Italic);
    f.setUnderline(font_.Underline);
    f.setStrikeOut(font_.StrikeOut);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setKerning(false);
    it = fonts_.emplace(key, std::make_unique<FontEntry>(FontEntry{f, QFontMetrics(f)})).first;
  }
  entry_ = it->second.get();
  entrySpec_ = font_;
  fontValid_ = true;
  return *entry_;
}

void QtCanvas::FontChanged() {
  // A new colour needs no new font.
  if (fontValid_ && entry_) {
    const TFontSpec& a = font_;
    const TFontSpec& b = entrySpec_;
    fontValid_ = a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold &&
                 a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut;
  }
}

int QtCanvas::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  return CurrentFont().metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) { return CurrentFont().metrics.height(); }

int QtCanvas::DrawText(int x, int y, const std::string& text) {
  if (text.empty()) return 0;
  const FontEntry& f = CurrentFont();
  QString s = ToQString(text);
  int w = f.metrics.horizontalAdvance(s);
  QPainter* p = Painter();
  if (!p) return w;
  if (brushStyle_ == BrushStyle::Solid) {
    const std::uint32_t fill = ToRgb(brushColor_);
    const int h = f.metrics.height();
    for (int row = std::max(y, 0); row < std::min<long long>(static_cast<long long>(y) + h,
                                                             image_.height());
         ++row)
      FillSpan(row, x, x + w, fill, false);
  }
  // Texts far outside the picture are not handed to the text engine.
  if (x > image_.width() || y > image_.height() || x + w < 0 || y + f.metrics.height() < 0)
    return w;
  if (painterFont_ != &f) {
    p->setFont(f.font);
    painterFont_ = &f;
  }
  p->setPen(ToQColor(Canvas::Font().Color));
  p->drawText(QPoint(x, y + f.metrics.ascent()), s);
  return w;
}

}  // namespace zedro
