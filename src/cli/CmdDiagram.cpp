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
  DiagramDocument& doc = DocumentForProcess();
  int version = 0;
  bool completed = LoadDocument(doc, Arg(args[0]), messages, &version);
  Json j(std::cout);
  WriteDiagram(j, doc, version);
  j.Flush();
  return completed ? kExitOk : kExitStopped;
}

int CmdSave(const Args& args) {
  if (args.size() != 2) return Usage("zedro-cli save IN.urd OUT.urd");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  // A diagram whose load stopped early is not written: saving it would replace the target,
  // possibly the damaged file itself, by only the part that could be read.
  std::string buffer;
  if (!LoadDocument(doc, Arg(args[0]), messages, nullptr, &buffer)) return kExitStopped;
  // Source file ages are looked up in the directory of the diagram that was read. The new
  // bytes go into the storage of the old ones, which is about their size.
  return WriteDiagramFile(doc, Arg(args[1]), messages, std::move(buffer)) ? kExitOk : kExitStopped;
}

int CmdNew(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli new OUT.urd");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  doc.Language = 1;
  return WriteDiagramFile(doc, Arg(args[0]), messages) ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
