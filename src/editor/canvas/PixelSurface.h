// The pixels of the canvas picture (32 bits each), written directly, and the state of its
// 16 x 8 pixel tiles. A tile is clean (every pixel has the colour the picture was last
// filled with), dirty (drawn on since), or stale: clean as far as the drawing is
// concerned, but its memory still holds an older drawing. Filling the picture with the
// clean colour only makes the dirty tiles stale; a stale tile is cleaned when something
// is drawn on it, while its memory is at hand anyway, or when the picture is shown.
// So clearing the surface and drawing it again touches each pixel once.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace zedro {

class PixelSurface {
 public:
  // A horizontal run of set pixels, relative to a point: row dy, columns [x0, x1).
  struct Run {
    int dy;
    int x0;
    int x1;
  };
  // The tile states of one picture and its clean colour.
  struct TileMap {
    std::vector<std::uint8_t> state;
    std::uint32_t clean = 0;
    bool anyStale = false;
    // The tiles that may be stale lie in columns staleX1..staleX2 and rows staleY1..staleY2
    // (inclusive): a flush after a small change visits only those.
    long long staleX1 = 0, staleY1 = 0, staleX2 = -1, staleY2 = -1;
  };

  // Starts over on a picture whose pixels all have the colour `clean`.
  void Reset(int width, int height, std::uint32_t clean);
  // Starts over on a picture of new memory: every tile is stale, so that only the tiles
  // drawn on or shown are ever written.
  void ResetStale(int width, int height, std::uint32_t clean);
  // Exchanges the tile states with those of another picture of the same size.
  void SwapTiles(TileMap& other) { std::swap(tiles_, other); }
  void CopyTilesTo(TileMap& other) const { other = tiles_; }
  // The pixel memory, which moves when the picture is detached from a copy.
  void Attach(std::uint32_t* bits, int stride) {
    bits_ = bits;
    stride_ = stride;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Some tiles still need cleaning before the picture can be shown.
  bool NeedsFlush() const { return tiles_.anyStale; }
  void Flush();
  // Cleans the stale tiles of the half-open rectangle [x1, x2) x [y1, y2) only.
  void FlushArea(long long x1, long long y1, long long x2, long long y2);

  // Pixels outside the picture are left out. Not-xor stores NOT (colour XOR pixel).
  void Plot(long long x, long long y, std::uint32_t rgb, bool notXor) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Prepare(x >> kTileShiftX, y >> kTileShiftY);
    std::uint32_t& p = Row(y)[x];
    p = notXor ? NotXorPixel(rgb, p) : rgb;
  }
  void FillSpan(long long y, long long x1, long long x2, std::uint32_t rgb, bool notXor);
  // Column x from row y1 up to, not including, row y2.
  void VLine(long long x, long long y1, long long y2, std::uint32_t rgb, bool notXor);
  // The half-open rectangle [x1, x2) x [y1, y2).
  void FillRect(long long x1, long long y1, long long x2, long long y2, std::uint32_t rgb,
                bool notXor);
  // Runs relative to (x, y), in one colour; minX..maxX and minDy..maxDy bound them.
  void DrawRuns(long long x, long long y, const std::vector<Run>& runs, int minX, int maxX,
                int minDy, int maxDy, std::uint32_t rgb);
  // Readies the rectangle for another engine (the text and shape engine) to draw on.
  void Touch(long long x1, long long y1, long long x2, long long y2);

 private:
  static constexpr int kTileShiftX = 4;
  static constexpr int kTileShiftY = 3;
  static constexpr int kTileWidth = 1 << kTileShiftX;
  // How many rows ahead a column asks for its memory.
  static constexpr int kAhead = 12;
  enum : std::uint8_t { kClean = 0, kDirty = 1, kStale = 2 };

  static std::uint32_t NotXorPixel(std::uint32_t rgb, std::uint32_t p) {
    return (~(rgb ^ p) & 0x00FFFFFFu) | 0xFF000000u;
  }
  std::uint32_t* Row(long long y) const { return bits_ + y * stride_; }
  std::uint8_t& State(long long tx, long long ty) {
    return tiles_.state[static_cast<std::size_t>(ty * tilesX_ + tx)];
  }
  // Before a tile is drawn on: cleaned if stale, then dirty.
  void Prepare(long long tx, long long ty) {
    std::uint8_t& s = State(tx, ty);
    if (s == kStale) CleanTile(tx, ty);
    s = kDirty;
  }
  void CleanTile(long long tx, long long ty);
  void MarkStale(long long tx, long long ty);
  static void Fill(std::uint32_t* p, long long n, std::uint32_t rgb);

  std::uint32_t* bits_ = nullptr;
  int stride_ = 0;  // pixels per row
  int width_ = 0;
  int height_ = 0;
  int tilesX_ = 0;
  int tilesY_ = 0;
  TileMap tiles_;
};

}  // namespace zedro
