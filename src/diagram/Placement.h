// Where new things go: a new class, an imported or pasted box and a new note land at their
// own place unless a box or a free note of the diagram already lies there; then they move
// on by 20 pixels right and down until the place is free, so that nothing new hides what
// is there.
#pragma once

namespace zedro {

class DiagramDocument;
class TInfoBox;
class TUMLDrawClass;

constexpr int kPlacementStep = 20;

// The box must be in the document's list already. It is laid out (painted, when the
// surface has a canvas) to know its size, then moved on while it overlaps another box or
// a free note. Returns the number of steps it moved.
int PlaceClear(DiagramDocument& doc, TUMLDrawClass& box);
// The same for a note that is laid out with its text (the note may or may not be in the
// list of free notes yet).
int PlaceClear(DiagramDocument& doc, TInfoBox& note);

}  // namespace zedro
