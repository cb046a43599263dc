// New boxes and notes move on from places that a box or a note already covers.
#include <gtest/gtest.h>

#include "diagram/PaintFixtures.h"
#include "diagram/Placement.h"

namespace zedro {
namespace {

using testing::PaintedDiagram;

TEST(Placement, ABoxUnderANoteMovesOnByTwentyUntilFree) {
  PaintedDiagram d;
  TInfoBox* note = d.doc.AddInfoBox(50, 50);
  note->AddLine("Eine Notiz oben links");
  note->AddLine("mit zwei Zeilen");
  note->PaintUnframed();
  TUMLDrawClass* box = d.Box("TNeu");  // lands at (52, 52), on the note
  const int steps = PlaceClear(d.doc, *box);
  ASSERT_GT(steps, 0);
  EXPECT_EQ((TPoint{52 + 20 * steps, 52 + 20 * steps}), (TPoint{box->Left, box->Top}));
  // Free now, one step earlier it was not.
  EXPECT_GE(box->Top, note->Bottom + 3);
  EXPECT_LT(box->Top - 20, note->Bottom + 3);
}

TEST(Placement, BoxesDoNotCoverEachOtherButMayTouch) {
  PaintedDiagram d;
  TUMLDrawClass* first = d.Box("TErste");
  PlaceClear(d.doc, *first);
  TUMLDrawClass* second = d.Box("TZweite");
  PlaceClear(d.doc, *second);
  EXPECT_TRUE(second->Left >= first->Right || second->Top >= first->Bottom);
  // A box right beside another one (sharing no pixel) stays, laid out.
  TUMLDrawClass* beside = d.Box("TDaneben");
  beside->Left = second->Right;
  beside->Top = second->Top;
  EXPECT_EQ(0, PlaceClear(d.doc, *beside));
  EXPECT_GT(beside->Right, beside->Left);
}

TEST(Placement, ANewNoteMovesOffABoxAndWithoutCanvasTheCornerCounts) {
  PaintedDiagram d;
  d.BoxAt("TKlasse", 40, 40, 200, 120);
  TInfoBox* note = TInfoBox::Create(50, 50, &d.doc.Surface);
  note->AddLine("neu");
  EXPECT_EQ(4, PlaceClear(d.doc, *note));  // the top of the box area is 120: 50 + 4 * 20 - 3
  EXPECT_EQ((TPoint{130, 130}), (TPoint{note->Left, note->Top}));

  // Without a canvas nothing is laid out: only the corner is tested.
  DiagramDocument bare;
  TUMLDrawClass* old = bare.AddClassBox(std::make_unique<TUMLClass>("TAlt"), 50, 50);
  old->Right = 120, old->Bottom = 90;
  TUMLDrawClass* box = bare.AddClassBox(std::make_unique<TUMLClass>("TNeu"), 50, 50);
  EXPECT_EQ(2, PlaceClear(bare, *box));
  EXPECT_EQ((TPoint{92, 92}), (TPoint{box->Left, box->Top}));
}

}  // namespace
}  // namespace zedro
