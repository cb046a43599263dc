// The Qt canvas clears lazily, tile by tile: a picture handed out by Image() must neither
// change afterwards nor leak into the next drawing, compared with a fresh canvas each time.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "CanvasPixels.h"
#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

using canvastest::kWhite;

// A drawing over many tiles, different for every n: boxes with texts, an erased place,
// lines of widths 1 and 2 in several styles.
void Frame(QtCanvas& c, int n) {
  c.SetPenStyle(PenStyle::Solid);
  c.SetPenColor(kClWhite);
  c.SetBrushColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  c.Rectangle(0, 0, c.Width(), c.Height());
  c.SetPenColor(kClBlack);
  for (int i = 0; i < 4; ++i) {
    const int x = 7 + (n * 37 + i * 71) % 220, y = 5 + (n * 23 + i * 53) % 150;
    c.SetBrushStyle(BrushStyle::Solid);
    c.TextOut(x + 4, y + 4, "Klasse" + std::to_string(n + i));
    c.SetBrushStyle(BrushStyle::Clear);
    c.Rectangle(x, y, x + 100, y + 40);
    c.MoveTo(x, y + 17);
    c.LineTo(x + 100, y + 17);
  }
  // An erased place that cuts through tiles, as moving a box does.
  c.SetPenColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  c.Rectangle(30 + n * 11 % 50, 20 + n * 7 % 40, 95 + n * 13 % 60, 77 + n * 5 % 30);
  c.SetPenColor(RGB(128, 0, 128));
  c.MoveTo(3 + n * 17 % 90, 190);
  c.LineTo(290, 3 + n * 29 % 100);
  c.SetPenWidth(2);
  c.LineTo(20, 60);
  c.SetPenStyle(PenStyle::Dash);
  c.LineTo(250 - n * 9 % 70, 60);
  c.SetPenWidth(1);
}

QImage Fresh(int n) {
  QtCanvas c(300, 200);
  Frame(c, n);
  return c.Image().copy();
}

TEST(QtCanvasFrames, PicturesHandedOutStayAsTheyWere) {
  // As the editor does: the picture shown is a copy that lives until the next redraw.
  QtCanvas c(300, 200);
  QImage shown, before;
  for (int n = 0; n < 7; ++n) {
    Frame(c, n);
    before = shown;
    shown = c.Image();
    ASSERT_EQ(Fresh(n), shown) << "frame " << n;
    ASSERT_TRUE(n == 0 || Fresh(n - 1) == before) << "frame " << n - 1 << " changed";
    before = QImage();
  }
  // Drawing on the shown picture without clearing it first leaves the copy alone too.
  c.SetPenColor(kClRed);
  c.MoveTo(0, 0);
  c.LineTo(299, 199);
  EXPECT_EQ(Fresh(6), shown);
  EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(150, 100));
  // A resized picture is white and drawn on everywhere.
  c.Resize(400, 300);
  EXPECT_EQ(kWhite, c.Image().pixel(60, 45));
  c.LineTo(400, 300);
  EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(399, 299));
}

}  // namespace
}  // namespace zedro
