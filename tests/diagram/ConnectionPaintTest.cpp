// Connection drawing, creation dialogs and hit tests on the recording canvas.
#include <gtest/gtest.h>

#include "diagram/PaintFixtures.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;

// Start box whose border point 6 (top side) is at (100, 200); end box whose border point
// 28 (bottom side) is at (160, 100).
struct HatExample : PaintedDiagram {
  HatExample() {
    whole = BoxAt("Ganzes", 40, 200, 160, 260);
    part = BoxAt("Teil", 100, 50, 220, 100);
    c = doc.AddConnection(whole, 6, part, 28, TConnectionKind::Hat);
    c->EndText = "1..*";
    c->TextBox->AddLine("besteht aus");
    c->LineShape = 2;
  }
  TUMLDrawClass* whole;
  TUMLDrawClass* part;
  TConnection* c;
};

TEST(ConnectionPaint, HatWithDiamondStemRouteAndTextBox) {
  HatExample d;
  d.c->Paint();
  // Diamond, stem, the route vertical first, the multiplicity and the end stem.
  EXPECT_TRUE(d.HasPath({{100, 200}, {95, 193}, {100, 186}, {105, 193}, {100, 200}}));
  EXPECT_TRUE(d.HasPath({{100, 186}, {100, 176}, {100, 115}, {160, 115}}));
  EXPECT_TRUE(d.HasLine(160, 100, 160, 116));
  EXPECT_TRUE(d.TextAt("1..*", 162, 102));
  // The text box beside the corner, drawn without frame and with an opaque background.
  EXPECT_TRUE(d.TextAt("besteht aus", 110, 117));
  EXPECT_EQ(BrushStyle::Solid, d.canvas.FindText("besteht aus")->brushStyle);
  for (const auto& l : d.Lines()) EXPECT_EQ(d.c->Color, l.penColor);
  EXPECT_EQ(kClBlack, d.canvas.PenColor());

  d.canvas.Clear();
  d.c->TextOffsetX = 5, d.c->TextOffsetY = -3, d.c->LineShape = 1;
  d.c->Paint();
  // Horizontal first: the corner is (EX, SY); the route comes from the left.
  EXPECT_TRUE(d.HasPath({{100, 176}, {160, 176}, {160, 115}}));
  EXPECT_TRUE(d.TextAt("besteht aus", 5 + 160 - 11 * 6 - 2, -3 + 176 + 2));
}

TEST(ConnectionPaint, EndTextOffsetsByKindAndSide) {
  // End points: 6 top (360, 100), 17 right (420, 130), 28 bottom (360, 160),
  // 39 left (300, 130). Text "ab": 12 wide, 13 high.
  const struct {
    TConnectionKind kind;
    int endPoint;  // on the end box 300..420 x 100..160
    bool startBelow;
    int x, y;
  } cases[] = {
      {TConnectionKind::Kennt, 6, true, 366, 87},
      {TConnectionKind::Hat, 6, true, 362, 87},
      {TConnectionKind::Kennt, 28, true, 366, 162},
      {TConnectionKind::Kennt, 17, true, 421, 130 - 13 - 5},
      {TConnectionKind::Ist, 17, true, 421, 130 - 13 - 1},
      {TConnectionKind::Kennt, 17, false, 421, 135},
      {TConnectionKind::Hat, 17, false, 421, 131},
      {TConnectionKind::Hat, 39, true, 300 - 12 - 1, 130 - 13 - 1},
  };
  for (const auto& t : cases) {
    PaintedDiagram d;
    TUMLDrawClass* end = d.BoxAt("E", 300, 100, 420, 160);
    TUMLDrawClass* start =
        t.startBelow ? d.BoxAt("S", 0, 400, 120, 460) : d.BoxAt("S", 0, 0, 120, 40);
    TConnection* c = d.doc.AddConnection(start, t.startBelow ? 6 : 28, end, t.endPoint, t.kind);
    c->EndText = "ab";
    c->Paint();
    EXPECT_TRUE(d.TextAt("ab", t.x, t.y)) << "kind " << static_cast<int>(t.kind) << " point " << t.endPoint;
  }
}

TEST(ConnectionPaint, MessagesAreStraightAndTwoPixelsWideAfterCreation) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 0, 0, 120, 60);
  TUMLDrawClass* b = d.BoxAt("B", 300, 200, 420, 260);
  TConnection* c = d.doc.AddConnection(a, 28, b, 6, TConnectionKind::Auftrag);
  d.dialogs.editAnswers.push_back({"zahle"});
  c->PaintCreating();
  EXPECT_EQ(std::vector<std::string>{"Auftrag an Klasse: B"}, d.dialogs.editCaptions);
  // Stub of 30 pixels down from (60, 60), arrow into the top of B at (360, 200).
  EXPECT_TRUE(d.HasLine(60, 60, 60, 90));
  EXPECT_TRUE(d.HasPath({{360, 200}, {353, 186}}));
  EXPECT_TRUE(d.HasLine(60, 90, 360, 171));
  // Text box centred between the two ends.
  EXPECT_EQ((60 + 360) / 2, c->TextBox->Left);
  EXPECT_EQ((90 + 171) / 2, c->TextBox->Top);

  d.canvas.Clear();
  c->Paint();
  for (const auto& l : d.Lines()) EXPECT_EQ(2, l.penWidth);
  EXPECT_EQ(1, d.canvas.PenWidth());
}

TEST(ConnectionDialogs, LineChoiceDrawsBothCandidatesTwiceInNotXor) {
  HatExample d;
  d.c->UpdateEndPoints();
  d.c->ChooseLineShape();
  EXPECT_EQ(1, d.c->LineShape);
  auto lines = d.Lines();
  ASSERT_EQ(8u, lines.size());
  EXPECT_EQ(PenMode::NotXor, lines[7].penMode);
  EXPECT_EQ(lines[0].x2, lines[4].x2);  // each candidate drawn twice
  EXPECT_EQ(PenMode::Copy, d.canvas.GetPenMode());
}

TEST(ConnectionHitTest, NearEndsAndClassNotes) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 40, 200, 160, 260);
  TUMLDrawClass* b = d.BoxAt("B", 100, 50, 220, 100);
  TConnection* c = d.doc.AddConnection(a, 6, b, 28, TConnectionKind::Kennt);
  b->Left += 10, b->Right += 10;  // moving a box moves the attached point with it
  EXPECT_TRUE(c->NearStartPoint(103, 200) && !c->NearStartPoint(104, 200));
  EXPECT_TRUE(c->NearEndPoint(170, 100));
  // A class note has no ends to grab and sits at the first border point, without lines.
  TConnection* note = d.doc.AddConnection(a, 1, a, 1, TConnectionKind::ClassInfo);
  note->TextBox->AddLine("Hinweis");
  note->TextOffsetY = -22;
  note->Paint();
  EXPECT_TRUE(d.Lines().empty());
  EXPECT_EQ((TPoint{50, 200 - 22}), (TPoint{note->TextBox->Left, note->TextBox->Top}));
}

TEST(ConnectionPaint, StartStubsAndTextsOfIstAndKenntOnEverySide) {
  // Default font: H = 11, texts 13 high; the start text "m" is 6 wide. Stubs are H + 2K
  // long upwards and downwards, 8 + 2K to the right and 10 + 2K to the left.
  const struct {
    TConnectionKind kind;
    int startPoint;  // on the start box 200..320 x 200..260
    bool endBelow;
    int stubX, stubY, textX, textY, startX, startY;  // the last two: where the route begins
  } cases[] = {
      {TConnectionKind::Ist, 6, false, 260, 187, 262, 188, 260, 188},
      {TConnectionKind::Kennt, 6, false, 260, 183, 262, 188, 260, 184},
      {TConnectionKind::Kennt, 17, false, 334, 230, 321, 231, 334, 230},
      {TConnectionKind::Kennt, 17, true, 334, 230, 321, 216, 334, 230},
      {TConnectionKind::Ist, 28, true, 260, 273, 262, 261, 260, 272},
      {TConnectionKind::Kennt, 39, false, 184, 230, 192, 232, 185, 230},
      {TConnectionKind::Ist, 39, true, 188, 230, 192, 216, 189, 230},
  };
  for (const auto& t : cases) {
    PaintedDiagram d;
    TUMLDrawClass* start = d.BoxAt("S", 200, 200, 320, 260);
    TUMLDrawClass* end =
        t.endBelow ? d.BoxAt("E", 500, 400, 600, 440) : d.BoxAt("E", 500, 0, 600, 40);
    TConnection* c = d.doc.AddConnection(start, t.startPoint, end, t.endBelow ? 6 : 28, t.kind);
    c->StartText = "m";
    c->Paint();
    const std::string what =
        "kind " + std::to_string(static_cast<int>(t.kind)) + " point " + std::to_string(t.startPoint);
    const int sx = start->BorderPointX(t.startPoint), sy = start->BorderPointY(t.startPoint);
    EXPECT_TRUE(d.HasLine(sx, sy, t.stubX, t.stubY)) << what;
    EXPECT_TRUE(d.TextAt("m", t.textX, t.textY)) << what;
    EXPECT_EQ((TPoint{t.startX, t.startY}), (TPoint{c->StartX, c->StartY})) << what;
  }
}

}  // namespace
}  // namespace zedro
