#include "diagram/ConnectionRouting.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "diagram/Connection.h"
#include "diagram/ConnectionGeometry.h"

namespace zedro {
namespace {

constexpr int kMiddle = 6;  // the middle one of the 11 points of a side

struct Pt {
  int x, y;
};

// The route as the connection draws it between its two border points (without the short
// stems of its decorations): LineShape 1 first horizontal, otherwise first vertical.
struct Route {
  Pt start, corner, end;
};

Route RouteOf(const TUMLDrawClass& a, int pa, const TUMLDrawClass& b, int pb, int shape) {
  const TPoint s{a.BorderPointX(pa), a.BorderPointY(pa)};
  const TPoint e{b.BorderPointX(pb), b.BorderPointY(pb)};
  const TPoint corner = RouteCorner(shape, s, e);
  return {{s.X, s.Y}, {corner.X, corner.Y}, {e.X, e.Y}};
}

// An axis-parallel segment through the inside of a box (its frame counts as inside).
bool Crosses(Pt p, Pt q, const TUMLDrawClass& box) {
  const int left = std::min(p.x, q.x), right = std::max(p.x, q.x);
  const int top = std::min(p.y, q.y), bottom = std::max(p.y, q.y);
  return left <= box.Right && right >= box.Left && top <= box.Bottom && bottom >= box.Top;
}

// How many of the boxes (besides a and b) the route crosses; counting stops at limit.
int Crossings(const Route& r, const TUMLDrawClass* a, const TUMLDrawClass* b,
              const std::vector<TUMLDrawClass*>& boxes, int limit = 1 << 30) {
  int n = 0;
  for (const TUMLDrawClass* box : boxes) {
    if (box == a || box == b) continue;
    if (Crosses(r.start, r.corner, *box) || Crosses(r.corner, r.end, *box))
      if (++n >= limit) break;
  }
  return n;
}

// The route leaves the start box and enters the end box straight out of (into) the sides
// its points lie on: the first segment points away from the start side, the last one
// comes from outside the end side. A segment of length 0 may run either way.
bool LeavesAndEnters(const Route& r, TBorderSide startSide, TBorderSide endSide) {
  auto outwards = [](TBorderSide side, Pt from, Pt to) {
    switch (side) {
      case TBorderSide::Top:
        return to.y < from.y && to.x == from.x;
      case TBorderSide::Right:
        return to.x > from.x && to.y == from.y;
      case TBorderSide::Bottom:
        return to.y > from.y && to.x == from.x;
      case TBorderSide::Left:
        break;
    }
    return to.x < from.x && to.y == from.y;
  };
  const bool firstEmpty = r.start.x == r.corner.x && r.start.y == r.corner.y;
  const bool lastEmpty = r.corner.x == r.end.x && r.corner.y == r.end.y;
  // A straight line: one segment, which must leave and enter properly.
  if (firstEmpty) return outwards(startSide, r.start, r.end) && outwards(endSide, r.end, r.start);
  if (lastEmpty) return outwards(startSide, r.start, r.end) && outwards(endSide, r.end, r.start);
  return outwards(startSide, r.start, r.corner) && outwards(endSide, r.end, r.corner);
}

// A step of a few pixels right after the start keeps a line between nearly aligned
// points straight enough: such a route counts as straight.
constexpr int kJog = 12;
// A box in the way weighs more than any detour.
constexpr long kCrossing = 100000;

}  // namespace

void AttachFacingBorderPoints(TConnection& c, const std::vector<TUMLDrawClass*>& obstacles) {
  if (!c.StartBox || !c.EndBox || c.StartBox == c.EndBox) return;
  const TUMLDrawClass& a = *c.StartBox;
  const TUMLDrawClass& b = *c.EndBox;
  const int n = a.BorderPointsPerSide;
  long best = -1;
  for (TBorderSide sa : kBorderSides)
    for (TBorderSide sb : kBorderSides)
      for (int ka = 1; ka <= n; ++ka)
        for (int kb = 1; kb <= b.BorderPointsPerSide; ++kb)
          for (int shape = 1; shape <= 2; ++shape) {
            const int pa = a.BorderPointOn(sa, ka), pb = b.BorderPointOn(sb, kb);
            Route r = RouteOf(a, pa, b, pb, shape);
            // Nearly aligned points: the short first segment is a step, not a bend. (Points
            // on the top and bottom sides face each other vertically.)
            const bool vertical = IsHorizontal(sa) && IsHorizontal(sb);
            const bool horizontal = !IsHorizontal(sa) && !IsHorizontal(sb);
            const int dx = std::abs(r.start.x - r.end.x), dy = std::abs(r.start.y - r.end.y);
            int shapeCost = 60;  // a bend
            if (vertical && shape == 1 && dx <= kJog) {
              Route line{r.start, r.start, {r.start.x, r.end.y}};
              if (!LeavesAndEnters(line, sa, sb)) continue;
              shapeCost = 8 * dx;
            } else if (horizontal && shape == 2 && dy <= kJog) {
              Route line{r.start, r.start, {r.end.x, r.start.y}};
              if (!LeavesAndEnters(line, sa, sb)) continue;
              shapeCost = 8 * dy;
            } else if (!LeavesAndEnters(r, sa, sb)) {
              continue;
            }
            long cost = (dx + dy) * 4L + shapeCost + std::abs(ka - kMiddle) +
                        std::abs(kb - kMiddle) +
                        // IST arrows preferably point up into the ancestor's bottom.
                        (c.Kind == TConnectionKind::Ist && sb != TBorderSide::Bottom ? 3 : 0);
            if (best >= 0 && cost >= best) continue;
            const long room = best < 0 ? 1L << 30 : (best - cost) / kCrossing + 1;
            cost += Crossings(r, &a, &b, obstacles, static_cast<int>(std::min(room, 1L << 30))) * kCrossing;
            if (best < 0 || cost < best) {
              best = cost;
              c.StartPoint = pa;
              c.EndPoint = pb;
              c.LineShape = shape;
            }
          }
  if (best >= 0) return;
  // Overlapping boxes: top to bottom.
  c.StartPoint = a.BorderPointOn(TBorderSide::Top, kMiddle);
  c.EndPoint = b.BorderPointOn(TBorderSide::Bottom, kMiddle);
  c.LineShape = 2;
}

void SeparateSharedBorderPoints(const std::vector<TConnection*>& connections) {
  struct End {
    TConnection* c;
    bool start;
    int order;    // position in the list: ties keep it
    int towards;  // where the line goes: x for top and bottom, y for left and right
  };
  std::map<std::pair<const TUMLDrawClass*, int>, std::vector<End>> shared;
  for (size_t i = 0; i < connections.size(); ++i) {
    TConnection* c = connections[i];
    if (!c->StartBox || !c->EndBox || c->StartBox == c->EndBox) continue;
    shared[{c->StartBox, c->StartPoint}].push_back({c, true, static_cast<int>(i), 0});
    if (c->Kind != TConnectionKind::Ist) shared[{c->EndBox, c->EndPoint}].push_back({c, false, static_cast<int>(i), 0});
  }
  for (auto& [key, ends] : shared) {
    if (ends.size() < 2) continue;
    const TUMLDrawClass& box = *key.first;
    const int n = box.BorderPointsPerSide;
    const TBorderSide side = box.SideOfBorderPoint(key.second);
    const bool across = IsHorizontal(side);
    for (End& e : ends) {
      const TUMLDrawClass& other = e.start ? *e.c->EndBox : *e.c->StartBox;
      e.towards = across ? (other.Left + other.Right) / 2 : (other.Top + other.Bottom) / 2;
    }
    std::stable_sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
      return a.towards != b.towards ? a.towards < b.towards : a.order < b.order;
    });
    // Every second point while they fit, else every point; centred on the shared one.
    const int count = static_cast<int>(ends.size());
    const int step = 2 * (count - 1) < n ? 2 : 1;
    const int span = std::min(n - 1, step * (count - 1));
    const int k0 = box.PositionOnSide(key.second);
    const int first = std::clamp(k0 - span / 2, 1, n - span);
    for (int g = 0; g < count; ++g) {
      // Top and right sides count in the drawing's direction, bottom and left against it.
      const int along = std::min(g * step, span);
      const bool clockwise = side == TBorderSide::Top || side == TBorderSide::Right;
      const int point = box.BorderPointOn(side, clockwise ? first + along : first + span - along);
      (ends[static_cast<size_t>(g)].start ? ends[static_cast<size_t>(g)].c->StartPoint
                                           : ends[static_cast<size_t>(g)].c->EndPoint) = point;
    }
  }
}

}  // namespace zedro
