#include "diagram/ConnectionGeometry.h"

namespace zedro {
namespace {

// How far the start stub of an IST or KENNT reaches beyond the font height.
int StubBeyondFont(TConnectionKind kind) { return kind == TConnectionKind::Kennt ? 6 : 2; }

// The stub out of the start box and the shaft into the end box of a message.
int MessageStub(TConnectionKind kind) { return kind == TConnectionKind::Anfrage ? 36 : 30; }

constexpr int kHatStem = 10;

// The corners of the HAT diamond relative to the start point, in drawing order (the order
// decides which pixels a slanted line sets).
constexpr int kDiamond[4][4][2] = {
    {{-5, -7}, {0, -14}, {5, -7}, {0, 0}},  // top
    {{7, -5}, {14, 0}, {7, 5}, {0, 0}},     // right
    {{-5, 7}, {0, 14}, {5, 7}, {0, 0}},     // bottom
    {{-7, -5}, {-14, 0}, {-7, 5}, {0, 0}},  // left
};

// The stub of an IST or KENNT with its text: the line's end, the text's corner and the
// point where the route goes on (a pixel nearer to the box than the stub's end on the
// top, bottom and left sides).
TStartDecoration StubWithText(TConnectionKind kind, TBorderSide side, TPoint s, int h,
                              TTextSize text, int endY) {
  const int e = StubBeyondFont(kind);
  TStartDecoration d;
  d.HasText = true;
  switch (side) {
    case TBorderSide::Top:
      d.Path.LineTo({s.X, s.Y - h - e});
      d.TextAt = {s.X + 2, s.Y - h - 1};
      d.RouteStart = {s.X, s.Y - h + 1 - e};
      break;
    case TBorderSide::Right:
      d.Path.LineTo({s.X + 8 + e, s.Y});
      d.TextAt = s.Y >= endY ? TPoint{s.X + 1, s.Y + 1} : TPoint{s.X + 1, s.Y - text.Height - 1};
      d.RouteStart = {s.X + 8 + e, s.Y};
      break;
    case TBorderSide::Bottom:
      d.Path.LineTo({s.X, s.Y + h + e});
      d.TextAt = {s.X + 2, s.Y + 1};
      d.RouteStart = {s.X, s.Y + h - 1 + e};
      break;
    case TBorderSide::Left:
      d.Path.LineTo({s.X - 10 - e, s.Y});
      d.TextAt = s.Y > endY ? TPoint{s.X - text.Width - 2, s.Y + 2}
                            : TPoint{s.X - text.Width - 2, s.Y - text.Height - 1};
      d.RouteStart = {s.X - 9 - e, s.Y};
      break;
  }
  return d;
}

TStartDecoration Diamond(TBorderSide side, TPoint s) {
  TStartDecoration d;
  d.Path.MoveTo(s);
  for (const auto& corner : kDiamond[SidesBefore(side)])
    d.Path.LineTo({s.X + corner[0], s.Y + corner[1]});
  d.Path.MoveTo(OutFrom(side, s, 14));
  d.RouteStart = OutFrom(side, s, 14 + kHatStem);
  d.Path.LineTo(d.RouteStart);
  return d;
}

// An open arrow whose two barbs reach `length` out and `half` across, then a shaft.
TPenPath OpenArrow(TBorderSide side, TPoint end, int length, int half, int shaft) {
  TPenPath p;
  p.MoveTo(end);
  p.LineTo(OutFrom(side, end, length, -half));
  p.MoveTo(OutFrom(side, end, length, half));
  p.LineTo(end);
  p.LineTo(OutFrom(side, end, shaft));
  return p;
}

}  // namespace

void Trace(Canvas& c, const TPenPath& path) {
  for (const TPenPath::Step& step : path) {
    if (step.Draws) {
      c.LineTo(step.To.X, step.To.Y);
    } else {
      c.MoveTo(step.To.X, step.To.Y);
    }
  }
}

TPoint OutFrom(TBorderSide side, TPoint p, int out, int across) {
  switch (side) {
    case TBorderSide::Top:
      return {p.X + across, p.Y - out};
    case TBorderSide::Right:
      return {p.X + out, p.Y - across};
    case TBorderSide::Bottom:
      return {p.X + across, p.Y + out};
    case TBorderSide::Left:
      break;
  }
  return {p.X - out, p.Y - across};
}

TStartDecoration StartDecoration(TConnectionKind kind, TBorderSide side, TPoint start,
                                 int fontHeight, TTextSize startText, int endY) {
  switch (kind) {
    case TConnectionKind::Ist:
    case TConnectionKind::Kennt:
      return StubWithText(kind, side, start, fontHeight, startText, endY);
    case TConnectionKind::Auftrag:
    case TConnectionKind::Anfrage: {
      TStartDecoration d;
      d.RouteStart = OutFrom(side, start, MessageStub(kind));
      d.Path.LineTo(d.RouteStart);
      return d;
    }
    case TConnectionKind::Hat:
      return Diamond(side, start);
    case TConnectionKind::ClassInfo:
      break;
  }
  TStartDecoration none;
  none.RouteStart = start;
  return none;
}

bool HasEndText(TConnectionKind kind) { return IsRelationship(kind); }

TPoint EndTextPosition(TConnectionKind kind, TBorderSide side, TPoint end, TPoint routeStart,
                       TTextSize text) {
  const bool kennt = kind == TConnectionKind::Kennt;
  // Beside a vertical line (top, bottom) and above or below a horizontal one.
  const int along = kennt ? 6 : 2;
  const int above = kennt ? 5 : 1;
  const int y = end.Y >= routeStart.Y ? end.Y + above : end.Y - text.Height - above;
  switch (side) {
    case TBorderSide::Top:
      return {routeStart.X <= end.X ? end.X + along : end.X - text.Width - along,
              end.Y - text.Height};
    case TBorderSide::Right:
      return {end.X + 1, y};
    case TBorderSide::Bottom:
      return {end.X >= routeStart.X ? end.X + along : end.X - text.Width - along, end.Y + 2};
    case TBorderSide::Left:
      break;
  }
  return {end.X - text.Width - 1, y};
}

TPenPath HeadPath(TConnectionKind kind, TBorderSide side, TPoint end, int hatTopStem) {
  switch (kind) {
    case TConnectionKind::Ist: {
      TPenPath p;
      p.MoveTo(end);
      p.LineTo(OutFrom(side, end, 14, -7));
      p.LineTo(OutFrom(side, end, 14, 7));
      p.LineTo(end);
      p.MoveTo(OutFrom(side, end, 14));
      p.LineTo(OutFrom(side, end, 20));
      return p;
    }
    case TConnectionKind::Kennt:
      return OpenArrow(side, end, 11, 4, 15);
    case TConnectionKind::Auftrag:
    case TConnectionKind::Anfrage:
      return OpenArrow(side, end, 14, 7, MessageStub(kind));
    case TConnectionKind::Hat: {
      TPenPath p;
      p.MoveTo(end);
      const int stem = side == TBorderSide::Top      ? hatTopStem
                       : side == TBorderSide::Bottom ? 16
                                                     : kHatStem;
      p.LineTo(OutFrom(side, end, stem));
      return p;
    }
    case TConnectionKind::ClassInfo:
      break;
  }
  TPenPath none;
  none.MoveTo(end);
  return none;
}

TPoint RouteEnd(TBorderSide side, TPoint headEnd) { return OutFrom(side, headEnd, -1); }

TPoint RouteCorner(int lineShape, TPoint start, TPoint end) {
  return lineShape == 1 ? TPoint{end.X, start.Y} : TPoint{start.X, end.Y};
}

TPenPath RelationshipRoute(int lineShape, TPoint start, TPoint end) {
  TPenPath p;
  p.MoveTo(start);
  p.LineTo(RouteCorner(lineShape, start, end));
  p.LineTo(end);
  return p;
}

TPenPath RoutePath(TConnectionKind kind, int lineShape, TPoint start, TPoint end) {
  if (kind == TConnectionKind::ClassInfo) return {};  // both ends are the same point
  if (!IsMessage(kind)) return RelationshipRoute(lineShape, start, end);
  TPenPath p;
  p.MoveTo(start);
  p.LineTo(end);
  return p;
}

bool HasTextBox(TConnectionKind kind) { return kind != TConnectionKind::Ist; }

TPoint TextBoxPosition(TConnectionKind kind, int lineShape, TPoint routeStart, TPoint routeEnd,
                       TPoint offset, bool hasLines, int firstLineWidth) {
  switch (kind) {
    case TConnectionKind::Hat:
    case TConnectionKind::Kennt: {
      const TPoint corner = RouteCorner(lineShape, routeStart, routeEnd);
      if (!hasLines) return {corner.X - 3, corner.Y - 3};
      // Right of the corner when the horizontal part of the route lies to its right.
      const int otherX = lineShape == 1 ? routeStart.X : routeEnd.X;
      return {offset.X + (corner.X < otherX ? corner.X + 10 : corner.X - firstLineWidth - 2),
              offset.Y + corner.Y + 2};
    }
    default:
      // Notes and messages: between the ends. The centring corrections of the classic
      // layout amount to nothing here (see TextOffsetX/Y, changed only by drags).
      return {(routeStart.X + routeEnd.X) / 2 + offset.X,
              (routeStart.Y + routeEnd.Y) / 2 + offset.Y};
  }
}

}  // namespace zedro
