// The diagram window's commands that hand the current class to the class inspector.
#include "editor/TFChild.h"

namespace zedro {

void TFChild::WireMemberCommands() {}

}  // namespace zedro
