#include "diagram/Placement.h"

#include <algorithm>

#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"

namespace zedro {
namespace {

// Rectangles here are half-open; ones that only touch do not overlap.
bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// The pixels of the box's frame and inside; a box that was never laid out counts as its
// corner pixel.
TRect AreaOf(const TUMLDrawClass& box) {
  return {box.Left, box.Top, std::max(box.Right, box.Left + 1), std::max(box.Bottom, box.Top + 1)};
}

// A note takes the area in which it answers clicks, its frame included.
TRect AreaOf(const TInfoBox& note) {
  return {note.Left - 3, note.Top - 3, std::max(note.Right, note.Left) + 3,
          std::max(note.Bottom, note.Top) + 3};
}

bool Covered(const DiagramDocument& doc, const TRect& area, const void* self) {
  for (const TUMLDrawClass* other : doc.DrawClasses.Items)
    if (other != self && Overlap(area, AreaOf(*other))) return true;
  for (const TInfoBox* note : doc.InfoBoxes.Items)
    if (note != self && Overlap(area, AreaOf(*note))) return true;
  return false;
}

// Moves the element on until its area is free, never beyond the largest surface.
template <class Element, class Shift>
int MoveOn(const DiagramDocument& doc, Element& e, Shift shift) {
  int steps = 0;
  while (Covered(doc, AreaOf(e), &e) && e.Left < kMaxSurfaceExtent && e.Top < kMaxSurfaceExtent) {
    shift(kPlacementStep);
    ++steps;
  }
  return steps;
}

}  // namespace

int PlaceClear(DiagramDocument& doc, TUMLDrawClass& box) {
  if (doc.Surface.canvas) {
    box.Image = &doc.Surface;
    box.Paint();
  }
  return MoveOn(doc, box, [&box](int d) {
    box.Left += d;
    box.Top += d;
    if (box.Right > 0) box.Right += d;
    if (box.Bottom > 0) box.Bottom += d;
  });
}

int PlaceClear(DiagramDocument& doc, TInfoBox& note) {
  if (doc.Surface.canvas) note.Repaint();
  return MoveOn(doc, note, [&note](int d) {
    note.Left += d;
    note.Top += d;
    note.Right += d;
    note.Bottom += d;
  });
}

}  // namespace zedro
