// Border points chosen for connections between boxes that already have their places.
#include <gtest/gtest.h>

#include "diagram/ConnectionRouting.h"
#include "diagram/DiagramDocument.h"

namespace zedro {
namespace {

class Routing : public ::testing::Test {
 protected:
  TUMLDrawClass* Box(const std::string& name, int left, int top, int right, int bottom) {
    TUMLDrawClass* b = doc.AddClassBox(std::make_unique<TUMLClass>(name));
    b->Left = left;
    b->Top = top;
    b->Right = right;
    b->Bottom = bottom;
    return b;
  }
  TConnection* Attach(TUMLDrawClass* from, TUMLDrawClass* to,
                      TConnectionKind kind = TConnectionKind::Hat) {
    TConnection* c = doc.AddConnection(from, 1, to, 1, kind);
    AttachFacingBorderPoints(*c);
    return c;
  }
  DiagramDocument doc;
};

TEST_F(Routing, StackedBoxesGetAStraightVerticalLine) {
  TUMLDrawClass* parent = Box("TOben", 100, 20, 220, 80);
  TUMLDrawClass* child = Box("TUnten", 110, 200, 230, 260);
  TConnection* c = Attach(child, parent, TConnectionKind::Ist);
  EXPECT_EQ(TBorderSide::Top, child->SideOfBorderPoint(c->StartPoint));
  EXPECT_EQ(TBorderSide::Bottom, parent->SideOfBorderPoint(c->EndPoint));
  EXPECT_LE(std::abs(child->BorderPointX(c->StartPoint) - parent->BorderPointX(c->EndPoint)), 5);
  EXPECT_EQ(1, c->LineShape);  // the small step, if any, right at the start
  // The other way round: from the upper box down.
  TConnection* down = Attach(parent, child);
  EXPECT_EQ(TBorderSide::Bottom, parent->SideOfBorderPoint(down->StartPoint));
  EXPECT_EQ(TBorderSide::Top, child->SideOfBorderPoint(down->EndPoint));
}

TEST_F(Routing, NeighboursGetAHorizontalLine) {
  TUMLDrawClass* left = Box("TLinks", 20, 100, 120, 200);
  TUMLDrawClass* right = Box("TRechts", 300, 120, 380, 180);
  TConnection* c = Attach(left, right, TConnectionKind::Kennt);
  EXPECT_EQ(TBorderSide::Right, left->SideOfBorderPoint(c->StartPoint));
  EXPECT_EQ(TBorderSide::Left, right->SideOfBorderPoint(c->EndPoint));
  EXPECT_LE(std::abs(left->BorderPointY(c->StartPoint) - right->BorderPointY(c->EndPoint)), 5);
  EXPECT_EQ(2, c->LineShape);
  TConnection* back = Attach(right, left, TConnectionKind::Kennt);
  EXPECT_EQ(TBorderSide::Left, right->SideOfBorderPoint(back->StartPoint));
  EXPECT_EQ(TBorderSide::Right, left->SideOfBorderPoint(back->EndPoint));
}

TEST_F(Routing, DiagonalBoxesGetOneBendIntoTheEndBoxFromBelowOrAbove) {
  TUMLDrawClass* parent = Box("TOben", 20, 20, 120, 80);
  TUMLDrawClass* child = Box("TRechtsUnten", 300, 200, 400, 260);
  TConnection* c = Attach(child, parent, TConnectionKind::Ist);
  EXPECT_EQ(TBorderSide::Left, child->SideOfBorderPoint(c->StartPoint));
  EXPECT_EQ(TBorderSide::Bottom, parent->SideOfBorderPoint(c->EndPoint));
  EXPECT_EQ(1, c->LineShape);
  // The end point is the one of the bottom side nearest to the subclass.
  for (int i = 23; i <= 33; ++i)
    EXPECT_LE(parent->BorderPointX(i), parent->BorderPointX(c->EndPoint));
  // A connection of a box with itself keeps its points.
  TConnection* self = doc.AddConnection(child, 7, child, 9, TConnectionKind::Kennt);
  AttachFacingBorderPoints(*self);
  EXPECT_EQ(7, self->StartPoint);
  EXPECT_EQ(9, self->EndPoint);
}

TEST_F(Routing, SharedPointsAreSpreadWithoutCrossingButAncestorsKeepOneHead) {
  TUMLDrawClass* upper = Box("TOben", 100, 20, 220, 80);
  TUMLDrawClass* lower = Box("TUnten", 100, 200, 220, 260);
  TUMLDrawClass* other = Box("TAuchUnten", 110, 300, 210, 340);
  std::vector<TConnection*> all{
      Attach(lower, upper, TConnectionKind::Hat), Attach(lower, upper, TConnectionKind::Kennt),
      Attach(lower, upper, TConnectionKind::Ist), Attach(other, upper, TConnectionKind::Ist)};
  ASSERT_EQ(all[0]->StartPoint, all[1]->StartPoint);
  SeparateSharedBorderPoints(all);
  EXPECT_NE(all[0]->StartPoint, all[1]->StartPoint);
  EXPECT_NE(all[0]->StartPoint, all[2]->StartPoint);
  EXPECT_NE(all[0]->EndPoint, all[1]->EndPoint);
  for (TConnection* c : all) {
    EXPECT_EQ(TBorderSide::Top, c->StartBox->SideOfBorderPoint(c->StartPoint));
    EXPECT_EQ(TBorderSide::Bottom, upper->SideOfBorderPoint(c->EndPoint));
  }
  // Parallel: the left line at one box is the left line at the other.
  const bool leftAtStart = lower->BorderPointX(all[0]->StartPoint) < lower->BorderPointX(all[1]->StartPoint);
  const bool leftAtEnd = upper->BorderPointX(all[0]->EndPoint) < upper->BorderPointX(all[1]->EndPoint);
  EXPECT_EQ(leftAtStart, leftAtEnd);
  EXPECT_EQ(all[2]->EndPoint, all[3]->EndPoint);
}

}  // namespace
}  // namespace zedro
