// The Qt canvas over several redraws: the surface is cleared lazily, tile by tile, and a
// picture handed out by Image() must neither change afterwards nor leak into the next
// drawing. Every picture is compared with the same drawing on a fresh canvas.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>

#include "editor/canvas/QtCanvas.h"

namespace zedro {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

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
  c.Resize(400, 300);
  EXPECT_EQ(kWhite, c.Image().pixel(60, 45));
  c.MoveTo(0, 299);
  c.LineTo(400, 299);
  EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(399, 299));
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

}  // namespace
}  // namespace zedro
