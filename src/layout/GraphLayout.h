// The layout of a graph of boxes: every box gets a place, no two boxes overlap, and the
// box at the start of a ranked edge stands above the box at its end. Graphviz's "dot"
// places the boxes; the connected groups are then packed into rows, so that a folder of
// many small class families makes a picture wider than high rather than one long band.
//
// This library is the only part of the program that links Graphviz; the rest of the
// program knows only these types.
#pragma once

#include <string>
#include <vector>

namespace zedro::layout {

struct Node {
  int width = 0;
  int height = 0;
};

struct Edge {
  int from = 0;  // node indices
  int to = 0;
  // A ranked edge puts "from" above "to"; other edges only keep the two nodes near
  // each other.
  bool ranked = false;
};

struct Position {
  int x = 0;  // top-left corner, pixels, y downwards
  int y = 0;
  bool operator==(const Position&) const = default;
};

struct Spacing {
  int betweenNodes = 40;   // horizontal gap between neighbours of one rank
  int betweenRanks = 70;   // vertical gap between ranks
  int betweenGroups = 60;  // gap between packed groups
  // Rows of groups are filled up to about this ratio of width to height.
  double aspect = 1.6;
};

// Places every node; positions start at (0, 0). False with a message in error when
// Graphviz could not lay the graph out (positions are then left empty).
bool LayOutGraph(const std::vector<Node>& nodes, const std::vector<Edge>& edges,
                 std::vector<Position>& positions, std::string& error,
                 const Spacing& spacing = {});

// The packing step on its own: nodes placed inside their group (positions as given)
// are moved group by group into rows. Groups are the connected parts of the graph.
void PackGroups(const std::vector<Node>& nodes, const std::vector<Edge>& edges,
                std::vector<Position>& positions, const Spacing& spacing = {});

}  // namespace zedro::layout
