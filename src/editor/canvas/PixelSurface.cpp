#include "editor/canvas/PixelSurface.h"

#include <algorithm>
#include <cstring>

namespace zedro {

void PixelSurface::Reset(int width, int height, std::uint32_t clean) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  tilesX_ = (width_ + (1 << kTileShiftX) - 1) >> kTileShiftX;
  tilesY_ = (height_ + (1 << kTileShiftY) - 1) >> kTileShiftY;
  tiles_.state.assign(static_cast<std::size_t>(tilesX_) * tilesY_, kClean);
  tiles_.clean = clean;
  tiles_.anyStale = false;
  tiles_.staleX2 = tiles_.staleY2 = -1;
}

void PixelSurface::ResetStale(int width, int height, std::uint32_t clean) {
  Reset(width, height, clean);
  if (tilesX_ == 0 || tilesY_ == 0) return;
  std::fill(tiles_.state.begin(), tiles_.state.end(), static_cast<std::uint8_t>(kStale));
  tiles_.anyStale = true;
  tiles_.staleX1 = tiles_.staleY1 = 0;
  tiles_.staleX2 = tilesX_ - 1;
  tiles_.staleY2 = tilesY_ - 1;
}

void PixelSurface::Fill(std::uint32_t* p, long long n, std::uint32_t rgb) {
  const std::uint8_t byte = rgb & 0xFF;
  if (n <= kTileWidth) {
    for (long long i = 0; i < n; ++i) p[i] = rgb;
  } else if (rgb == byte * 0x01010101u)
    std::memset(p, byte, static_cast<std::size_t>(n) * 4);
  else
    std::fill(p, p + n, rgb);
}

void PixelSurface::CleanTile(long long tx, long long ty) {
  const long long x1 = tx << kTileShiftX, x2 = std::min<long long>(x1 + (1 << kTileShiftX), width_);
  const long long y1 = ty << kTileShiftY,
                  y2 = std::min<long long>(y1 + (1 << kTileShiftY), height_);
  const std::uint32_t clean = tiles_.clean;
  const std::uint8_t byte = clean & 0xFF;
  if (x2 - x1 == kTileWidth && clean == byte * 0x01010101u) {
    // A whole tile row in one colour byte (white): a fixed-size fill the compiler writes
    // as a few wide stores.
    for (long long y = y1; y < y2; ++y) std::memset(Row(y) + x1, byte, kTileWidth * 4);
    return;
  }
  for (long long y = y1; y < y2; ++y) Fill(Row(y) + x1, x2 - x1, clean);
}

void PixelSurface::Flush() {
  if (!tiles_.anyStale) return;
  for (long long ty = tiles_.staleY1; ty <= tiles_.staleY2; ++ty)
    for (long long tx = tiles_.staleX1; tx <= tiles_.staleX2; ++tx) {
      std::uint8_t& s = State(tx, ty);
      if (s != kStale) continue;
      CleanTile(tx, ty);
      s = kClean;
    }
  tiles_.anyStale = false;
  tiles_.staleX2 = tiles_.staleY2 = -1;
}

void PixelSurface::FlushArea(long long x1, long long y1, long long x2, long long y2) {
  if (!tiles_.anyStale) return;
  x1 = std::max(x1, 0LL);
  y1 = std::max(y1, 0LL);
  x2 = std::min<long long>(x2, width_);
  y2 = std::min<long long>(y2, height_);
  if (x1 >= x2 || y1 >= y2) return;
  const long long tx1 = std::max(x1 >> kTileShiftX, tiles_.staleX1);
  const long long tx2 = std::min((x2 - 1) >> kTileShiftX, tiles_.staleX2);
  const long long ty1 = std::max(y1 >> kTileShiftY, tiles_.staleY1);
  const long long ty2 = std::min((y2 - 1) >> kTileShiftY, tiles_.staleY2);
  for (long long ty = ty1; ty <= ty2; ++ty)
    for (long long tx = tx1; tx <= tx2; ++tx) {
      std::uint8_t& s = State(tx, ty);
      if (s != kStale) continue;
      CleanTile(tx, ty);
      s = kClean;
    }
}

void PixelSurface::MarkStale(long long tx, long long ty) {
  if (!tiles_.anyStale) {
    tiles_.anyStale = true;
    tiles_.staleX1 = tiles_.staleX2 = tx;
    tiles_.staleY1 = tiles_.staleY2 = ty;
    return;
  }
  tiles_.staleX1 = std::min(tiles_.staleX1, tx);
  tiles_.staleX2 = std::max(tiles_.staleX2, tx);
  tiles_.staleY1 = std::min(tiles_.staleY1, ty);
  tiles_.staleY2 = std::max(tiles_.staleY2, ty);
}

void PixelSurface::Touch(long long x1, long long y1, long long x2, long long y2) {
  x1 = std::max(x1, 0LL);
  y1 = std::max(y1, 0LL);
  x2 = std::min<long long>(x2, width_);
  y2 = std::min<long long>(y2, height_);
  if (x1 >= x2 || y1 >= y2) return;
  for (long long ty = y1 >> kTileShiftY; ty <= (y2 - 1) >> kTileShiftY; ++ty)
    for (long long tx = x1 >> kTileShiftX; tx <= (x2 - 1) >> kTileShiftX; ++tx) Prepare(tx, ty);
}

void PixelSurface::FillSpan(long long y, long long x1, long long x2, std::uint32_t rgb,
                            bool notXor) {
  if (y < 0 || y >= height_) return;
  x1 = std::max(x1, 0LL);
  x2 = std::min<long long>(x2, width_);
  if (x1 >= x2) return;
  const long long ty = y >> kTileShiftY, last = (x2 - 1) >> kTileShiftX;
  std::uint32_t* row = Row(y);
  if (!notXor && rgb == tiles_.clean) {
    // Only dirty tiles can hold another colour.
    for (long long t = x1 >> kTileShiftX; t <= last;) {
      if (State(t, ty) != kDirty) {
        ++t;
        continue;
      }
      long long u = t;
      while (u < last && State(u + 1, ty) == kDirty) ++u;
      const long long a = std::max(x1, t << kTileShiftX);
      const long long b = std::min(x2, (u + 1) << kTileShiftX);
      Fill(row + a, b - a, rgb);
      t = u + 1;
    }
    return;
  }
  for (long long t = x1 >> kTileShiftX; t <= last; ++t) Prepare(t, ty);
  if (notXor) {
    for (long long x = x1; x < x2; ++x) row[x] = NotXorPixel(rgb, row[x]);
  } else {
    Fill(row + x1, x2 - x1, rgb);
  }
}

void PixelSurface::VLine(long long x, long long y1, long long y2, std::uint32_t rgb, bool notXor) {
  if (x < 0 || x >= width_) return;
  y1 = std::max(y1, 0LL);
  y2 = std::min<long long>(y2, height_);
  if (y1 >= y2) return;
  Touch(x, y1, x + 1, y2);
  std::uint32_t* p = Row(y1) + x;
  for (long long y = y1; y < y2; ++y, p += stride_) {
    // Every pixel of a column lies in a cache line of its own: ask for those ahead early.
    if (y + kAhead < y2) __builtin_prefetch(p + kAhead * static_cast<long long>(stride_), 1);
    *p = notXor ? NotXorPixel(rgb, *p) : rgb;
  }
}

void PixelSurface::FillRect(long long x1, long long y1, long long x2, long long y2,
                            std::uint32_t rgb, bool notXor) {
  x1 = std::max(x1, 0LL);
  y1 = std::max(y1, 0LL);
  x2 = std::min<long long>(x2, width_);
  y2 = std::min<long long>(y2, height_);
  if (x1 >= x2 || y1 >= y2) return;
  if (!notXor && rgb == tiles_.clean) {
    // Dirty tiles that the rectangle covers wholly become stale (a tile cut off by the
    // right or bottom edge of the picture counts as whole); the parts of the others that
    // are dirty are filled.
    for (long long ty = y1 >> kTileShiftY; ty <= (y2 - 1) >> kTileShiftY; ++ty) {
      const long long ty1 = ty << kTileShiftY,
                      ty2 = std::min<long long>(ty1 + (1 << kTileShiftY), height_);
      const long long ya = std::max(y1, ty1), yb = std::min(y2, ty2);
      const bool rowsCovered = ya == ty1 && yb == ty2;
      // Neighbouring dirty tiles that stay dirty are filled together, row by row.
      long long spanFrom = -1, spanTo = -1;
      auto flush = [&] {
        if (spanFrom < 0) return;
        for (long long y = ya; y < yb; ++y) Fill(Row(y) + spanFrom, spanTo - spanFrom, rgb);
        spanFrom = -1;
      };
      for (long long tx = x1 >> kTileShiftX; tx <= (x2 - 1) >> kTileShiftX; ++tx) {
        std::uint8_t& s = State(tx, ty);
        if (s != kDirty) {
          flush();
          continue;
        }
        const long long tx1 = tx << kTileShiftX,
                        tx2 = std::min<long long>(tx1 + (1 << kTileShiftX), width_);
        const long long xa = std::max(x1, tx1), xb = std::min(x2, tx2);
        if (rowsCovered && xa == tx1 && xb == tx2) {
          flush();
          s = kStale;
          MarkStale(tx, ty);
          continue;
        }
        if (spanFrom < 0) spanFrom = xa;
        spanTo = xb;
      }
      flush();
    }
    return;
  }
  if (!notXor && x1 == 0 && y1 == 0 && x2 == width_ && y2 == height_) {
    // The whole picture in a new colour, which becomes the clean one.
    if (stride_ == width_) {
      Fill(bits_, static_cast<long long>(width_) * height_, rgb);
    } else {
      for (long long y = 0; y < height_; ++y) Fill(Row(y), width_, rgb);
    }
    Reset(width_, height_, rgb);
    return;
  }
  Touch(x1, y1, x2, y2);
  for (long long y = y1; y < y2; ++y) {
    std::uint32_t* row = Row(y);
    if (notXor) {
      for (long long x = x1; x < x2; ++x) row[x] = NotXorPixel(rgb, row[x]);
    } else {
      Fill(row + x1, x2 - x1, rgb);
    }
  }
}

void PixelSurface::DrawRuns(long long x, long long y, const std::vector<Run>& runs, int minX,
                            int maxX, int minDy, int maxDy, std::uint32_t rgb) {
  if (runs.empty()) return;
  if (x + minX >= 0 && x + maxX <= width_ && y + minDy >= 0 && y + maxDy < height_) {
    Touch(x + minX, y + minDy, x + maxX, y + maxDy + 1);
    for (const Run& r : runs) {
      std::uint32_t* row = Row(y + r.dy) + x;
      std::fill(row + r.x0, row + r.x1, rgb);
    }
    return;
  }
  for (const Run& r : runs) FillSpan(y + r.dy, x + r.x0, x + r.x1, rgb, false);
}

}  // namespace zedro
