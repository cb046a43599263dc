// Before version 141 a connection end belongs to the last box with a border point nearer
// than 4 pixels to its coordinates, at the first such point.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <tuple>

#include "diagram/BorderPointIndex.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "support/OldFileWriter.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

OldBox BoxAt(const std::string& name, int left, int top, int right, int bottom) {
  return {.left = left, .top = top, .right = right, .bottom = bottom, .cls = {.name = name}};
}

OldConnection Between(int sx, int sy, int ex, int ey) {
  return {.kind = 3, .startX = sx, .startY = sy, .endX = ex, .endY = ey};
}

// The rule itself, asked of every box in turn.
TUMLDrawClass* Linear(const TDrawClassList& boxes, int x, int y, int& point) {
  TUMLDrawClass* found = nullptr;
  for (TUMLDrawClass* box : boxes.Items) {
    int p = box->BorderPointAt(x, y);
    if (p > 0) found = box, point = p;
  }
  return found;
}

}  // namespace

TEST(OldConnectionEnds, LastBoxAndFirstPointWinAndLostEndsAreDropped) {
  OldDiagram d;  // two boxes on the same place, one to the right, and a tiny one
  d.boxes = {BoxAt("A", 10, 10, 100, 60), BoxAt("B", 10, 10, 100, 60), BoxAt("C", 200, 10, 300, 60),
             BoxAt("D", 400, 400, 402, 402)};
  // Point 1 of A and B is (17, 10); point 28 of C, the middle of its bottom, is (250, 60).
  d.connections = {Between(19, 12, 250, 60),     // 2.8 pixels from point 1: box B
                   Between(254, 60, 17, 10),     // 4.0 pixels from point 28: no box
                   Between(402, 400, 250, 61)};  // on point 12 of D, but point 1 is nearer than 4
  ScriptedMessages m;
  DiagramDocument doc;
  ReadDiagram(doc, WriteOldDiagram(d, 140), "/p/alt.urd", m);
  ASSERT_EQ(doc.Connections.Count(), 2);
  TConnection *first = doc.Connections.At(0), *tiny = doc.Connections.At(1);
  EXPECT_EQ(std::tuple(first->StartBox, first->StartPoint, first->EndBox, first->EndPoint),
            std::tuple(doc.DrawClasses.At(1), 1, doc.DrawClasses.At(2), 28));
  EXPECT_EQ(std::tuple(tiny->StartBox, tiny->StartPoint, tiny->EndPoint),
            std::tuple(doc.DrawClasses.At(3), 1, 28));
  EXPECT_TRUE(m.Contains(W("Eine Beziehung ließ sich keiner Klasse zuordnen und wurde entfernt.")));
}

TEST(OldConnectionEnds, IndexAnswersAsEveryBoxWould) {
  std::mt19937 random(184);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  DiagramDocument doc;
  for (int i = 0; i < 40; ++i) {
    TUMLDrawClass* box = doc.AddClassBox(std::make_unique<TUMLClass>("K"));
    box->Left = in(0, 150), box->Top = in(0, 150);
    box->Right = box->Left + in(-5, 60), box->Bottom = box->Top + in(-5, 60);
  }
  TUMLDrawClass* huge = doc.AddClassBox(std::make_unique<TUMLClass>("Riesig"));
  huge->Left = INT_MIN, huge->Top = INT_MIN, huge->Right = INT_MAX, huge->Bottom = INT_MAX;
  TBorderPointIndex index(doc.DrawClasses);
  // Mostly near the boxes, now and then at the far ends of the coordinates.
  const int far[] = {INT_MIN, INT_MIN + 2, -1, 0, INT_MAX - 1, INT_MAX};
  auto coordinate = [&] { return in(0, 9) == 0 ? far[in(0, 5)] : in(-10, 220); };
  for (int i = 0; i < 5000; ++i) {
    const int x = coordinate(), y = coordinate();
    int expectedPoint = 0, point = 0;
    TUMLDrawClass* expected = Linear(doc.DrawClasses, x, y, expectedPoint);
    ASSERT_EQ(index.Find(x, y, point), expected) << x << "," << y;
    ASSERT_TRUE(!expected || point == expectedPoint) << x << "," << y;
  }
}
