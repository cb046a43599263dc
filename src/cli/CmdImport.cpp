// import-pascal, import-java and update: the source importers in batch form.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"
#include "import/ClassUpdate.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

namespace zedro::cli {

int CmdImportPascal(const Args& args) {
  const char* usage = "zedro-cli import-pascal UNIT.pas [--class NAME]";
  if (args.size() != 1 && args.size() != 3) return Usage(usage);
  std::string wanted;
  bool chooseClass = args.size() == 3;
  if (chooseClass) {
    if (args[1] != "--class") return Usage(usage);
    wanted = Arg(args[2]);
  }
  StderrMessages messages;
  NotationScope notation(1);
  const std::string path = Arg(args[0]);
  TSourceParser parser(path, messages);
  std::vector<std::unique_ptr<TUMLClass>> classes;
  TUMLClass* chosen = nullptr;
  while (auto cls = parser.ReadNextClass()) {
    if (chooseClass && !chosen && cls->Name == wanted) chosen = cls.get();
    classes.push_back(std::move(cls));
  }
  if (chosen) {
    parser.SetClass(chosen);
    parser.ReadMethodBodies();
    parser.ReadInterfaceUses();
    parser.ReadImplementationUses();
  }
  Json j;
  j.BeginArray();
  for (const auto& cls : classes) WriteClass(j, *cls);
  j.EndArray();
  std::cout << j.Text();
  if (chooseClass && !chosen) {
    messages.Message(MsgKind::Error, "Die Unit liefert keine Klasse '" + wanted + "'.", MsgButtons::Ok);
    return kExitStopped;
  }
  return parser.Readable() ? kExitOk : kExitStopped;
}

int CmdImportJava(const Args& args) {
  if (args.size() != 1) return Usage("zedro-cli import-java FILE.java");
  StderrMessages messages;
  NotationScope notation(2);
  const std::string path = Arg(args[0]);
  TJavaParser parser(path, messages);
  auto cls = parser.Parse();
  Json j;
  WriteClass(j, *cls);
  std::cout << j.Text();
  return parser.SyntaxError ? kExitStopped : kExitOk;
}

int CmdUpdate(const Args& args) {
  const char* usage = "zedro-cli update FILE.urd CLASS SOURCE OUT.urd [--choose NAME]";
  if (args.size() != 4 && args.size() != 6) return Usage(usage);
  StderrMessages messages;
  if (args.size() == 6) {
    if (args[4] != "--choose") return Usage(usage);
    messages.choices.push_back(Arg(args[5]));
  }
  DiagramDocument& doc = DocumentForProcess();
  if (!LoadDocument(doc, Arg(args[0]), messages)) return kExitStopped;
  const std::string className = Arg(args[1]);
  TUMLDrawClass* box = FindClassBox(doc, className, messages);
  if (!box) return kExitStopped;
  doc.CurrentBox = box;
  doc.CurrentClass = box->UMLClass;
  const std::string source = Arg(args[2]);
  if (!FileExists(source)) {
    messages.Message(MsgKind::Warning,
                     "Klasse '" + className + "' konnte nicht aktualisiert werden.", MsgButtons::Ok);
    return kExitStopped;
  }
  NotationScope notation(doc.Language);
  if (!UpdateFromSourceFile(doc, *box->UMLClass, source, messages)) return kExitStopped;
  return WriteDiagramFile(doc, Arg(args[3]), messages) ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
