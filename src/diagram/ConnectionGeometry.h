// Where the parts of a connection line lie: the decorations at its two ends, its end
// texts, the route between them and its description text box, by kind and border side.
// Plain arithmetic on points; TConnection::Paint draws what these functions lay out.
#pragma once

#include <array>

#include "diagram/BorderSide.h"
#include "diagram/Canvas.h"
#include "diagram/ConnectionKind.h"

namespace zedro {

// A figure of straight lines in the order the pen draws it: moves and lines.
class TPenPath {
 public:
  struct Step {
    bool Draws = false;  // a line from the previous point, or only a move
    TPoint To;
  };

  void MoveTo(TPoint p) { Add({false, p}); }
  void LineTo(TPoint p) { Add({true, p}); }
  const Step* begin() const { return steps_.data(); }
  const Step* end() const { return steps_.data() + count_; }
  int Count() const { return count_; }
  // Where the pen stands after the figure; `from` when there is none.
  TPoint End(TPoint from) const { return count_ ? steps_[count_ - 1].To : from; }

 private:
  void Add(Step s) { steps_[static_cast<size_t>(count_++)] = s; }

  // The largest figure, the diamond of a HAT with its stem, has 7 steps.
  std::array<Step, 8> steps_{};
  int count_ = 0;
};

// Draws the figure, leaving the pen at its end.
void Trace(Canvas& c, const TPenPath& path);

struct TTextSize {
  int Width = 0;
  int Height = 0;
};

// The point `out` pixels away from p, away from the box on that side, and `across` pixels
// sideways (positive: to the right on the top and bottom sides, upwards on the others).
TPoint OutFrom(TBorderSide side, TPoint p, int out, int across = 0);

// The decoration where a connection leaves its start box at `start`:
// - IST and KENNT: a stub of the font height plus 2 (IST) or 6 (KENNT) pixels with the
//   start text beside it;
// - Auftrag and Anfrage: a stub of 30 or 36 pixels;
// - HAT: a diamond 14 pixels long and 10 wide, then a stem of 10 pixels;
// - class notes (and unknown kinds): nothing.
struct TStartDecoration {
  TPenPath Path;
  bool HasText = false;
  TPoint TextAt;      // top-left corner of the start text
  TPoint RouteStart;  // where the route continues
};
TStartDecoration StartDecoration(TConnectionKind kind, TBorderSide side, TPoint start,
                                 int fontHeight, TTextSize startText, int endY);

// IST, HAT and KENNT write their end text beside the end point.
bool HasEndText(TConnectionKind kind);
// Its top-left corner, beside the line that arrives from routeStart; a KENNT keeps more
// room to the line than the others.
TPoint EndTextPosition(TConnectionKind kind, TBorderSide side, TPoint end, TPoint routeStart,
                       TTextSize endText);

// The head at the end point, starting with a move there:
// - IST: a hollow triangle 14 pixels long and 14 wide with a 6-pixel stem;
// - KENNT: an open arrow with a 15-pixel shaft;
// - Auftrag and Anfrage: an open arrow with a shaft of 30 or 36 pixels;
// - HAT: a plain stem of 10 pixels, 16 on the bottom side, and on the top side
//   `hatTopStem` pixels (the end text's height plus 1, or 10 without end text);
// - class notes (and unknown kinds): nothing.
TPenPath HeadPath(TConnectionKind kind, TBorderSide side, TPoint end, int hatTopStem);

// The route ends one pixel short of the head's outer end, toward the box (a line leaves
// out its end pixel).
TPoint RouteEnd(TBorderSide side, TPoint headEnd);

// The corner of a relationship route: LineShape 1 runs horizontally first, every other
// shape vertically first.
TPoint RouteCorner(int lineShape, TPoint start, TPoint end);
// A route with one right angle at RouteCorner.
TPenPath RelationshipRoute(int lineShape, TPoint start, TPoint end);
// The middle part of the line: messages run straight, relationships (and unknown kinds)
// with one right angle, class notes have none.
TPenPath RoutePath(TConnectionKind kind, int lineShape, TPoint start, TPoint end);

// The description text box is drawn for every kind but IST.
bool HasTextBox(TConnectionKind kind);
// The top-left corner of the text box: beside the corner of a HAT or KENNT route (at the
// corner itself while the box is empty), in the middle of a message or note, each moved by
// the user's offset. firstLineWidth is the width of its first line when it has lines.
TPoint TextBoxPosition(TConnectionKind kind, int lineShape, TPoint routeStart, TPoint routeEnd,
                       TPoint offset, bool hasLines, int firstLineWidth);

}  // namespace zedro
