// render: drawing needs Qt, which lives in the render module, loaded only for this command.
#include "cli/Commands.h"
#include "cli/ModuleLoader.h"
#include "model/Win1252.h"

namespace zedro::cli {

int CmdRender(const Args& args) {
  return RunModuleCommand("render", W("Ohne es kann zedro-cli keine Bilder zeichnen."), "render",
                          args);
}

}  // namespace zedro::cli
