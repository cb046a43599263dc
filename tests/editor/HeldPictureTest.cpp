// The window shows its canvas' picture itself: a redraw, a rubber-band step and a step of
// a group drag draw into the same memory, never into a copy of the picture.
#include "EditorFixture.h"
#include "editor/SurfaceView.h"

namespace zedro {
namespace {

using namespace editortest;

class HeldPicture : public WindowTest {
 protected:
  const QImage& Held() { return w->ImClassDiagramm->Picture(); }
  void ExpectSamePicture(const uchar* bits, const char* step) {
    EXPECT_EQ(bits, Held().constBits()) << step << ": the picture moved to new memory";
    EXPECT_TRUE(Held().isDetached()) << step << ": someone holds a second reference";
  }
};

TEST_F(HeldPicture, RedrawsAndDragStepsDrawIntoTheShownPicture) {
  TUMLDrawClass* a = Box("TAuto", 60, 60);
  TUMLDrawClass* b = Box("TRad", 200, 60);
  ASSERT_FALSE(Held().isNull());
  const uchar* bits = Held().constBits();
  ExpectSamePicture(bits, "shown");
  w->Redraw();
  ExpectSamePicture(bits, "redraw");

  // Rubber band around both boxes, step by step.
  w->ImClassDiagrammMouseMove(20, 20);
  w->ImClassDiagrammMouseDown(Qt::LeftButton, 20, 20);
  w->ImClassDiagrammMouseMove(200, 100);
  ExpectSamePicture(bits, "rubber band step");
  w->ImClassDiagrammMouseMove(b->Right + 10, b->Bottom + 10);
  w->ImClassDiagrammMouseUp(Qt::LeftButton, b->Right + 10, b->Bottom + 10);
  ASSERT_EQ(2, Doc().Selection.Count());
  ExpectSamePicture(bits, "selection");

  // A step of the group drag.
  const TPoint grab{(a->Left + a->Right) / 2, a->Top + 6};
  w->ImClassDiagrammMouseDown(Qt::LeftButton, grab.X, grab.Y);
  ASSERT_EQ(EditMode::MoveSelection, w->Mode);
  w->ImClassDiagrammMouseMove(grab.X + 5, grab.Y + 3);
  EXPECT_EQ(65, a->Left);
  ExpectSamePicture(bits, "group drag step");
  w->ImClassDiagrammMouseUp(Qt::LeftButton, grab.X + 5, grab.Y + 3);
  ExpectSamePicture(bits, "end of the drag");

  // Single boxes too.
  EditorTest::Drag(w, {a->Left + 5, a->Top + 5}, {a->Left + 25, a->Top + 5});
  ExpectSamePicture(bits, "box drag");
}

}  // namespace
}  // namespace zedro
