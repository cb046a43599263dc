// Pixels of the canvas pictures, as the canvas tests look at them.
#pragma once

#include <QImage>
#include <utility>
#include <vector>

namespace zedro::canvastest {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

inline bool Dark(QRgb p) { return qGray(p) < 160; }

// The pixels of a row from x = from to x < to, as runs of equal darkness: {dark?, length}.
// Where the picture is not smoothed only black counts as dark.
inline std::vector<std::pair<bool, int>> Runs(const QImage& img, int y, int from, int to,
                                              bool onlyBlack = false) {
  std::vector<std::pair<bool, int>> runs;
  for (int x = from; x < to; ++x) {
    const bool on = onlyBlack ? img.pixel(x, y) == kBlack : Dark(img.pixel(x, y));
    if (runs.empty() || runs.back().first != on)
      runs.push_back({on, 1});
    else
      ++runs.back().second;
  }
  return runs;
}

}  // namespace zedro::canvastest
