// Real pixels of the QPainter canvas, on the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <utility>
#include <vector>

#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

QRgb Pixel(QtCanvas& c, int x, int y) { return c.Image().pixel(x, y); }

// The colours along a row, as runs of equal length: {black?, length}.
std::vector<std::pair<bool, int>> Runs(QtCanvas& c, int y, int from, int to) {
  std::vector<std::pair<bool, int>> runs;
  for (int x = from; x < to; ++x) {
    const bool black = Pixel(c, x, y) == kBlack;
    if (runs.empty() || runs.back().first != black)
      runs.push_back({black, 1});
    else
      ++runs.back().second;
  }
  return runs;
}

TEST(QtCanvas, LinesLeaveOutTheirEndPixelAndFollowThePenPattern) {
  QtCanvas c(100, 60);
  c.MoveTo(10, 10);
  c.LineTo(40, 10);
  EXPECT_EQ((std::vector<std::pair<bool, int>>{{false, 10}, {true, 30}, {false, 60}}),
            Runs(c, 10, 0, 100));
  // Long dashes 18 on, 6 off; short ones 3 and 3.
  c.SetPenStyle(PenStyle::Dash);
  c.MoveTo(0, 20);
  c.LineTo(60, 20);
  EXPECT_EQ((std::vector<std::pair<bool, int>>{
                {true, 18}, {false, 6}, {true, 18}, {false, 6}, {true, 12}}),
            Runs(c, 20, 0, 60));
}

TEST(QtCanvas, NotXorTwiceRestoresThePicture) {
  QtCanvas c(120, 80);
  c.SetBrushColor(RGB(0, 200, 0));
  c.Rectangle(5, 5, 60, 40);
  c.TextOut(10, 50, "Text");
  const QImage before = c.Image().copy();

  c.SetPenMode(PenMode::NotXor);
  c.SetPenColor(kClRed);
  c.SetBrushStyle(BrushStyle::Clear);
  for (int pass = 0; pass < 2; ++pass) {
    c.SetPenStyle(PenStyle::Dash);
    c.MoveTo(0, 20);
    c.LineTo(110, 20);
    c.LineTo(110, 70);
    c.SetPenStyle(PenStyle::Solid);
    c.Rectangle(20, 10, 90, 60);
    if (pass == 0) {
      EXPECT_NE(before, c.Image());
      // On white, not-xor shows the pen colour.
      EXPECT_EQ(qRgb(255, 0, 0), Pixel(c, 100, 20));
    }
  }
  EXPECT_EQ(before, c.Image());
}

TEST(QtCanvas, FarCoordinatesAreCheap) {
  QtCanvas c(200, 200);
  auto start = std::chrono::steady_clock::now();
  c.MoveTo(-2000000000, -2000000000);
  c.LineTo(2000000000, 2000000000);
  EXPECT_EQ(kBlack, Pixel(c, 100, 100));
  EXPECT_EQ(kBlack, Pixel(c, 199, 199));
  c.Rectangle(-2000000000, -5, 2000000000, 2000000000);
  c.TextOut(2000000000, 5, "weit");
  c.SetPenWidth(2);
  c.LineTo(-2000000000, 7);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(kWhite, Pixel(c, 100, 100));  // inside the far rectangle, filled white
  EXPECT_EQ(kBlack, Pixel(c, 100, 6));    // the wide line back across the picture
}

}  // namespace
}  // namespace zedro

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
