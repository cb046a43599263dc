// The four sides of a box, numbered as its border points run around it: clockwise from
// the top-left corner.
#pragma once

#include <cstdint>

namespace zedro {

enum class TBorderSide : std::int32_t { Top = 1, Right = 2, Bottom = 3, Left = 4 };

inline constexpr TBorderSide kBorderSides[] = {TBorderSide::Top, TBorderSide::Right,
                                               TBorderSide::Bottom, TBorderSide::Left};

// The top and bottom sides run horizontally, the left and right ones vertically.
constexpr bool IsHorizontal(TBorderSide side) {
  switch (side) {
    case TBorderSide::Top:
    case TBorderSide::Bottom:
      return true;
    default:
      return false;
  }
}

// How many sides come before this one in the numbering of the border points.
constexpr int SidesBefore(TBorderSide side) {
  switch (side) {
    case TBorderSide::Top:
      return 0;
    case TBorderSide::Right:
      return 1;
    case TBorderSide::Bottom:
      return 2;
    default:
      return 3;
  }
}

}  // namespace zedro
