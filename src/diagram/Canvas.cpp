#include "diagram/Canvas.h"

namespace zedro {

TColor ResolveColor(TColor color) {
  if (color >= 0) return color & 0xFFFFFF;
  // System colours: the window background is white, every text and frame colour black.
  switch (color & 0xFF) {
    case 5:   // window
    case 15:  // button face as the classic canvas showed it on a white bitmap
      return kClWhite;
    default:
      return kClBlack;
  }
}

}  // namespace zedro
