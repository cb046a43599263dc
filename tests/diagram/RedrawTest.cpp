// Info boxes, element lists and the full redraw with growth and markers.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "diagram/PaintFixtures.h"
#include "diagram/Redraw.h"
#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;
using testing::RectOf;
using Op = RecordingCanvas::Op;

TEST(InfoBoxPaint, LinesFrameHitMarginsAndMove) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 50);
  note->FontDialog->Italic = true;
  note->AddLine("Erste Zeile");
  note->AddLine("zwei");
  note->Paint(true);
  EXPECT_TRUE(d.TextAt("Erste Zeile", 50, 50));
  EXPECT_TRUE(d.TextAt("zwei", 50, 63));
  EXPECT_FALSE(d.Texts()[0].font.Italic);  // notes are drawn upright
  EXPECT_EQ((TPoint{50 + 11 * 6, 50 + 26}), (TPoint{note->Right, note->Bottom}));
  EXPECT_EQ((TRect{49, 50, note->Right + 1, note->Bottom + 2}),
            RectOf(d.canvas.Of(Op::Rectangle).at(0)));
  EXPECT_TRUE(note->ContainsPoint(48, 60));
  EXPECT_FALSE(note->ContainsPoint(47, 60));
  EXPECT_FALSE(note->ContainsPoint(note->Right + 3, 60));

  // An empty note is a small square; moving erases the old place.
  TInfoBox* empty = d.doc.AddInfoBox(100, 100);
  d.canvas.Clear();
  empty->Paint(true);
  EXPECT_TRUE(d.Texts().empty());
  EXPECT_EQ((TRect{99, 100, 107, 108}), RectOf(d.canvas.Of(Op::Rectangle).at(0)));
  d.canvas.Clear();
  empty->MoveBy(5, -5);
  auto rects = d.canvas.Of(Op::Rectangle);
  ASSERT_EQ(2u, rects.size());
  EXPECT_EQ((TRect{97, 97, 109, 111}), RectOf(rects[0]));
  EXPECT_EQ(kClWhite, rects[0].brushColor);
  EXPECT_EQ((TPoint{105, 95}), (TPoint{empty->Left, empty->Top}));
}

TEST(InfoBoxEdit, OnlyTakingOverChangesTheLines) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox();
  note->AddLine("alt");
  note->Edit(W("InfoBox: Texte ändern"));
  EXPECT_EQ(StringList{"alt"}, note->Lines);
  d.dialogs.editAnswers.push_back({});
  note->Edit("x");
  EXPECT_TRUE(note->Lines.empty());
}

TEST(ElementLists, RangeMessages) {
  ScriptedMessages m;
  TDrawClassList boxes;
  TConnectionList conns;
  TInfoBoxList notes;
  EXPECT_EQ(nullptr, boxes.Get(0, &m));
  EXPECT_EQ(nullptr, conns.Get(-1, &m));
  EXPECT_EQ(nullptr, notes.Get(3, &m));
  EXPECT_EQ((std::vector<std::string>{"Index: 0 ausserhalb des Bereichs einer DrawClass-Liste",
                                      "Index: -1 ausserhalb des Bereichs einer Connection-Liste",
                                      "Index ausserhalb des Bereichs einer InfoBox-Liste"}),
            m.Texts());
}

TEST(Redraw, PaintsEverythingInOrderAndMarksTheCurrentBox) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  TUMLDrawClass* b = d.Box("B");
  b->Left = 200;
  d.doc.AddConnection(a, 6, b, 28, kIst);
  a->UMLClass->Parent = nullptr;
  TInfoBox* note = d.doc.AddInfoBox(300, 300);
  note->AddLine("Notiz");
  d.doc.CurrentBox = a;
  d.doc.ProjectDir = "/tmp/projekt/";
  d.doc.Saved = true;
  ScriptedMessages status;

  EXPECT_FALSE(Redraw(d.doc, true, &status));
  EXPECT_FALSE(d.doc.Saved);
  EXPECT_EQ(b->UMLClass, a->UMLClass->Parent);
  EXPECT_EQ(std::vector<std::string>{"Verzeichnis: /tmp/projekt/"}, status.statusTexts);
  // Cleared first over the whole surface.
  EXPECT_EQ((TRect{0, 0, 505, 385}), RectOf(d.canvas.calls.front()));
  // Boxes, then connections, then notes.
  auto texts = d.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ("A", texts[0].text);
  EXPECT_EQ("Notiz", texts.back().text);
  // The current box's border points: small filled circles.
  auto dots = d.canvas.Of(Op::Ellipse);
  ASSERT_EQ(44u, dots.size());
  const int x1 = a->BorderPointX(1);
  EXPECT_EQ((TRect{x1 - 2, a->Top - 2, x1 + 2, a->Top + 2}), RectOf(dots[0]));
  EXPECT_EQ(kClBlack, dots[0].brushColor);

  d.canvas.Clear();
  Redraw(d.doc, false);
  EXPECT_TRUE(d.canvas.Of(Op::Ellipse).empty());

  // A current box no longer in the diagram is not marked.
  d.doc.DrawClasses.Remove(a);
  d.doc.Connections.Clear();
  d.canvas.Clear();
  Redraw(d.doc, true);
  EXPECT_TRUE(d.canvas.Of(Op::Ellipse).empty());
}

TEST(Redraw, SelectionIsMarkedAlsoWithoutTheCurrentMarks) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  TUMLDrawClass* b = d.Box("B");
  d.doc.CurrentBox = a;
  d.doc.Selection.Add(b);
  d.doc.SelectionRect = {40, 40, 120, 100};
  Redraw(d.doc, false);
  auto dots = d.canvas.Of(Op::Ellipse);
  ASSERT_EQ(44u, dots.size());
  EXPECT_EQ(kClBlue, dots[0].brushColor);
  // A copy: Of returns a new list, which is gone after this statement.
  const RecordingCanvas::Call rubber = d.canvas.Of(Op::Rectangle).back();
  EXPECT_EQ((TRect{40, 40, 120, 100}), RectOf(rubber));
  EXPECT_EQ(PenMode::NotXor, rubber.penMode);
  EXPECT_EQ(PenMode::Copy, d.canvas.GetPenMode());
}

TEST(Redraw, GrowsOnceWithMarginAndNeverShrinks) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  a->Left = 600;
  d.doc.Selection.Add(a);
  d.doc.SelectionRect = {590, 40, 700, 100};
  EXPECT_TRUE(Redraw(d.doc, true));
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
  EXPECT_TRUE(Redraw(d.doc, true));
  EXPECT_EQ(a->Bottom + 50, d.doc.Surface.Height);
  const int w = d.doc.Surface.Width, h = d.doc.Surface.Height;
  a->Left = a->Top = 10;
  d.canvas.Clear();
  EXPECT_FALSE(Redraw(d.doc, true));
  EXPECT_EQ((TPoint{w, h}), (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
  EXPECT_TRUE(d.canvas.Of(Op::Resize).empty());
}

TEST(Redraw, TextBoxesAndNotesCountForGrowthAndFarContentIsCapped) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 390);
  note->AddLine("unten");
  EXPECT_TRUE(Redraw(d.doc, false));
  EXPECT_EQ((TPoint{505, 390 + 13 + 50}), (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));

  TUMLDrawClass* far = d.Box("Weit");
  far->Left = far->Top = 50000000;
  EXPECT_TRUE(Redraw(d.doc, false));
  EXPECT_EQ((TPoint{kMaxSurfaceExtent, kMaxSurfaceExtent}),
            (TPoint{d.doc.Surface.Width, d.doc.Surface.Height}));
  d.canvas.Clear();
  EXPECT_FALSE(Redraw(d.doc, false));
  EXPECT_TRUE(d.canvas.Of(Op::Resize).empty());
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
    TConnection* c = d.doc.AddConnection(whole, 1 + i % 11, part, 23 + i % 11, kHat);
    c->Color = RGB(i + 1, 0, 0);
    c->Attributes.Add(attrs[static_cast<size_t>(i)]);
  }
  d.doc.Connections.Items.back()->Attributes.Add(attrs[0]);  // the last one wins
  // A message calls a method of the part; a later connection from the part to itself
  // stands for an attribute and calls that method too.
  TAttribute* own = part->UMLClass->AddAttribute(testing::Attr("naechstes", "TTeil"));
  TMethod* m = part->UMLClass->AddMethod(testing::Method("weiter"));
  TConnection* call = d.doc.AddConnection(whole, 2, part, 30, kAuftrag);
  call->Color = RGB(0, 0, 99);
  call->Method = m;
  TConnection* self = d.doc.AddConnection(part, 6, part, 17, kKennt);
  self->Color = RGB(0, 200, 0);
  self->Attributes.Add(own);
  self->Method = m;

  auto coloursOfTexts = [&] {
    std::map<std::string, TColor> colours;
    for (const auto& t : d.Texts()) colours.emplace(t.text, t.font.Color);
    return colours;
  };
  Redraw(d.doc, false);
  const auto redrawn = coloursOfTexts();
  d.canvas.Clear();
  whole->Paint();
  part->Paint();
  const auto alone = coloursOfTexts();
  for (const auto& [text, colour] : alone) {
    ASSERT_TRUE(redrawn.count(text)) << text;
    EXPECT_EQ(colour, redrawn.at(text)) << text;
  }
  EXPECT_EQ(RGB(40, 0, 0), alone.at("- teil100: TTeil"));
  EXPECT_EQ(RGB(6, 0, 0), alone.at("- teil105: TTeil"));
  EXPECT_EQ(RGB(0, 200, 0), alone.at("- naechstes: TTeil"));
  EXPECT_EQ(RGB(0, 200, 0), alone.at("+ !  weiter ()"));
  EXPECT_EQ(kClWindowText, alone.at("Ganzes"));  // the name keeps the box's font colour
}

TEST(Redraw, WithoutCanvasOnlyMarksTheChange) {
  DiagramDocument doc;
  doc.AddClassBox(std::make_unique<TUMLClass>("A"));
  EXPECT_FALSE(Redraw(doc, true));
  EXPECT_FALSE(doc.Saved);
}

}  // namespace
}  // namespace zedro
