// zedro-cli: batch work on diagram files without the editor.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace {

using zedro::cli::Command;

const Command kCommands[] = {
    {"dump", "dump FILE.urd", zedro::cli::CmdDump},
    {"save", "save IN.urd OUT.urd", zedro::cli::CmdSave},
    {"new", "new OUT.urd", zedro::cli::CmdNew},
    {"render", "render FILE.urd OUT.svg|OUT.pdf|OUT.png|OUT.bmp [--scale N] [--sub N]", zedro::cli::CmdRender},
    {"example", "example vehicles|bank OUT.urd", zedro::cli::CmdExample},
    {"pascal", "pascal FILE.urd CLASS", zedro::cli::CmdPascal},
    {"java", "java FILE.urd CLASS", zedro::cli::CmdJava},
    {"doc", "doc FILE.urd CLASS OUT.rtf", zedro::cli::CmdDoc},
    {"export-all", "export-all FILE.urd DIR [--pascal|--java]", zedro::cli::CmdExportAll},
    {"import-pascal", "import-pascal UNIT.pas... [--class NAME]", zedro::cli::CmdImportPascal},
    {"import-java", "import-java FILE.java...", zedro::cli::CmdImportJava},
    {"update", "update FILE.urd CLASS SOURCE OUT.urd [--choose NAME]", zedro::cli::CmdUpdate},
    {"import-folder", "import-folder DIR OUT.urd [--pascal|--java]", zedro::cli::CmdImportFolder},
    {"plantuml", "plantuml FILE.urd [--sub N]", zedro::cli::CmdPlantUml},
};

int PrintUsage() {
  std::cerr << "usage: zedro-cli COMMAND ARGS...\ncommands:\n";
  for (const Command& c : kCommands) std::cerr << "  zedro-cli " << c.usage << "\n";
  return zedro::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return PrintUsage();
  std::string name = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (name != c.name) continue;
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      // A file too large for the memory ends the command with a message, not an abort.
      std::cerr << "[error] Nicht genug Arbeitsspeicher: Der Befehl wurde abgebrochen.\n";
      return zedro::cli::kExitStopped;
    }
  }
  return PrintUsage();
}
