// pascal, java, doc and export-all: the generators on a diagram file.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "codegen/ClassDocumentation.h"
#include "codegen/ExportSupport.h"
#include "diagram/DiagramDocument.h"
#include "persistence/Files.h"

namespace zedro::cli {

namespace {

void PrintLines(const StringList& lines) {
  for (const std::string& line : lines) std::cout << Out(line) << "\n";
}

}  // namespace

int CmdPascal(const Args& args) {
  if (args.size() != 2) return Usage("zedro-cli pascal FILE.urd CLASS");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  bool completed = LoadDocument(doc, Arg(args[0]), messages);
  TUMLDrawClass* box = FindClassBox(doc, Arg(args[1]), messages);
  if (!box) return kExitStopped;
  PrintLines(PascalUnitText(doc, *box, &messages));
  return completed ? kExitOk : kExitStopped;
}

int CmdJava(const Args& args) {
  if (args.size() != 2) return Usage("zedro-cli java FILE.urd CLASS");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  bool completed = LoadDocument(doc, Arg(args[0]), messages);
  TUMLDrawClass* box = FindClassBox(doc, Arg(args[1]), messages);
  if (!box) return kExitStopped;
  PrintLines(JavaClassText(doc, *box));
  return completed ? kExitOk : kExitStopped;
}

int CmdDoc(const Args& args) {
  if (args.size() != 3) return Usage("zedro-cli doc FILE.urd CLASS OUT.rtf");
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  bool completed = LoadDocument(doc, Arg(args[0]), messages);
  TUMLDrawClass* box = FindClassBox(doc, Arg(args[1]), messages);
  if (!box || !box->UMLClass) return kExitStopped;
  TDocLines lines = BuildClassDocumentation(*box->UMLClass, doc.Connections);
  if (!SaveDocumentation(Arg(args[2]), lines, messages)) return kExitStopped;
  return completed ? kExitOk : kExitStopped;
}

int CmdExportAll(const Args& args) {
  const char* usage = "zedro-cli export-all FILE.urd DIR [--pascal|--java]";
  if (args.size() != 2 && args.size() != 3) return Usage(usage);
  int language = 0;
  if (args.size() == 3) {
    if (args[2] == "--pascal") {
      language = 1;
    } else if (args[2] == "--java") {
      language = 2;
    } else {
      return Usage(usage);
    }
  }
  StderrMessages messages;
  DiagramDocument& doc = DocumentForProcess();
  bool completed = LoadDocument(doc, Arg(args[0]), messages);
  if (language == 0) language = doc.Language == 2 ? 2 : 1;
  std::string dir = Arg(args[1]);
  if (!DirectoryExists(dir)) {
    messages.Message(MsgKind::Error, "Das Verzeichnis '" + dir + "' gibt es nicht.",
                     MsgButtons::Ok);
    return kExitStopped;
  }
  if (dir.back() != '/' && dir.back() != '\\') dir += '/';
  ExportAllResult result = ExportAllClasses(doc, dir, language, messages);
  return completed && result.failed == 0 ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
