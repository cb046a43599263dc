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

namespace {

// Messages about one of several files begin with the file's name.
class FileMessages : public IMessages {
 public:
  FileMessages(IMessages& inner, std::string prefix) : inner_(inner), prefix_(std::move(prefix)) {}
  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
    return inner_.Message(kind, prefix_ + text, buttons);
  }
  int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                     const std::string& okCaption, const std::string& cancelCaption) override {
    return inner_.ChooseFromList(prefix_ + caption, items, okCaption, cancelCaption);
  }

 private:
  IMessages& inner_;
  std::string prefix_;
};

// The source files and the options of an import command: "--NAME VALUE" pairs for the
// options given (in any place), everything else a file. False on an unknown option or
// without a file.
bool SplitImportArgs(const Args& args, const std::vector<std::string>& options, Args& files,
                     std::vector<std::string>& values) {
  values.assign(options.size(), std::string());
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0) {
      files.push_back(args[i]);
      continue;
    }
    size_t k = 0;
    while (k < options.size() && args[i] != options[k]) ++k;
    if (k == options.size() || i + 1 == args.size()) return false;
    values[k] = args[++i];
  }
  return !files.empty();
}

// With several files the output is an array of one object per file, holding the file's
// name and what a call with that file alone prints; messages name their file.
template <class ImportOne>
int ImportEach(const Args& files, Json& j, const char* resultKey, ImportOne importOne) {
  StderrMessages messages;
  const bool several = files.size() > 1;
  bool ok = true;
  if (several) j.BeginArray();
  for (const std::string& file : files) {
    const std::string path = Arg(file);
    FileMessages named(messages, path + ": ");
    if (several) j.BeginObject().Field("File", path).Key(resultKey);
    ok = importOne(path, several ? static_cast<IMessages&>(named) : messages) && ok;
    if (several) j.EndObject();
  }
  if (several) j.EndArray();
  return ok ? kExitOk : kExitStopped;
}

}  // namespace

int CmdImportPascal(const Args& args) {
  Args files;
  std::vector<std::string> values;
  if (!SplitImportArgs(args, {"--class"}, files, values))
    return Usage("zedro-cli import-pascal UNIT.pas... [--class NAME]");
  const bool chooseClass = !values[0].empty();
  const std::string wanted = Arg(values[0]);
  NotationScope notation(1);
  Json j;
  bool found = false;
  int status = ImportEach(files, j, "Classes", [&](const std::string& path, IMessages& messages) {
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
      found = true;
    }
    j.BeginArray();
    for (const auto& cls : classes) WriteClass(j, *cls);
    j.EndArray();
    return parser.Readable();
  });
  std::cout << j.Text();
  if (chooseClass && !found) {
    StderrMessages messages;
    messages.Message(MsgKind::Error,
                     (files.size() == 1 ? "Die Unit liefert keine Klasse '"
                                        : "Keine der Units liefert eine Klasse '") +
                         wanted + "'.",
                     MsgButtons::Ok);
    return kExitStopped;
  }
  return status;
}

int CmdImportJava(const Args& args) {
  Args files;
  std::vector<std::string> values;
  if (!SplitImportArgs(args, {}, files, values)) return Usage("zedro-cli import-java FILE.java...");
  NotationScope notation(2);
  Json j;
  int status = ImportEach(files, j, "Class", [&](const std::string& path, IMessages& messages) {
    TJavaParser parser(path, messages);
    auto cls = parser.Parse();
    WriteClass(j, *cls);
    return !parser.SyntaxError;
  });
  std::cout << j.Text();
  return status;
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
