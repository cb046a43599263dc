// dump, save and new.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"
#include "persistence/DiagramFile.h"

namespace zedro::cli {

int CmdDump(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli dump FILE.urd");
  StderrMessages messages;
  DiagramDocument doc;
  int version = 0;
  bool completed = LoadDocument(doc, Arg(args[0]), messages, &version);
  Json j;
  WriteDiagram(j, doc, version);
  std::cout << j.Text();
  return completed ? kExitOk : kExitStopped;
}

int CmdSave(const Args& args) {
  if (args.size() != 2) return Usage("zedro-cli save IN.urd OUT.urd");
  StderrMessages messages;
  DiagramDocument doc;
  // A diagram whose load stopped early is not written: saving it would replace the target,
  // possibly the damaged file itself, by only the part that could be read.
  if (!LoadDocument(doc, Arg(args[0]), messages)) return kExitStopped;
  // Source file ages are looked up in the directory of the diagram that was read.
  return WriteDiagramFile(doc, Arg(args[1]), messages) ? kExitOk : kExitStopped;
}

int CmdNew(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli new OUT.urd");
  StderrMessages messages;
  DiagramDocument doc;
  doc.Language = 1;
  return WriteDiagramFile(doc, Arg(args[0]), messages) ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
