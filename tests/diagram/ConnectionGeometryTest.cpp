// The layout of connection decorations, routes and texts by kind and border side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "diagram/ConnectionGeometry.h"
#include "persistence/StoredCodes.h"

namespace zedro {
namespace {

std::vector<TPenPath::Step> Steps(const TPenPath& p) { return {p.begin(), p.end()}; }

// How far q lies from p away from the box on that side (negative: into the box).
int Outward(TBorderSide side, TPoint p, TPoint q) {
  switch (side) {
    case TBorderSide::Top:
      return p.Y - q.Y;
    case TBorderSide::Right:
      return q.X - p.X;
    case TBorderSide::Bottom:
      return q.Y - p.Y;
    case TBorderSide::Left:
      break;
  }
  return p.X - q.X;
}

// How far q lies from p along the side.
int Sideways(TBorderSide side, TPoint p, TPoint q) {
  return IsHorizontal(side) ? q.X - p.X : p.Y - q.Y;
}

const TPoint kAt{200, 150};

TEST(ConnectionGeometry, OutFromLeavesEveryBoxOutwards) {
  for (TBorderSide side : kBorderSides) {
    const TPoint q = OutFrom(side, kAt, 9, 4);
    EXPECT_EQ(9, Outward(side, kAt, q)) << CodeOf(side);
    EXPECT_EQ(4, Sideways(side, kAt, q)) << CodeOf(side);
    EXPECT_EQ(-1, Outward(side, kAt, RouteEnd(side, kAt))) << CodeOf(side);
  }
}

TEST(ConnectionGeometry, HatDiamondIsClosedAndTheRouteStartsBeyondItsStem) {
  for (TBorderSide side : kBorderSides) {
    const TStartDecoration d = StartDecoration(TConnectionKind::Hat, side, kAt, 13, {}, 0);
    const auto steps = Steps(d.Path);
    ASSERT_EQ(7u, steps.size()) << CodeOf(side);
    EXPECT_FALSE(d.HasText);
    // Four corners from the start point back to it: the tip 14 out, the side corners 7 out
    // and 5 to either side.
    EXPECT_EQ(7, Outward(side, kAt, steps[1].To));
    EXPECT_EQ(14, Outward(side, kAt, steps[2].To));
    EXPECT_EQ(0, Sideways(side, kAt, steps[2].To));
    EXPECT_EQ(7, Outward(side, kAt, steps[3].To));
    EXPECT_EQ(10, std::abs(Sideways(side, kAt, steps[1].To) - Sideways(side, kAt, steps[3].To)));
    EXPECT_EQ(kAt, steps[4].To);
    // The stem from the tip, and the route from its end.
    EXPECT_FALSE(steps[5].Draws);
    EXPECT_EQ(OutFrom(side, kAt, 14), steps[5].To);
    EXPECT_EQ(OutFrom(side, kAt, 24), steps[6].To);
    EXPECT_EQ(OutFrom(side, kAt, 24), d.RouteStart);
  }
}

TEST(ConnectionGeometry, MessagesHaveStubsOfTheirOwnLengthAtBothEnds) {
  for (TBorderSide side : kBorderSides) {
    for (auto [kind, stub] :
         {std::pair{TConnectionKind::Auftrag, 30}, std::pair{TConnectionKind::Anfrage, 36}}) {
      const TStartDecoration d = StartDecoration(kind, side, kAt, 13, {}, 0);
      EXPECT_EQ(OutFrom(side, kAt, stub), d.RouteStart);
      EXPECT_FALSE(d.HasText);
      const TPenPath head = HeadPath(kind, side, kAt, 10);
      EXPECT_EQ(OutFrom(side, kAt, stub), head.End(kAt)) << CodeOf(kind);
      // An open arrow: the barbs 14 out and 7 to either side.
      const auto steps = Steps(head);
      ASSERT_EQ(5u, steps.size());
      EXPECT_EQ(OutFrom(side, kAt, 14, -7), steps[1].To);
      EXPECT_EQ(OutFrom(side, kAt, 14, 7), steps[2].To);
      EXPECT_FALSE(steps[2].Draws);
    }
  }
}

TEST(ConnectionGeometry, IstHeadIsAClosedTriangleWithAStem) {
  for (TBorderSide side : kBorderSides) {
    const auto steps = Steps(HeadPath(TConnectionKind::Ist, side, kAt, 10));
    ASSERT_EQ(6u, steps.size());
    EXPECT_EQ(kAt, steps[0].To);
    EXPECT_EQ(OutFrom(side, kAt, 14, -7), steps[1].To);
    EXPECT_EQ(OutFrom(side, kAt, 14, 7), steps[2].To);
    EXPECT_EQ(kAt, steps[3].To);
    EXPECT_TRUE(steps[3].Draws);
    EXPECT_EQ(OutFrom(side, kAt, 20), steps[5].To);
  }
}

TEST(ConnectionGeometry, HatEndStemMakesRoomForTheTextAboveTheTopSide) {
  EXPECT_EQ(OutFrom(TBorderSide::Top, kAt, 17),
            HeadPath(TConnectionKind::Hat, TBorderSide::Top, kAt, 17).End(kAt));
  EXPECT_EQ(OutFrom(TBorderSide::Bottom, kAt, 16),
            HeadPath(TConnectionKind::Hat, TBorderSide::Bottom, kAt, 17).End(kAt));
  EXPECT_EQ(OutFrom(TBorderSide::Left, kAt, 10),
            HeadPath(TConnectionKind::Hat, TBorderSide::Left, kAt, 17).End(kAt));
}

TEST(ConnectionGeometry, NotesAndUnknownKindsDrawOnlyTheRoute) {
  const TConnectionKind unknown = FromCode<TConnectionKind>(7);
  for (TConnectionKind kind : {TConnectionKind::ClassInfo, unknown}) {
    const TStartDecoration d = StartDecoration(kind, TBorderSide::Right, kAt, 13, {}, 0);
    EXPECT_EQ(0, d.Path.Count());
    EXPECT_EQ(kAt, d.RouteStart);
    EXPECT_FALSE(HasEndText(kind));
    EXPECT_EQ(kAt, HeadPath(kind, TBorderSide::Right, kAt, 10).End(kAt));
  }
  EXPECT_EQ(0, RoutePath(TConnectionKind::ClassInfo, 1, kAt, kAt).Count());
  // A damaged file's kind is still drawn as a line with one corner.
  EXPECT_EQ(3, RoutePath(unknown, 1, kAt, {300, 400}).Count());
}

TEST(ConnectionGeometry, TextBoxBesideTheCornerOrBetweenTheEnds) {
  const TPoint start{10, 20}, end{110, 220}, offset{5, 7};
  EXPECT_FALSE(HasTextBox(TConnectionKind::Ist));
  // Vertical first: the corner (10, 220), the horizontal part to its right.
  EXPECT_EQ((TPoint{25, 229}),
            TextBoxPosition(TConnectionKind::Hat, 2, start, end, offset, true, 40));
  EXPECT_EQ((TPoint{7, 217}),
            TextBoxPosition(TConnectionKind::Hat, 2, start, end, offset, false, 0));
  // Horizontal first: the corner (110, 20), the horizontal part to its left.
  EXPECT_EQ((TPoint{73, 29}),
            TextBoxPosition(TConnectionKind::Kennt, 1, start, end, offset, true, 40));
  EXPECT_EQ((TPoint{65, 127}),
            TextBoxPosition(TConnectionKind::Auftrag, 1, start, end, offset, true, 40));
}

}  // namespace
}  // namespace zedro
