// Real pixels of the QPainter canvas, on the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

#include "CanvasPixels.h"
#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

using namespace canvastest;

TEST(QtCanvas, LinesLeaveOutTheirEndPixelAndFollowThePenPattern) {
  QtCanvas c(100, 60);
  c.MoveTo(10, 10);
  c.LineTo(40, 10);
  EXPECT_EQ((std::vector<std::pair<bool, int>>{{false, 10}, {true, 30}, {false, 60}}),
            Runs(c.Image(), 10, 0, 100, true));
  // Long dashes 18 on, 6 off; short ones 3 and 3.
  c.SetPenStyle(PenStyle::Dash);
  c.MoveTo(0, 20);
  c.LineTo(60, 20);
  EXPECT_EQ((std::vector<std::pair<bool, int>>{
                {true, 18}, {false, 6}, {true, 18}, {false, 6}, {true, 12}}),
            Runs(c.Image(), 20, 0, 60, true));
}

}  // namespace
}  // namespace zedro

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
