#include "import/ClassUpdate.h"

#include <memory>
#include <vector>

#include "diagram/DiagramDocument.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

// The project directory of the whole family of windows follows the file.
void AdoptProjectDirectory(DiagramDocument& doc, const std::string& dir, IMessages& messages) {
  DiagramDocument& main = doc.MainDocument();
  if (text::EqualsIgnoreCase(dir, doc.ProjectDir)) return;
  if (!doc.ProjectDir.empty())
    messages.Message(MsgKind::Warning, "Projektverzeichnis wurde gewechselt !!", MsgButtons::Yes);
  else
    messages.Message(MsgKind::Information,
                     W("Zedro hat sich ein Verzeichnis für das Projekt gemerkt."), MsgButtons::Yes);
  main.SetProjectDir(dir);
  messages.Status("");
  messages.Status("Verzeichnis: " + main.ProjectDir);
}

TUMLDrawClass* BoxOf(DiagramDocument& doc, const TUMLClass& cls) {
  if (doc.CurrentBox && doc.CurrentBox->UMLClass == &cls) return doc.CurrentBox;
  for (TUMLDrawClass* box : doc.DrawClasses.Items)
    if (box->UMLClass == &cls) return box;
  for (TUMLDrawClass* box : doc.MainDocument().DrawClasses.Items)
    if (box->UMLClass == &cls) return box;
  return nullptr;
}

void RecordSource(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                  IMessages& messages) {
  AdoptProjectDirectory(doc, DirectoryPart(path), messages);
  if (TUMLDrawClass* box = BoxOf(doc, cls)) {
    box->SourceFileName = FileNamePart(path);
    box->SourceDirectory = DirectoryPart(path);
    box->SourceFileAge = FileAge(path);
  }
  doc.Saved = false;
  doc.MainDocument().Saved = false;
}

// What a source file cannot carry stays with the class: neither parser reads a class
// description (the generators write none), and a Java source has no uses lists. Without
// this every update would wipe the description typed in the inspector.
void KeepWhatTheSourceLacks(const TUMLClass& cls, TUMLClass& read, bool java) {
  if (read.Documentation.empty()) read.Documentation = cls.Documentation;
  if (java) {
    read.InterfaceUses = cls.InterfaceUses;
    read.ImplementationUses = cls.ImplementationUses;
  }
}

}  // namespace

bool UpdateFromPascalFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                          IMessages& messages) {
  auto parser = std::make_unique<TSourceParser>(path, messages);
  std::vector<std::unique_ptr<TUMLClass>> read;
  TUMLClass* used = nullptr;
  while (auto c = parser->ReadNextClass()) {
    read.push_back(std::move(c));
    if (read.back()->Name == cls.Name) {
      used = read.back().get();
      break;
    }
  }
  if (!used) {
    if (read.empty()) return false;
    messages.Message(MsgKind::Information,
                     W("Die Datei liefert keine Klasse mit dem gleichen Namen !!\n"
                       "Sie können nun eine andere Klasse dieser Datei zum\n"
                       "Aktualisieren auswählen oder gar nicht aktualisieren."));
    std::vector<std::string> names;
    for (const auto& c : read) names.push_back(c->Name);
    int choice = messages.ChooseFromList(W("Klasse zum Aktualisieren auswählen !"), names,
                                         W("Durch die oben gewählte Klasse ersetzen. "),
                                         "Klasse '" + cls.Name + "' nicht aktualisieren");
    if (choice < 0 || choice >= static_cast<int>(read.size())) return false;
    used = read[static_cast<size_t>(choice)].get();
  }
  parser->SetClass(used);
  parser->ReadMethodBodies();
  parser->ReadInterfaceUses();
  parser->ReadImplementationUses();
  parser.reset();
  KeepWhatTheSourceLacks(cls, *used, false);
  cls.UpdateFrom(*used, doc.Purger());
  RecordSource(doc, cls, path, messages);
  return true;
}

bool UpdateFromJavaFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                        IMessages& messages) {
  std::unique_ptr<TUMLClass> read;
  {
    TJavaParser parser(path, messages);
    read = parser.Parse();
  }
  if (!read || read->Name != cls.Name) {
    messages.Message(MsgKind::Warning,
                     "Die Datei liefert eine Klasse mit unterschiedlichem Namen !!\n\n"
                     "Es wurde nicht aktualisiert.");
    return false;
  }
  KeepWhatTheSourceLacks(cls, *read, true);
  cls.UpdateFrom(*read, doc.Purger());
  RecordSource(doc, cls, path, messages);
  return true;
}

bool UpdateFromSourceFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                          IMessages& messages) {
  if (doc.MainDocument().Language == 2) return UpdateFromJavaFile(doc, cls, path, messages);
  return UpdateFromPascalFile(doc, cls, path, messages);
}

}  // namespace zedro
