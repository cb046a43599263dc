// Commands that create, change and delete classes, objects and notes, the sub-diagram
// commands, copy and paste of classes, and the display options.
#include "editor/TFChild.h"

namespace zedro {

void TFChild::WireElementCommands() {}

}  // namespace zedro
