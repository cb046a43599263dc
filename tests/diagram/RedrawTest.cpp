// Info boxes and the full redraw with growth and markers.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "diagram/PaintFixtures.h"
#include "diagram/Redraw.h"
#include "model/Messages.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;
using testing::RectOf;
using Op = RecordingCanvas::Op;

TEST(InfoBoxPaint, LinesFrameAndHitMargins) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 50);
  note->FontDialog->Italic = true;
  note->AddLine("Erste Zeile");
  note->AddLine("zwei");
  note->PaintFramed();
  EXPECT_TRUE(d.TextAt("Erste Zeile", 50, 50) && d.TextAt("zwei", 50, 63));
  EXPECT_FALSE(d.Texts()[0].font.Italic);  // notes are drawn upright
  EXPECT_EQ((TPoint{50 + 11 * 6, 50 + 26}), (TPoint{note->Right, note->Bottom}));
  EXPECT_EQ((TRect{49, 50, note->Right + 1, note->Bottom + 2}),
            RectOf(d.canvas.Of(Op::Rectangle).at(0)));
  EXPECT_TRUE(note->ContainsPoint(48, 60) && !note->ContainsPoint(47, 60));
  EXPECT_FALSE(note->ContainsPoint(note->Right + 3, 60));
}

TEST(Redraw, PaintsEverythingInOrderAndMarksTheCurrentBox) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  TUMLDrawClass* b = d.Box("B");
  b->Left = 200;
  d.doc.AddConnection(a, 6, b, 28, TConnectionKind::Ist);
  d.doc.AddInfoBox(300, 300)->AddLine("Notiz");
  d.doc.CurrentBox = a, d.doc.ProjectDir = "/tmp/projekt/", d.doc.Saved = true;
  ScriptedMessages status;

  EXPECT_FALSE(Redraw(d.doc, CurrentBoxMark::Shown, &status) || d.doc.Saved);
  EXPECT_EQ(std::vector<std::string>{"Verzeichnis: /tmp/projekt/"}, status.statusTexts);
  EXPECT_EQ((TRect{0, 0, 505, 385}), RectOf(d.canvas.calls.front()));  // cleared first
  // Boxes, then connections, then notes.
  EXPECT_EQ("A", d.Texts().at(0).text);
  EXPECT_EQ("Notiz", d.Texts().back().text);
  // The current box's border points: small filled circles.
  auto dots = d.canvas.Of(Op::Ellipse);
  ASSERT_EQ(44u, dots.size());
  const int x1 = a->BorderPointX(1);
  EXPECT_EQ((TRect{x1 - 2, a->Top - 2, x1 + 2, a->Top + 2}), RectOf(dots[0]));
  EXPECT_EQ(kClBlack, dots[0].brushColor);

  // A current box no longer in the diagram is not marked.
  d.doc.DrawClasses.Remove(a);
  d.doc.Connections.Clear();
  d.canvas.Clear();
  Redraw(d.doc, CurrentBoxMark::Shown);
  EXPECT_TRUE(d.canvas.Of(Op::Ellipse).empty());
}

TEST(Redraw, GrowsOnceWithMarginAndNeverShrinks) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  a->Left = 600;
  d.doc.Selection.Add(a);
  d.doc.SelectionRect = {590, 40, 700, 100};
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Shown));
  EXPECT_EQ((TPoint{a->Right + 50, 385}), (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
  // One resize, two clears: exactly one additional pass.
  EXPECT_EQ(1u, d.canvas.Of(Op::Resize).size());
  int clears = 0, rubberBands = 0;
  for (const auto& r : d.canvas.Of(Op::Rectangle)) {
    if (r.x1 == 0 && r.y1 == 0) ++clears;
    if (r.penMode == PenMode::NotXor) ++rubberBands;
  }
  EXPECT_EQ(2, clears);
  // The not-xor rectangle is drawn once (by the repaint), or it would cancel itself.
  EXPECT_EQ(1, rubberBands);

  // Both directions at once; then moving back never shrinks the surface.
  a->Top = 500;
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Shown));
  EXPECT_EQ(a->Bottom + 50, d.doc.Surface.Height);
  const int w = d.doc.Surface.Width, h = d.doc.Surface.Height;
  a->Left = a->Top = 10;
  EXPECT_FALSE(Redraw(d.doc, CurrentBoxMark::Shown));
  EXPECT_EQ((TPoint{w, h}), (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
}

TEST(Redraw, TextBoxesAndNotesCountForGrowthAndFarContentIsCapped) {
  PaintedDiagram d;
  d.doc.AddInfoBox(50, 390)->AddLine("unten");
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Hidden));
  EXPECT_EQ(390 + 13 + 50, d.doc.Surface.Height);
  TUMLDrawClass* far = d.Box("Weit");
  far->Left = far->Top = 50000000;
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Hidden));
  EXPECT_EQ((TPoint{kMaxSurfaceExtent, kMaxSurfaceExtent}),
            (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
  EXPECT_FALSE(Redraw(d.doc, CurrentBoxMark::Hidden));
}

// Every line a connection draws lies on the surface, also an Auftrag routed below the
// boxes at the bottom edge, whose route and head reach further down than any box or text
// box (its text dragged upwards).
TEST(Redraw, TheSurfaceHoldsAMessageRoutedBelowTheBoxes) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  TUMLDrawClass* b = d.Box("B");
  a->Left = 60, a->Top = 330;
  b->Left = 300, b->Top = 330;
  Redraw(d.doc, CurrentBoxMark::Hidden);
  ASSERT_LT(a->Bottom, 385);
  // From the bottom side of A to the bottom side of B: 30 pixels below both boxes.
  d.doc.AddConnection(a, 28, b, 28, TConnectionKind::Auftrag)->TextOffsetY = -100;
  d.canvas.Clear();
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Hidden));
  long long lowest = 0, rightmost = 0;
  for (const auto& c : d.canvas.calls) {
    if (c.op == Op::Line) {
      lowest = std::max<long long>(lowest, std::max(c.y1, c.y2));
      rightmost = std::max<long long>(rightmost, std::max(c.x1, c.x2));
    }
  }
  ASSERT_GT(lowest, a->Bottom + 20) << "the route runs below the boxes";
  EXPECT_LT(lowest, d.doc.Surface.Height);
  EXPECT_LT(rightmost, d.doc.Surface.Width);
  EXPECT_GE(d.doc.Surface.Height, lowest + kSurfaceMargin);
}

TEST(Redraw, NotesStayInsideTheLeftAndTopEdges) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(-40, -7);
  note->AddLine("halb draussen");
  Redraw(d.doc, CurrentBoxMark::Hidden);
  EXPECT_EQ((TPoint{kMinElementLeft, kMinElementTop}), (TPoint{note->Left, note->Top}));
  EXPECT_TRUE(d.TextAt("halb draussen", kMinElementLeft, kMinElementTop));
}

// A window larger than the diagram: the bitmap fills it and is cleared as a whole, while
// the diagram (and with it every picture of it) keeps its own size.
TEST(Redraw, TheBitmapCoversTheWindowAndTheDiagramKeepsItsSize) {
  PaintedDiagram d;
  d.Box("A");
  d.doc.Surface.ViewWidth = 900;
  d.doc.Surface.ViewHeight = 600;
  EXPECT_FALSE(Redraw(d.doc, CurrentBoxMark::Hidden));
  EXPECT_EQ((TPoint{900, 600}), (TPoint{d.canvas.Width(), d.canvas.Height()}));
  EXPECT_EQ((TRect{0, 0, 900, 600}), RectOf(d.canvas.Of(Op::Rectangle).at(0)));
  EXPECT_EQ((TPoint{505, 385}), (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
  // Content beyond the diagram grows the diagram by the usual rule, not to the window.
  d.doc.DrawClasses.At(0)->Left = 700;
  EXPECT_TRUE(Redraw(d.doc, CurrentBoxMark::Hidden));
  EXPECT_EQ(d.doc.DrawClasses.At(0)->Right + kSurfaceMargin, d.doc.Surface.Width);
  EXPECT_EQ(900, d.canvas.Width());
}

// The redraw gathers the colouring connections once for all boxes; a box painted on its
// own looks for them itself (and past 32 of them consults the whole list).
TEST(Redraw, MembersAreColouredAsWhenTheBoxPaintsAlone) {
  PaintedDiagram d;
  TUMLDrawClass* whole = d.Box("Ganzes");
  TUMLDrawClass* part = d.Box("Teil");
  std::vector<TAttribute*> attrs;
  for (int i = 0; i < 40; ++i)
    attrs.push_back(
        whole->UMLClass->AddAttribute(testing::Attr("teil" + std::to_string(100 + i), "TTeil")));
  for (int i = 0; i < 40; ++i) {
    TConnection* c =
        d.doc.AddConnection(whole, 1 + i % 11, part, 23 + i % 11, TConnectionKind::Hat);
    c->Color = RGB(i + 1, 0, 0);
    c->Attributes.Add(attrs[static_cast<size_t>(i)]);
  }
  d.doc.Connections.Items.back()->Attributes.Add(attrs[0]);  // the last one wins
  // A message calls a method of the part; a later connection from the part to itself
  // stands for an attribute and calls that method too.
  TAttribute* own = part->UMLClass->AddAttribute(testing::Attr("naechstes", "TTeil"));
  TMethod* m = part->UMLClass->AddMethod(testing::Method("weiter"));
  TConnection* call = d.doc.AddConnection(whole, 2, part, 30, TConnectionKind::Auftrag);
  call->Color = RGB(0, 0, 99), call->Method = m;
  TConnection* self = d.doc.AddConnection(part, 6, part, 17, TConnectionKind::Kennt);
  self->Color = RGB(0, 200, 0), self->Method = m;
  self->Attributes.Add(own);

  auto coloursOfTexts = [&] {
    std::map<std::string, TColor> colours;
    for (const auto& t : d.Texts()) colours.emplace(t.text, t.font.Color);
    return colours;
  };
  Redraw(d.doc, CurrentBoxMark::Hidden);
  const auto redrawn = coloursOfTexts();
  d.canvas.Clear();
  whole->Paint();
  part->Paint();
  const auto alone = coloursOfTexts();
  for (const auto& [text, colour] : alone) EXPECT_EQ(colour, redrawn.at(text)) << text;
  EXPECT_EQ((std::vector<TColor>{RGB(40, 0, 0), RGB(6, 0, 0), RGB(0, 200, 0), RGB(0, 200, 0),
                                 kClWindowText}),
            (std::vector<TColor>{alone.at("- teil100: TTeil"), alone.at("- teil105: TTeil"),
                                 alone.at("- naechstes: TTeil"), alone.at("+ !  weiter ()"),
                                 alone.at("Ganzes")}));
}

}  // namespace
}  // namespace zedro
