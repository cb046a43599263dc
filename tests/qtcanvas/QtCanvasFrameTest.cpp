// The Qt canvas over several redraws: the surface is cleared lazily, tile by tile, and a
// picture handed out by Image() must neither change afterwards nor leak into the next
// drawing. Every picture is compared with the same drawing on a fresh canvas.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

// A drawing that covers the picture in many places, different for every n: boxes with
// texts, erased places, lines of widths 1 and 2 in several styles, border points.
void Frame(QtCanvas& c, int n) {
  c.SetPenMode(PenMode::Copy);
  c.SetPenStyle(PenStyle::Solid);
  c.SetPenWidth(1);
  c.SetPenColor(kClWhite);
  c.SetBrushColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  c.Rectangle(0, 0, c.Width(), c.Height());
  c.SetPenColor(kClBlack);
  for (int i = 0; i < 4; ++i) {
    const int x = 7 + (n * 37 + i * 71) % 220, y = 5 + (n * 23 + i * 53) % 150;
    c.SetBrushStyle(BrushStyle::Solid);
    c.TextOut(x + 4, y + 4, "Klasse" + std::to_string(n + i));
    c.TextOut(x + 4, y + 19, "- wert: Integer");
    c.SetBrushStyle(BrushStyle::Clear);
    c.Rectangle(x, y, x + 100, y + 40);
    c.MoveTo(x, y + 17);
    c.LineTo(x + 100, y + 17);
  }
  // An erased place that cuts through tiles, as moving a box does.
  c.SetPenColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  c.Rectangle(30 + n * 11 % 50, 20 + n * 7 % 40, 95 + n * 13 % 60, 77 + n * 5 % 30);
  c.SetPenColor(RGB(0, 0, 170));
  c.MoveTo(3 + n * 17 % 90, 190);
  c.LineTo(290, 3 + n * 29 % 100);
  c.SetPenWidth(2);
  c.SetPenColor(RGB(128, 0, 128));
  c.LineTo(20, 150 - n * 3 % 40);
  c.LineTo(20, 60);
  c.SetPenStyle(PenStyle::Dash);
  c.LineTo(250 - n * 9 % 70, 60);
  c.SetPenWidth(1);
  c.SetPenStyle(PenStyle::Dot);
  c.LineTo(250, 180);
  c.SetPenStyle(PenStyle::Solid);
  c.SetPenColor(kClBlue);
  c.SetBrushColor(kClBlue);
  for (int i = 0; i < 5; ++i) c.Ellipse(150 + i * 9 + n, 100, 154 + i * 9 + n, 104);
}

QImage Fresh(int n) {
  QtCanvas c(300, 200);
  Frame(c, n);
  return c.Image().copy();
}

TEST(QtCanvasFrames, ClearingLeavesNothingOfTheDrawingBefore) {
  QtCanvas c(300, 200);
  for (int n = 0; n < 6; ++n) {
    Frame(c, n);
    ASSERT_EQ(Fresh(n), c.Image()) << "frame " << n;
  }
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
    if (n > 0) {
      ASSERT_EQ(Fresh(n - 1), before) << "frame " << n - 1 << " changed";
    }
    before = QImage();
  }
  // Drawing on the shown picture without clearing it first leaves the copy alone too.
  c.SetPenColor(kClRed);
  c.MoveTo(0, 0);
  c.LineTo(299, 199);
  EXPECT_EQ(Fresh(6), shown);
  EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(150, 100));
  // A resized picture is white and drawn on everywhere.
  for (QSize size : {QSize(120, 90), QSize(400, 300)}) {
    c.Resize(size.width(), size.height());
    EXPECT_EQ(size, c.Image().size());
    EXPECT_EQ(kWhite, c.Image().pixel(60, 45));
    c.MoveTo(0, size.height() - 1);
    c.LineTo(size.width(), size.height() - 1);
    EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(size.width() - 1, size.height() - 1));
  }
  EXPECT_EQ(Fresh(6), shown);
}

TEST(QtCanvasFrames, TextsLookAsTheTextEngineDrawsThem) {
  QtCanvas c(200, 60);
  TFontSpec spec;
  spec.Italic = true;  // italics reach beyond their advance
  c.SetFont(spec);
  c.SetFontColor(RGB(0, 0, 170));
  c.SetBrushColor(RGB(255, 255, 0));
  const std::string text = "Kf/Wj (x: Integer)";
  const int w = c.TextWidth(text), h = c.TextHeight(text);
  c.TextOut(10, 5, text);
  c.TextOut(10, 30, text);  // the second time from the kept shape
  c.SetBrushStyle(BrushStyle::Clear);
  c.TextOut(-3, 45, text);  // partly outside the picture

  QFont font(QtCanvas::FamilyFor(spec.Name));
  font.setPixelSize(11);
  font.setItalic(true);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  QFontMetrics metrics(font);
  ASSERT_EQ(metrics.horizontalAdvance(QString::fromLatin1(text.c_str())), w);
  ASSERT_EQ(metrics.height(), h);
  QImage expected(200, 60, QImage::Format_RGB32);
  expected.fill(kWhite);
  {
    QPainter p(&expected);
    p.setFont(font);
    p.setPen(QColor(0, 0, 170));
    for (int y : {5, 30}) {
      p.fillRect(10, y, w, h, QColor(255, 255, 0));
      p.drawText(10, y + metrics.ascent(), QString::fromLatin1(text.c_str()));
    }
    p.drawText(-3, 45 + metrics.ascent(), QString::fromLatin1(text.c_str()));
  }
  EXPECT_EQ(expected, c.Image());
}

TEST(QtCanvasFrames, WideLinesReachHalfTheirWidthBeyondTheirEnds) {
  QtCanvas c(60, 60);
  c.SetPenWidth(2);
  c.MoveTo(10, 20);
  c.LineTo(30, 20);
  for (int x = 9; x <= 30; ++x) {
    EXPECT_EQ(kBlack, c.Image().pixel(x, 19)) << x;
    EXPECT_EQ(kBlack, c.Image().pixel(x, 20)) << x;
  }
  EXPECT_EQ(kWhite, c.Image().pixel(8, 20));
  EXPECT_EQ(kWhite, c.Image().pixel(31, 20));
  EXPECT_EQ(kWhite, c.Image().pixel(20, 18));
  EXPECT_EQ(kWhite, c.Image().pixel(20, 21));
  // A diagonal sets two pixels across at every step.
  c.MoveTo(10, 30);
  c.LineTo(40, 50);
  for (int x = 10; x <= 40; ++x) {
    int set = 0;
    for (int y = 25; y < 56; ++y) set += c.Image().pixel(x, y) == kBlack;
    EXPECT_EQ(2, set) << x;
  }
  // A dashed wide line keeps the dash lengths of a thin one: 18 on, 6 off.
  c.SetPenStyle(PenStyle::Dash);
  c.MoveTo(0, 5);
  c.LineTo(59, 5);
  std::vector<int> runs{1};
  for (int x = 1; x < 60; ++x) {
    if ((c.Image().pixel(x, 5) == kBlack) == (c.Image().pixel(x - 1, 5) == kBlack))
      ++runs.back();
    else
      runs.push_back(1);
  }
  ASSERT_GE(runs.size(), 4u);
  EXPECT_EQ(6, runs[1]);
  EXPECT_EQ(18, runs[2]);
  EXPECT_EQ(6, runs[3]);
}

}  // namespace
}  // namespace zedro
