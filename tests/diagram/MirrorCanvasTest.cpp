// Two pictures of one diagram drawn by the same calls.
#include <gtest/gtest.h>

#include <tuple>

#include "diagram/MirrorCanvas.h"
#include "diagram/RecordingCanvas.h"

namespace zedro {
namespace {

using Op = RecordingCanvas::Op;

// Measures every text 10 pixels wider than the recording canvas does.
class WideCanvas : public RecordingCanvas {
 public:
  int TextWidth(const std::string& text) override { return RecordingCanvas::TextWidth(text) + 10; }
};

TEST(MirrorCanvas, BothCanvasesGetEveryCallInTheSameState) {
  RecordingCanvas primary, mirror;
  MirrorCanvas c(primary, mirror);
  TFontSpec bold;
  bold.Bold = true;
  c.SetFont(bold);
  c.SetPenColor(kClRed);
  c.SetPenWidth(2);
  c.SetPenStyle(PenStyle::Dash);
  c.MoveTo(1, 2);
  c.LineTo(30, 40);
  c.SetPenMode(PenMode::NotXor);
  c.SetBrushStyle(BrushStyle::Clear);
  c.Rectangle(5, 6, 7, 8);
  c.SetPenMode(PenMode::Copy);
  c.SetBrushColor(kClBlue);
  c.SetBrushStyle(BrushStyle::Solid);
  c.Ellipse(9, 10, 13, 14);
  c.SetFontColor(kClGray);
  c.TextOut(50, 60, "TAuto");

  for (const RecordingCanvas* r : {&primary, &mirror}) {
    ASSERT_EQ(4u, r->calls.size());
    const auto& line = r->calls[0];
    EXPECT_EQ(std::tuple(Op::Line, TRect{1, 2, 30, 40}, kClRed, 2, PenStyle::Dash),
              std::tuple(line.op, TRect{line.x1, line.y1, line.x2, line.y2}, line.penColor,
                         line.penWidth, line.penStyle));
    const auto &rect = r->calls[1], &ellipse = r->calls[2], &text = r->calls[3];
    EXPECT_EQ(std::tuple(Op::Rectangle, PenMode::NotXor, BrushStyle::Clear),
              std::tuple(rect.op, rect.penMode, rect.brushStyle));
    EXPECT_EQ(std::tuple(Op::Ellipse, PenMode::Copy, kClBlue),
              std::tuple(ellipse.op, ellipse.penMode, ellipse.brushColor));
    EXPECT_EQ(std::tuple(Op::Text, std::string("TAuto"), true, kClGray),
              std::tuple(text.op, text.text, text.font.Bold, text.font.Color));
  }
}

TEST(MirrorCanvas, ThePrimaryCanvasMeasuresAndGivesTheSize) {
  WideCanvas primary;
  RecordingCanvas mirror(100, 80);
  MirrorCanvas c(primary, mirror);
  EXPECT_EQ(primary.TextWidth("Abc"), c.TextWidth("Abc"));
  c.TextOut(10, 20, "Abc");
  EXPECT_EQ((TPoint{10 + primary.TextWidth("Abc"), 20}), c.PenPos());
  EXPECT_EQ(505, c.Width());
  c.Resize(700, 600);
  EXPECT_EQ((TPoint{700, 600}), (TPoint{primary.Width(), primary.Height()}));
  EXPECT_EQ((TPoint{700, 600}), (TPoint{mirror.Width(), mirror.Height()}));
  EXPECT_EQ(700, c.Width());
}

TEST(MirrorCanvas, ANewMirrorTakesTheCurrentFont) {
  RecordingCanvas primary, first, second;
  MirrorCanvas c(primary, first);
  TFontSpec italic;
  italic.Italic = true;
  c.SetFont(italic);
  c.TextOut(0, 0, "x");
  c.SetMirror(second);
  c.TextOut(0, 0, "y");
  ASSERT_EQ(1u, first.calls.size());
  ASSERT_EQ(1u, second.calls.size());
  EXPECT_EQ("y", second.calls[0].text);
  EXPECT_TRUE(second.calls[0].font.Italic);
  EXPECT_EQ(2u, primary.calls.size());
}

}  // namespace
}  // namespace zedro
