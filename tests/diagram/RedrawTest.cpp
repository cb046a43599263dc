// Info boxes, element lists and the full redraw with growth and markers.
#include <gtest/gtest.h>

#include "diagram/PaintFixtures.h"
#include "diagram/Redraw.h"
#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;
using Op = RecordingCanvas::Op;

TRect RectOf(const RecordingCanvas::Call& c) { return {c.x1, c.y1, c.x2, c.y2}; }

TEST(InfoBoxPaint, LinesFrameAndHitMargins) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 50);
  note->FontDialog->Italic = true;
  note->AddLine("Erste Zeile");
  note->AddLine("zwei");
  note->Paint(true);
  auto texts = d.Texts();
  ASSERT_EQ(2u, texts.size());
  EXPECT_EQ(50, texts[0].y1);
  EXPECT_EQ(63, texts[1].y1);
  EXPECT_FALSE(texts[0].font.Italic);  // notes are drawn upright
  EXPECT_EQ(50 + 11 * 6, note->Right);
  EXPECT_EQ(50 + 26, note->Bottom);
  auto frame = d.canvas.Of(Op::Rectangle);
  ASSERT_EQ(1u, frame.size());
  EXPECT_EQ((TRect{49, 50, note->Right + 1, note->Bottom + 2}), RectOf(frame[0]));
  EXPECT_EQ(BrushStyle::Clear, frame[0].brushStyle);
  EXPECT_TRUE(note->Framed);

  EXPECT_TRUE(note->ContainsPoint(48, 60));
  EXPECT_FALSE(note->ContainsPoint(47, 60));
  EXPECT_TRUE(note->ContainsPoint(note->Right + 2, note->Bottom + 2));
  EXPECT_FALSE(note->ContainsPoint(note->Right + 3, 60));

  d.canvas.Clear();
  note->Repaint();
  EXPECT_EQ(1u, d.canvas.Of(Op::Rectangle).size());
  note->Paint(false);
  EXPECT_FALSE(note->Framed);
}

TEST(InfoBoxPaint, EmptyBoxEraseAndMove) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(100, 100);
  note->Paint(true);
  EXPECT_TRUE(d.Texts().empty());
  auto frame = d.canvas.Of(Op::Rectangle);
  ASSERT_EQ(1u, frame.size());
  EXPECT_EQ(8, frame[0].x2 - frame[0].x1);
  EXPECT_EQ(8, frame[0].y2 - frame[0].y1);
  EXPECT_TRUE(note->ContainsPoint(108, 108));
  EXPECT_FALSE(note->ContainsPoint(109, 100));

  d.canvas.Clear();
  note->MoveBy(5, -5);
  auto rects = d.canvas.Of(Op::Rectangle);
  ASSERT_EQ(2u, rects.size());
  EXPECT_EQ((TRect{97, 97, 109, 111}), RectOf(rects[0]));
  EXPECT_EQ(kClWhite, rects[0].penColor);
  EXPECT_EQ(kClWhite, rects[0].brushColor);
  EXPECT_EQ(105, note->Left);
  EXPECT_EQ(95, note->Top);
  EXPECT_EQ(kClBlack, d.canvas.PenColor());
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
  TConnection* ist = d.doc.AddConnection(a, 6, b, 28, kIst);
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
  // Cleared first, with white pen and brush over the whole surface.
  const auto& clear = d.canvas.calls.front();
  EXPECT_EQ(Op::Rectangle, clear.op);
  EXPECT_EQ((TRect{0, 0, 505, 385}), RectOf(clear));
  EXPECT_EQ(kClWhite, clear.penColor);
  // Boxes, then connections, then notes.
  auto texts = d.Texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ("A", texts[0].text);
  EXPECT_EQ("B", texts[1].text);
  EXPECT_EQ("Notiz", texts.back().text);
  EXPECT_FALSE(note->Framed);
  auto dots = d.canvas.Of(Op::Ellipse);
  ASSERT_EQ(44u, dots.size());
  EXPECT_EQ(kClBlack, dots[0].brushColor);
  EXPECT_EQ(a->BorderPointX(1) - 2, dots[0].x1);
  (void)ist;

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
  auto rubber = d.canvas.Of(Op::Rectangle).back();  // a copy: Of returns a new list
  EXPECT_EQ((TRect{40, 40, 120, 100}), RectOf(rubber));
  EXPECT_EQ(PenMode::NotXor, rubber.penMode);
  EXPECT_EQ(kClGray, rubber.penColor);
  EXPECT_EQ(BrushStyle::Clear, rubber.brushStyle);
  EXPECT_EQ(PenMode::Copy, d.canvas.GetPenMode());
  EXPECT_EQ(BrushStyle::Solid, d.canvas.GetBrushStyle());
}

TEST(Redraw, GrowsOnceWithMarginAndNeverShrinks) {
  PaintedDiagram d;
  TUMLDrawClass* a = d.Box("A");
  a->Left = 600;
  d.doc.Selection.Add(a);
  d.doc.SelectionRect = {590, 40, 700, 100};
  EXPECT_TRUE(Redraw(d.doc, true));
  EXPECT_EQ(a->Right + 50, d.doc.Surface.Width);
  EXPECT_EQ(385, d.doc.Surface.Height);
  EXPECT_EQ(d.doc.Surface.Width, d.canvas.Width());
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
  a->Left = 10;
  a->Top = 10;
  d.canvas.Clear();
  EXPECT_FALSE(Redraw(d.doc, true));
  EXPECT_EQ(w, d.doc.Surface.Width);
  EXPECT_EQ(h, d.doc.Surface.Height);
  EXPECT_TRUE(d.canvas.Of(Op::Resize).empty());
}

TEST(Redraw, TextBoxesAndNotesCountForGrowthAndFarContentIsCapped) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 390);
  note->AddLine("unten");
  EXPECT_TRUE(Redraw(d.doc, false));
  EXPECT_EQ(505, d.doc.Surface.Width);
  EXPECT_EQ(390 + 13 + 50, d.doc.Surface.Height);

  TUMLDrawClass* far = d.Box("Weit");
  far->Left = 50000000;
  far->Top = 50000000;
  EXPECT_TRUE(Redraw(d.doc, false));
  EXPECT_EQ(kMaxSurfaceExtent, d.doc.Surface.Width);
  EXPECT_EQ(kMaxSurfaceExtent, d.doc.Surface.Height);
  d.canvas.Clear();
  EXPECT_FALSE(Redraw(d.doc, false));
  EXPECT_TRUE(d.canvas.Of(Op::Resize).empty());
}

TEST(Redraw, WithoutCanvasOnlyMarksTheChange) {
  DiagramDocument doc;
  doc.AddClassBox(std::make_unique<TUMLClass>("A"));
  EXPECT_FALSE(Redraw(doc, true));
  EXPECT_FALSE(doc.Saved);
}

}  // namespace
}  // namespace zedro
