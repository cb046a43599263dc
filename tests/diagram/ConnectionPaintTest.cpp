// Connection drawing, creation dialogs and hit tests on the recording canvas.
#include <gtest/gtest.h>

#include "diagram/PaintFixtures.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;
using Op = RecordingCanvas::Op;

// Start box whose border point 6 (top side) is at (100, 200); end box whose border point
// 28 (bottom side) is at (160, 100).
struct HatExample : PaintedDiagram {
  HatExample() {
    whole = BoxAt("Ganzes", 40, 200, 160, 260);
    part = BoxAt("Teil", 100, 50, 220, 100);
    c = doc.AddConnection(whole, 6, part, 28, kHat);
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
  d.c->Paint(false);
  EXPECT_EQ(1, d.c->StartSide);
  EXPECT_EQ(3, d.c->EndSide);
  // Diamond and stem.
  EXPECT_TRUE(d.HasLine(100, 200, 95, 193));
  EXPECT_TRUE(d.HasLine(95, 193, 100, 186));
  EXPECT_TRUE(d.HasLine(100, 186, 105, 193));
  EXPECT_TRUE(d.HasLine(105, 193, 100, 200));
  EXPECT_TRUE(d.HasLine(100, 186, 100, 176));
  // Multiplicity and the end stem.
  const auto* mult = d.canvas.FindText("1..*");
  ASSERT_TRUE(mult);
  EXPECT_EQ(162, mult->x1);
  EXPECT_EQ(102, mult->y1);
  EXPECT_TRUE(d.HasLine(160, 100, 160, 116));
  // Route, vertical first.
  EXPECT_TRUE(d.HasLine(100, 176, 100, 115));
  EXPECT_TRUE(d.HasLine(100, 115, 160, 115));
  EXPECT_EQ(100, d.c->StartX);
  EXPECT_EQ(176, d.c->StartY);
  EXPECT_EQ(160, d.c->EndX);
  EXPECT_EQ(115, d.c->EndY);
  // The text box beside the corner, drawn without frame and with an opaque background.
  const auto* desc = d.canvas.FindText("besteht aus");
  ASSERT_TRUE(desc);
  EXPECT_EQ(110, desc->x1);
  EXPECT_EQ(117, desc->y1);
  EXPECT_EQ(BrushStyle::Solid, desc->brushStyle);
  EXPECT_FALSE(d.c->TextBox->Framed);
  // Everything in the connection's colour, pen black afterwards.
  for (const auto& l : d.Lines()) EXPECT_EQ(d.c->Color, l.penColor);
  EXPECT_EQ(kClBlack, d.canvas.PenColor());
  EXPECT_EQ(1, d.canvas.PenWidth());

  d.canvas.Clear();
  d.c->TextOffsetX = 5;
  d.c->TextOffsetY = -3;
  d.c->LineShape = 1;
  d.c->Paint(false);
  EXPECT_TRUE(d.HasLine(100, 176, 160, 176));
  EXPECT_TRUE(d.HasLine(160, 176, 160, 115));
  // Horizontal first: the corner is (EX, SY); the route comes from the left.
  const auto* moved = d.canvas.FindText("besteht aus");
  ASSERT_TRUE(moved);
  EXPECT_EQ(5 + 160 - 11 * 6 - 2, moved->x1);
  EXPECT_EQ(-3 + 176 + 2, moved->y1);

  // Without lines the text box sits on the corner.
  d.c->TextBox->Lines.clear();
  d.c->Paint(false);
  EXPECT_EQ(160 - 3, d.c->TextBox->Left);
  EXPECT_EQ(176 - 3, d.c->TextBox->Top);
}

TEST(ConnectionPaint, IstStubStartTextAndHollowTriangle) {
  PaintedDiagram d;
  TUMLDrawClass* sub = d.BoxAt("Sub", 40, 200, 160, 260);
  TUMLDrawClass* super = d.BoxAt("Super", 40, 50, 160, 100);
  TConnection* c = d.doc.AddConnection(sub, 6, super, 28, kIst);
  c->StartText = "x";
  c->TextBox->Left = 20;
  c->Paint(false);
  EXPECT_TRUE(d.HasLine(100, 200, 100, 187));  // 13 pixels: H + 2K
  const auto* t = d.canvas.FindText("x");
  ASSERT_TRUE(t);
  EXPECT_EQ(102, t->x1);
  EXPECT_EQ(188, t->y1);
  EXPECT_EQ(188, c->StartY);
  // End point 28 at (100, 100) on the bottom: triangle 14 deep and 14 wide, 6-pixel stem.
  EXPECT_TRUE(d.HasLine(100, 100, 93, 114));
  EXPECT_TRUE(d.HasLine(93, 114, 107, 114));
  EXPECT_TRUE(d.HasLine(107, 114, 100, 100));
  EXPECT_TRUE(d.HasLine(100, 114, 100, 120));
  EXPECT_EQ(119, c->EndY);
  // IST has no text box on the picture.
  EXPECT_EQ(20, c->TextBox->Left);
  EXPECT_EQ(super->UMLClass, sub->UMLClass->Parent);
}

TEST(ConnectionPaint, KenntStubIsLongerByTheKind) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 40, 200, 160, 260);
  TUMLDrawClass* b = d.BoxAt("B", 300, 50, 400, 100);
  // Start on the right side (point 17, y = 200 + 60 * 6 / 12 = 230), end on the left side.
  TConnection* c = d.doc.AddConnection(a, 17, b, 39, kKennt);
  c->Paint(false);
  EXPECT_EQ(2, c->StartSide);
  EXPECT_EQ(4, c->EndSide);
  EXPECT_TRUE(d.HasLine(160, 230, 174, 230));  // 8 + 2K
  EXPECT_EQ(174, c->StartX);
  // Open arrow into the left side of B, end point (300, 75).
  EXPECT_TRUE(d.HasLine(300, 75, 289, 79));
  EXPECT_TRUE(d.HasLine(289, 71, 300, 75));
  EXPECT_TRUE(d.HasLine(300, 75, 285, 75));
  EXPECT_EQ(286, c->EndX);
}

struct EndTextCase {
  int kind;
  int endPoint;  // on the end box 300..420 x 100..160
  bool startBelow;
  int x, y;
};

TEST(ConnectionPaint, EndTextOffsetsByKindAndSide) {
  // End points: 6 top (360, 100), 17 right (420, 130), 28 bottom (360, 160),
  // 39 left (300, 130). Text "ab": 12 wide, 13 high.
  const EndTextCase cases[] = {
      {kKennt, 6, true, 366, 87},
      {kIst, 6, true, 362, 87},
      {kHat, 6, true, 362, 87},
      {kKennt, 28, true, 366, 162},
      {kHat, 28, true, 362, 162},
      {kKennt, 17, true, 421, 130 - 13 - 5},
      {kIst, 17, true, 421, 130 - 13 - 1},
      {kKennt, 17, false, 421, 135},
      {kHat, 17, false, 421, 131},
      {kKennt, 39, false, 300 - 12 - 1, 135},
      {kHat, 39, true, 300 - 12 - 1, 130 - 13 - 1},
  };
  for (const EndTextCase& t : cases) {
    PaintedDiagram d;
    TUMLDrawClass* end = d.BoxAt("E", 300, 100, 420, 160);
    // The start box lies left of the end box, above or below it.
    TUMLDrawClass* start =
        t.startBelow ? d.BoxAt("S", 0, 400, 120, 460) : d.BoxAt("S", 0, 0, 120, 40);
    TConnection* c = d.doc.AddConnection(start, t.startBelow ? 6 : 28, end, t.endPoint, t.kind);
    c->EndText = "ab";
    c->Paint(false);
    const auto* text = d.canvas.FindText("ab");
    ASSERT_TRUE(text) << t.kind << "/" << t.endPoint;
    EXPECT_EQ(t.x, text->x1) << "kind " << t.kind << " point " << t.endPoint;
    EXPECT_EQ(t.y, text->y1) << "kind " << t.kind << " point " << t.endPoint;
  }
}

TEST(ConnectionPaint, HatEndStemOnTopAndBottomSides) {
  for (bool withText : {false, true}) {
    PaintedDiagram d;
    TUMLDrawClass* whole = d.BoxAt("W", 0, 300, 120, 360);
    TUMLDrawClass* part = d.BoxAt("P", 300, 100, 420, 160);
    TConnection* c = d.doc.AddConnection(whole, 28, part, 6, kHat);
    if (withText) c->EndText = "1";
    c->Paint(false);
    EXPECT_TRUE(d.HasLine(360, 100, 360, withText ? 100 - 14 : 90)) << withText;
  }
  PaintedDiagram d;
  TUMLDrawClass* whole = d.BoxAt("W", 0, 300, 120, 360);
  TUMLDrawClass* part = d.BoxAt("P", 300, 100, 420, 160);
  TConnection* c = d.doc.AddConnection(whole, 6, part, 28, kHat);
  c->EndText = "1";
  c->Paint(false);
  EXPECT_TRUE(d.HasLine(360, 160, 360, 176));
}

TEST(ConnectionPaint, MessagesAreStraightAndTwoPixelsWideAfterCreation) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 0, 0, 120, 60);
  TUMLDrawClass* b = d.BoxAt("B", 300, 200, 420, 260);
  TConnection* c = d.doc.AddConnection(a, 28, b, 6, kAuftrag);
  d.dialogs.editAnswers.push_back({"zahle"});
  c->Paint(true);
  EXPECT_EQ(DefaultConnectionColor(kAuftrag), c->Color);
  EXPECT_EQ(std::vector<std::string>{"Auftrag an Klasse: B"}, d.dialogs.editCaptions);
  EXPECT_EQ(0, d.dialogs.lineChoices);
  for (const auto& l : d.Lines()) EXPECT_EQ(1, l.penWidth);
  // Stub of 30 pixels down from (60, 60), arrow into the top of B at (360, 200).
  EXPECT_TRUE(d.HasLine(60, 60, 60, 90));
  EXPECT_TRUE(d.HasLine(360, 200, 353, 186));
  EXPECT_TRUE(d.HasLine(360, 200, 360, 170));
  EXPECT_TRUE(d.HasLine(60, 90, 360, 171));
  // Text box centred between the two ends.
  EXPECT_EQ((60 + 360) / 2, c->TextBox->Left);
  EXPECT_EQ((90 + 171) / 2, c->TextBox->Top);

  d.canvas.Clear();
  c->Paint(false);
  for (const auto& l : d.Lines()) EXPECT_EQ(2, l.penWidth);
  EXPECT_EQ(1, d.canvas.PenWidth());

  // An Anfrage has a 36-pixel stub.
  TConnection* q = d.doc.AddConnection(a, 28, b, 6, kAnfrage);
  d.canvas.Clear();
  q->Paint(false);
  EXPECT_TRUE(d.HasLine(60, 60, 60, 96));
}

TEST(ConnectionDialogs, KenntAsksBothMultiplicitiesThenTheDescription) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("Kunde", 0, 0, 120, 60);
  TUMLDrawClass* b = d.BoxAt("Konto", 300, 200, 420, 260);
  TConnection* c = d.doc.AddConnection(a, 28, b, 6, kKennt);
  d.dialogs.textAnswers = {"0..*", "1"};
  d.dialogs.editAnswers.push_back({"verwaltet"});
  d.dialogs.longDash = false;
  c->Paint(true);
  ASSERT_EQ(2u, d.dialogs.textRequests.size());
  const auto& first = d.dialogs.textRequests[0];
  const auto& second = d.dialogs.textRequests[1];
  EXPECT_EQ(W("Wieviele Objekte ...? (Kardinalitäten)"), first.caption);
  EXPECT_EQ("KENNT", first.middle);
  EXPECT_EQ("\"Kunde\"", first.topRight);
  EXPECT_EQ("\"Konto\"", first.bottomRight);
  EXPECT_EQ("... Gegenrichtung ...", second.caption);
  EXPECT_EQ("\"Konto\"", second.topRight);
  EXPECT_EQ("\"Kunde\"", second.bottomRight);
  EXPECT_EQ("0..*", c->EndText);
  EXPECT_EQ("1", c->StartText);
  EXPECT_EQ(std::vector<std::string>{"Beschreibung der KENNT-Beziehung"}, d.dialogs.editCaptions);
  EXPECT_EQ(StringList{"verwaltet"}, c->TextBox->Lines);
  EXPECT_EQ(1, d.dialogs.lineChoices);
  EXPECT_EQ(2, c->LineShape);
  EXPECT_EQ(DefaultConnectionColor(kKennt), c->Color);
}

TEST(ConnectionDialogs, HatClearsTheStartTextAndAnfrageWritesItsTwoLines) {
  PaintedDiagram d;
  TUMLDrawClass* left = d.BoxAt("Bank", 0, 0, 120, 60);
  TUMLDrawClass* right = d.BoxAt("Kunde", 300, 200, 420, 260);
  TConnection* hat = d.doc.AddConnection(left, 28, right, 6, kHat);
  hat->StartText = "alt";
  d.dialogs.textAnswers = {"*"};
  hat->Paint(true);
  EXPECT_EQ("HAT / besitzt", d.dialogs.textRequests.at(0).middle);
  EXPECT_EQ("", hat->StartText);
  EXPECT_EQ("*", hat->EndText);
  EXPECT_EQ(1, hat->LineShape);

  // The asking class lies right of the answering one: the answer arrow points right.
  TConnection* q = d.doc.AddConnection(right, 6, left, 28, kAnfrage);
  d.dialogs.textRequests.clear();
  d.dialogs.textAnswers = {"Kontostand", "Real"};
  q->Paint(true);
  ASSERT_EQ(2u, d.dialogs.textRequests.size());
  EXPECT_EQ("Wie lautet die ANFRAGE", d.dialogs.textRequests[0].caption);
  EXPECT_EQ("anfragende Klasse:", d.dialogs.textRequests[0].topLeft);
  EXPECT_EQ("\"Kunde\"", d.dialogs.textRequests[0].topRight);
  EXPECT_EQ("Welchen Datentyp hat die ANTWORT ?", d.dialogs.textRequests[1].caption);
  EXPECT_EQ((StringList{"Kontostand ?", "--> Real"}), q->TextBox->Lines);

  TConnection* back = d.doc.AddConnection(left, 28, right, 6, kAnfrage);
  d.dialogs.textAnswers = {"f", "T"};
  back->Paint(true);
  EXPECT_EQ((StringList{"f ?", "<-- T"}), back->TextBox->Lines);
}

TEST(ConnectionDialogs, LineChoiceDrawsBothCandidatesTwiceInNotXor) {
  HatExample d;
  d.c->UpdateEndPoints();
  d.dialogs.longDash = true;
  d.c->ChooseLineShape();
  EXPECT_EQ(1, d.c->LineShape);
  auto lines = d.Lines();
  ASSERT_EQ(8u, lines.size());
  for (const auto& l : lines) {
    EXPECT_EQ(PenMode::NotXor, l.penMode);
    EXPECT_EQ(kClRed, l.penColor);
  }
  EXPECT_EQ(PenStyle::Dash, lines[0].penStyle);
  EXPECT_EQ(PenStyle::Dot, lines[2].penStyle);
  EXPECT_EQ(lines[0].x2, lines[4].x2);
  EXPECT_EQ(PenMode::Copy, d.canvas.GetPenMode());
  EXPECT_EQ(PenStyle::Solid, d.canvas.GetPenStyle());
  EXPECT_EQ(d.c->Color, d.canvas.PenColor());
}

TEST(ConnectionHitTest, NearEndsAndClassNotes) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 40, 200, 160, 260);
  TUMLDrawClass* b = d.BoxAt("B", 100, 50, 220, 100);
  TConnection* c = d.doc.AddConnection(a, 6, b, 28, kKennt);
  EXPECT_TRUE(c->NearStartPoint(103, 200));
  EXPECT_FALSE(c->NearStartPoint(104, 200));
  EXPECT_TRUE(c->NearEitherEnd(160, 98));
  // Moving a box moves the attached point with it.
  b->Left += 10;
  b->Right += 10;
  EXPECT_TRUE(c->NearEndPoint(170, 100));
  TConnection* note = d.doc.AddConnection(a, 1, a, 1, kClassInfo);
  EXPECT_FALSE(note->NearEitherEnd(a->BorderPointX(1), a->BorderPointY(1)));
}

TEST(ConnectionPaint, ClassNoteSitsAtTheFirstBorderPoint) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 40, 200, 160, 260);
  TConnection* note = d.doc.AddConnection(a, 1, a, 1, kClassInfo);
  note->TextBox->AddLine("Hinweis");
  note->TextOffsetY = -(1 * 12) - 10;
  note->Paint(false);
  EXPECT_TRUE(d.Lines().empty());
  EXPECT_EQ(50, note->TextBox->Left);
  EXPECT_EQ(200 - 22, note->TextBox->Top);
  EXPECT_TRUE(d.canvas.FindText("Hinweis"));
}

TEST(ConnectionPaint, ZeroLengthHorizontalSegment) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 40, 200, 160, 260);
  TUMLDrawClass* b = d.BoxAt("B", 40, 50, 160, 100);
  TConnection* c = d.doc.AddConnection(a, 6, b, 28, kKennt);
  c->LineShape = 1;
  c->Paint(false);
  EXPECT_EQ(c->StartX, c->EndX);
  EXPECT_TRUE(d.HasLine(100, c->StartY, 100, c->StartY));
  EXPECT_TRUE(d.HasLine(100, c->StartY, 100, c->EndY));
}

}  // namespace
}  // namespace zedro

namespace zedro {
namespace {

struct StartCase {
  int kind;
  int startPoint;  // on the start box 200..320 x 200..260
  bool endBelow;   // the end point lies below the start point
  int stubX, stubY;
  int textX, textY;
  int startX, startY;  // where the route begins
};

TEST(ConnectionPaint, StartStubsAndTextsOfIstAndKenntOnEverySide) {
  // Default font: H = 11, texts 13 high; the start text "m" is 6 wide. Stubs are H + 2K
  // long upwards and downwards, 8 + 2K to the right and 10 + 2K to the left.
  const StartCase cases[] = {
      {kIst, 6, false, 260, 187, 262, 188, 260, 188},
      {kKennt, 6, false, 260, 183, 262, 188, 260, 184},
      {kIst, 17, false, 330, 230, 321, 231, 330, 230},
      {kKennt, 17, false, 334, 230, 321, 231, 334, 230},
      {kKennt, 17, true, 334, 230, 321, 216, 334, 230},
      {kIst, 28, true, 260, 273, 262, 261, 260, 272},
      {kKennt, 28, true, 260, 277, 262, 261, 260, 276},
      {kIst, 39, false, 188, 230, 192, 232, 189, 230},
      {kKennt, 39, false, 184, 230, 192, 232, 185, 230},
      {kIst, 39, true, 188, 230, 192, 216, 189, 230},
  };
  for (const StartCase& t : cases) {
    testing::PaintedDiagram d;
    TUMLDrawClass* start = d.BoxAt("S", 200, 200, 320, 260);
    TUMLDrawClass* end =
        t.endBelow ? d.BoxAt("E", 500, 400, 600, 440) : d.BoxAt("E", 500, 0, 600, 40);
    TConnection* c = d.doc.AddConnection(start, t.startPoint, end, t.endBelow ? 6 : 28, t.kind);
    c->StartText = "m";
    c->Paint(false);
    const std::string what =
        "kind " + std::to_string(t.kind) + " point " + std::to_string(t.startPoint);
    const int sx = start->BorderPointX(t.startPoint), sy = start->BorderPointY(t.startPoint);
    EXPECT_TRUE(d.HasLine(sx, sy, t.stubX, t.stubY)) << what;
    const auto* text = d.canvas.FindText("m");
    ASSERT_TRUE(text) << what;
    EXPECT_EQ(t.textX, text->x1) << what;
    EXPECT_EQ(t.textY, text->y1) << what;
    EXPECT_EQ(t.startX, c->StartX) << what;
    EXPECT_EQ(t.startY, c->StartY) << what;
  }
}

TEST(ConnectionPaint, MessageStubsAndArrowsOnTheLeftAndRightSides) {
  testing::PaintedDiagram d;
  TUMLDrawClass* a = d.BoxAt("A", 0, 0, 120, 60);       // point 39: (0, 30)
  TUMLDrawClass* b = d.BoxAt("B", 300, 200, 420, 260);  // point 17: (420, 230)
  TConnection* q = d.doc.AddConnection(a, 39, b, 17, kAnfrage);
  q->Paint(false);
  EXPECT_TRUE(d.HasLine(0, 30, -36, 30));  // 3K to the left
  // Arrow into the right side: the lower barb (-7 across is downwards there), the upper
  // one back to the point, then the shaft.
  EXPECT_TRUE(d.HasLine(420, 230, 434, 237));
  EXPECT_TRUE(d.HasLine(434, 223, 420, 230));
  EXPECT_TRUE(d.HasLine(420, 230, 456, 230));
  EXPECT_EQ(455, q->EndX);  // one pixel back toward the box
  EXPECT_TRUE(d.HasLine(-36, 30, 455, 230));
}

}  // namespace
}  // namespace zedro
