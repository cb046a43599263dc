#include "diagram/Font.h"

#include <cmath>

namespace zedro {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace zedro
