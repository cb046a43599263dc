// import-folder: the Graphviz layout and the font measuring live in the folder module,
// loaded only for this command.
#include "cli/Commands.h"
#include "cli/ModuleLoader.h"
#include "model/Win1252.h"

namespace zedro::cli {

int CmdImportFolder(const Args& args) {
  return RunModuleCommand("folder", W("Ohne es kann zedro-cli keine Ordner importieren."),
                          "import-folder", args);
}

}  // namespace zedro::cli
