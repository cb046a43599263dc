#include "layout/GraphLayout.h"

#include <gvc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>

namespace zedro::layout {
namespace {

// Graphviz reports through a plain function; the text goes to the layout that runs.
std::string* g_errors = nullptr;

int CollectError(char* message) {
  if (g_errors && message) *g_errors += message;
  return 0;
}

class ErrorCapture {
 public:
  explicit ErrorCapture(std::string& target) : previous_(agseterrf(CollectError)) {
    g_errors = &target;
  }
  ~ErrorCapture() {
    g_errors = nullptr;
    agseterrf(previous_);
  }
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

 private:
  agusererrf previous_;
};

char* Str(const char* s) { return const_cast<char*>(s); }

std::string Inches(int pixels) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.4f", pixels / 72.0);
  return buffer;
}

struct GraphDeleter {
  void operator()(Agraph_t* g) const { agclose(g); }
};
struct ContextDeleter {
  void operator()(GVC_t* c) const { gvFreeContext(c); }
};

// Connected groups by union-find, each as the sorted list of its node indices.
std::vector<std::vector<int>> Groups(size_t count, const std::vector<Edge>& edges) {
  std::vector<int> parent(count);
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&parent](int i) {
    while (parent[static_cast<size_t>(i)] != i) {
      parent[static_cast<size_t>(i)] = parent[static_cast<size_t>(parent[static_cast<size_t>(i)])];
      i = parent[static_cast<size_t>(i)];
    }
    return i;
  };
  for (const Edge& e : edges) {
    if (e.from < 0 || e.to < 0 || static_cast<size_t>(e.from) >= count ||
        static_cast<size_t>(e.to) >= count)
      continue;
    int a = find(e.from), b = find(e.to);
    if (a != b) parent[static_cast<size_t>(std::max(a, b))] = std::min(a, b);
  }
  std::vector<std::vector<int>> byRoot(count);
  for (size_t i = 0; i < count; ++i) byRoot[static_cast<size_t>(find(static_cast<int>(i)))].push_back(static_cast<int>(i));
  std::vector<std::vector<int>> groups;
  for (auto& g : byRoot)
    if (!g.empty()) groups.push_back(std::move(g));
  return groups;
}

}  // namespace

void PackGroups(const std::vector<Node>& nodes, const std::vector<Edge>& edges,
                std::vector<Position>& positions, const Spacing& spacing) {
  struct Box {
    std::vector<int> members;
    int left, top, width, height;
  };
  std::vector<Box> boxes;
  double area = 0;
  int widest = 0;
  for (auto& members : Groups(nodes.size(), edges)) {
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (int i : members) {
      const Position& p = positions[static_cast<size_t>(i)];
      const Node& n = nodes[static_cast<size_t>(i)];
      left = std::min(left, p.x);
      top = std::min(top, p.y);
      right = std::max(right, p.x + n.width);
      bottom = std::max(bottom, p.y + n.height);
    }
    boxes.push_back({std::move(members), left, top, right - left, bottom - top});
    area += double(right - left + spacing.betweenGroups) * (bottom - top + spacing.betweenGroups);
    widest = std::max(widest, right - left);
  }
  // Tall groups first; groups of the same height keep the order of their first node.
  std::stable_sort(boxes.begin(), boxes.end(),
                   [](const Box& a, const Box& b) { return a.height > b.height; });
  const int rowWidth = std::max(widest, static_cast<int>(std::sqrt(area * spacing.aspect)));
  int x = 0, y = 0, rowHeight = 0;
  for (const Box& b : boxes) {
    if (x > 0 && x + b.width > rowWidth) {
      x = 0;
      y += rowHeight + spacing.betweenGroups;
      rowHeight = 0;
    }
    for (int i : b.members) {
      Position& p = positions[static_cast<size_t>(i)];
      p.x = p.x - b.left + x;
      p.y = p.y - b.top + y;
    }
    x += b.width + spacing.betweenGroups;
    rowHeight = std::max(rowHeight, b.height);
  }
}

namespace {

// Lays out one connected group with dot; positions of its nodes are written, the nodes
// of one rank aligned at their tops.
bool LayOutGroup(GVC_t* gvc, const std::vector<int>& members, const std::vector<Node>& nodes,
                 const std::vector<Edge>& edges, std::vector<Position>& positions,
                 const Spacing& spacing, std::string& error) {
  std::unique_ptr<Agraph_t, GraphDeleter> g(agopen(Str("zedro"), Agdirected, nullptr));
  agattr(g.get(), AGRAPH, Str("rankdir"), Str("TB"));
  agattr(g.get(), AGRAPH, Str("nodesep"), Str(Inches(spacing.betweenNodes).c_str()));
  agattr(g.get(), AGRAPH, Str("ranksep"), Str(Inches(spacing.betweenRanks).c_str()));
  agattr(g.get(), AGRAPH, Str("splines"), Str("false"));
  agattr(g.get(), AGNODE, Str("shape"), Str("box"));
  agattr(g.get(), AGNODE, Str("fixedsize"), Str("true"));
  agattr(g.get(), AGNODE, Str("label"), Str(""));
  Agsym_t* width = agattr(g.get(), AGNODE, Str("width"), Str("1"));
  Agsym_t* height = agattr(g.get(), AGNODE, Str("height"), Str("1"));
  Agsym_t* constraint = agattr(g.get(), AGEDGE, Str("constraint"), Str("true"));

  std::vector<Agnode_t*> gvNodes(nodes.size(), nullptr);
  for (int i : members) {
    const std::string name = "n" + std::to_string(i);
    Agnode_t* n = agnode(g.get(), Str(name.c_str()), 1);
    agxset(n, width, Str(Inches(std::max(1, nodes[static_cast<size_t>(i)].width)).c_str()));
    agxset(n, height, Str(Inches(std::max(1, nodes[static_cast<size_t>(i)].height)).c_str()));
    gvNodes[static_cast<size_t>(i)] = n;
  }
  for (const Edge& e : edges) {
    if (e.from < 0 || e.to < 0 || static_cast<size_t>(e.from) >= nodes.size() ||
        static_cast<size_t>(e.to) >= nodes.size() || e.from == e.to)
      continue;
    Agnode_t* from = gvNodes[static_cast<size_t>(e.from)];
    Agnode_t* to = gvNodes[static_cast<size_t>(e.to)];
    if (!from || !to) continue;
    Agedge_t* edge = agedge(g.get(), from, to, nullptr, 1);
    if (edge && !e.ranked) agxset(edge, constraint, Str("false"));
  }
  if (gvLayout(gvc, g.get(), "dot") != 0) {
    if (error.empty()) error = "Graphviz konnte das Diagramm nicht anordnen.";
    return false;
  }
  // Dot centres the nodes of a rank on one line; class boxes read better with their
  // tops in line.
  std::map<int, int> rankTop;
  const double top = GD_bb(g.get()).UR.y;
  for (int i : members) {
    Agnode_t* n = gvNodes[static_cast<size_t>(i)];
    const Node& node = nodes[static_cast<size_t>(i)];
    Position& p = positions[static_cast<size_t>(i)];
    p.x = static_cast<int>(std::lround(ND_coord(n).x - node.width / 2.0));
    p.y = static_cast<int>(std::lround(top - ND_coord(n).y - node.height / 2.0));
    auto [it, added] = rankTop.emplace(ND_rank(n), p.y);
    if (!added) it->second = std::min(it->second, p.y);
  }
  for (int i : members) positions[static_cast<size_t>(i)].y = rankTop[ND_rank(gvNodes[static_cast<size_t>(i)])];
  gvFreeLayout(gvc, g.get());
  return true;
}

}  // namespace

bool LayOutGraph(const std::vector<Node>& nodes, const std::vector<Edge>& edges,
                 std::vector<Position>& positions, std::string& error, const Spacing& spacing) {
  positions.clear();
  error.clear();
  if (nodes.empty()) return true;
  ErrorCapture capture(error);
  std::unique_ptr<GVC_t, ContextDeleter> gvc(gvContext());
  if (!gvc) {
    if (error.empty()) error = "Graphviz konnte nicht gestartet werden.";
    return false;
  }
  positions.assign(nodes.size(), {});
  // Each connected group on its own, so that the ranks of one family do not stretch
  // those of another; a box without connections needs no layout.
  for (const std::vector<int>& members : Groups(nodes.size(), edges)) {
    if (members.size() < 2) continue;
    if (!LayOutGroup(gvc.get(), members, nodes, edges, positions, spacing, error)) {
      positions.clear();
      return false;
    }
  }
  PackGroups(nodes, edges, positions, spacing);
  error.clear();
  return true;
}

}  // namespace zedro::layout
