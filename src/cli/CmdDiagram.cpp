// dump, save and new.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "cli/DumpStream.h"
#include "diagram/DiagramDocument.h"
#include "persistence/DiagramCopy.h"
#include "persistence/DiagramFile.h"

namespace zedro::cli {

int CmdDump(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli dump FILE.urd");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  int version = 0;
  Json j(std::cout);
  DumpStream stream(j);
  bool completed = LoadDocument(doc, Arg(args[0]), messages, &version, &stream);
  stream.Finish(doc, version);
  j.Flush();
  return completed ? kExitOk : kExitStopped;
}

int CmdSave(const Args& args) {
  if (args.size() != 2) return Usage("zedro-cli save IN.urd OUT.urd");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  // Each box is written while the file is read, into a file that takes the target's place
  // only when everything is written: a diagram whose load stopped early is not saved, since
  // that would replace the target, possibly the damaged file itself, by only the part that
  // could be read. Source file ages are looked up in the directory of the diagram read.
  DiagramCopy copy(Arg(args[1]), messages);
  if (!LoadDocument(doc, Arg(args[0]), messages, nullptr, &copy)) return kExitStopped;
  return copy.Finish(doc) ? kExitOk : kExitStopped;
}

int CmdNew(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli new OUT.urd");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  doc.Language = 1;
  return WriteDiagramFile(doc, Arg(args[0]), messages) ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
