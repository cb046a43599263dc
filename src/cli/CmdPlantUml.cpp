// plantuml: a diagram (or one of its sub-diagrams) as PlantUML text on stdout.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "codegen/PlantUmlExport.h"
#include "diagram/DiagramDocument.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro::cli {

int CmdPlantUml(const Args& args) {
  constexpr const char* kUsage = "zedro-cli plantuml FILE.urd [--sub N]";
  if (args.size() != 1 && args.size() != 3) return Usage(kUsage);
  int sub = 0;
  if (args.size() == 3) {
    sub = text::StrToIntDef(args[2], -1);
    if (args[1] != "--sub" || sub < 1) return Usage(kUsage);
  }
  StderrMessages messages;
  DiagramDocument doc;
  const bool completed = LoadDocument(doc, Arg(args[0]), messages);
  if (!completed && doc.DrawClasses.Count() == 0 && doc.SubDiagrams.empty()) return kExitStopped;
  const DiagramDocument* shown = ChosenDiagram(doc, sub, messages);
  if (!shown) return kExitStopped;
  NotationScope notation(doc.Language);
  std::cout << Out(PlantUmlText(*shown));
  return completed ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
