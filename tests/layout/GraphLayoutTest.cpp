// The graph layout: ranks from ranked edges, no overlaps, connected groups packed in rows.
#include <gtest/gtest.h>

#include <random>

#include "layout/GraphLayout.h"

namespace zedro::layout {
namespace {

bool Overlap(const Node& a, const Position& pa, const Node& b, const Position& pb) {
  return pa.x < pb.x + b.width && pb.x < pa.x + a.width && pa.y < pb.y + b.height &&
         pb.y < pa.y + a.height;
}

void ExpectNoOverlap(const std::vector<Node>& nodes, const std::vector<Position>& p) {
  ASSERT_EQ(nodes.size(), p.size());
  for (size_t i = 0; i < nodes.size(); ++i)
    for (size_t j = i + 1; j < nodes.size(); ++j)
      EXPECT_FALSE(Overlap(nodes[i], p[i], nodes[j], p[j])) << i << " and " << j;
}

TEST(GraphLayout, RankedEdgesPutTheirStartAboveTheirEnd) {
  // A family: 0 above 1 and 2, 1 above 3; 4 is only associated with 3.
  std::vector<Node> nodes{{120, 60}, {90, 200}, {150, 40}, {80, 30}, {100, 50}};
  std::vector<Edge> edges{{0, 1, true}, {0, 2, true}, {1, 3, true}, {3, 4, false}};
  std::vector<Position> p;
  std::string error;
  ASSERT_TRUE(LayOutGraph(nodes, edges, p, error)) << error;
  ExpectNoOverlap(nodes, p);
  for (const Edge& e : edges) {
    if (!e.ranked) continue;
    EXPECT_LE(p[e.from].y + nodes[e.from].height, p[e.to].y - 40) << e.from << "->" << e.to;
  }
  int minX = 1 << 30, minY = 1 << 30;
  for (const Position& q : p) {
    minX = std::min(minX, q.x);
    minY = std::min(minY, q.y);
  }
  EXPECT_EQ(0, minX);
  EXPECT_EQ(0, minY);
}

TEST(GraphLayout, ManyFamiliesAreNeitherOverlappingNorOneLongBand) {
  std::mt19937 random(21);
  std::vector<Node> nodes;
  std::vector<Edge> edges;
  for (int i = 0; i < 120; ++i) {
    nodes.push_back({60 + static_cast<int>(random() % 200), 30 + static_cast<int>(random() % 300)});
    // Families of about six, some classes on their own.
    if (i % 6 != 0 && random() % 5 != 0)
      edges.push_back({i - 1 - static_cast<int>(random() % (i % 6)), i, true});
  }
  edges.push_back({5, 77, false});
  std::vector<Position> p;
  std::string error;
  ASSERT_TRUE(LayOutGraph(nodes, edges, p, error)) << error;
  ExpectNoOverlap(nodes, p);
  int width = 0, height = 0;
  for (size_t i = 0; i < nodes.size(); ++i) {
    width = std::max(width, p[i].x + nodes[i].width);
    height = std::max(height, p[i].y + nodes[i].height);
  }
  EXPECT_LT(width, 4 * height);
  EXPECT_LT(height, 4 * width);
}

TEST(GraphLayout, EmptyGraphsAndBadEdgesAreHarmless) {
  std::vector<Position> p{{1, 1}};
  std::string error;
  EXPECT_TRUE(LayOutGraph({}, {}, p, error));
  EXPECT_TRUE(p.empty());
  std::vector<Node> nodes{{50, 50}, {50, 50}};
  ASSERT_TRUE(LayOutGraph(nodes, {{0, 7, true}, {-1, 0, false}, {1, 1, true}}, p, error)) << error;
  ExpectNoOverlap(nodes, p);
}

TEST(GraphLayout, PackingKeepsGroupsTogetherAndApart) {
  // Two groups laid on top of each other: packing moves them apart, keeping their shape.
  std::vector<Node> nodes{{100, 40}, {100, 40}, {100, 40}};
  std::vector<Position> p{{0, 0}, {0, 100}, {0, 0}};
  PackGroups(nodes, {{0, 1, true}}, p);
  ExpectNoOverlap(nodes, p);
  EXPECT_EQ(p[0].x, p[1].x);
  EXPECT_EQ(100, p[1].y - p[0].y);
}

}  // namespace
}  // namespace zedro::layout
