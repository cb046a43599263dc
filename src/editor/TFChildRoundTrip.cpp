// Export of classes as source files, import and update of classes from source files, and
// the watch of the source files of the main diagram's classes.
#include "editor/TFChild.h"

namespace zedro {

void TFChild::WireRoundTripCommands() {}

void TFChild::Timer1Timer() {}

}  // namespace zedro
