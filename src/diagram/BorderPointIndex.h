// Finds boxes by the position of one of their border points. Files before version 141
// store the ends of a connection as coordinates; each end belongs to the last box of the
// diagram with a border point nearer than 4 pixels. The index answers that question
// without asking every box for every connection end.
#pragma once

#include <cstdint>
#include <vector>

namespace zedro {

class TDrawClassList;
class TUMLDrawClass;

class TBorderPointIndex {
 public:
  // Indexes the boxes of the list as they are now; the list must outlive the index.
  explicit TBorderPointIndex(const TDrawClassList& boxes);

  // The last box of the list that has a border point nearer than 4 pixels to (x, y), with
  // that box's first such point (1..44) in point; nullptr when no box has one.
  TUMLDrawClass* Find(int x, int y, int& point) const;

 private:
  struct Entry {
    std::int64_t x;
    std::int64_t y;
    int box;  // position in the list; for equal points only the last box is kept
  };
  const TDrawClassList& boxes_;
  std::vector<Entry> entries_;  // sorted by x, then y
};

}  // namespace zedro
