#include "diagram/BorderPointIndex.h"

#include <algorithm>

#include "diagram/ClassBox.h"
#include "diagram/ElementLists.h"

namespace zedro {

TBorderPointIndex::TBorderPointIndex(const TDrawClassList& boxes) : boxes_(boxes) {
  entries_.reserve(static_cast<size_t>(boxes.Count()) * 44);
  for (int b = 0; b < boxes.Count(); ++b) {
    const TUMLDrawClass* box = boxes.At(b);
    for (int i = 1; i <= 4 * box->BorderPointsPerSide; ++i)
      entries_.push_back({box->BorderPointX(i), box->BorderPointY(i), b});
  }
  // Per point the last box first, then keep only that one.
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    if (a.x != b.x) return a.x < b.x;
    if (a.y != b.y) return a.y < b.y;
    return a.box > b.box;
  });
  entries_.erase(
      std::unique(entries_.begin(), entries_.end(),
                  [](const Entry& a, const Entry& b) { return a.x == b.x && a.y == b.y; }),
      entries_.end());
}

TUMLDrawClass* TBorderPointIndex::Find(int x, int y, int& point) const {
  // Border points lie on whole pixels, so the points nearer than 4 pixels are those with
  // dx * dx + dy * dy < 16.
  int best = -1;
  for (int dx = -3; dx <= 3; ++dx) {
    for (int dy = -3; dy <= 3; ++dy) {
      if (dx * dx + dy * dy >= 16) continue;
      Entry key{static_cast<std::int64_t>(x) + dx, static_cast<std::int64_t>(y) + dy, 0};
      auto it = std::lower_bound(
          entries_.begin(), entries_.end(), key,
          [](const Entry& a, const Entry& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
      if (it != entries_.end() && it->x == key.x && it->y == key.y) best = std::max(best, it->box);
    }
  }
  if (best < 0) return nullptr;
  TUMLDrawClass* box = boxes_.At(best);
  point = box->BorderPointAt(x, y);
  return box;
}

}  // namespace zedro
