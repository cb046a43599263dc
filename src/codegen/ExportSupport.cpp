#include "codegen/ExportSupport.h"

#include <set>
#include <vector>

#include "codegen/GeneratorRules.h"
#include "codegen/JavaExport.h"
#include "codegen/PascalExport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

bool HasExtension(const std::string& name, const std::string& extension) {
  return name.size() > extension.size() &&
         text::EqualsIgnoreCase(name.substr(name.size() - extension.size()), extension);
}

// A name that stays inside the directory it is written to.
bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char ch : name)
    if (ch == '/' || ch == '\\' || ch == ':' || static_cast<unsigned char>(ch) < 0x20) return false;
  return true;
}

}  // namespace

TConnectionList PascalConnections(DiagramDocument& window) {
  DiagramDocument& main = window.MainDocument();
  TConnectionList list;
  list.AddAll(main.Connections);
  // A sub-diagram that shows a relationship again (between boxes of the same classes, or
  // between objects of them) adds nothing: its comment lines would be written twice.
  std::set<codegen::ConnectionMeaning> shown;
  for (const TConnection* con : list.Items)
    if (con) shown.insert(codegen::MeaningOf(*con));
  for (const auto& sub : main.SubDiagrams)
    for (TConnection* con : sub->Connections.Items)
      if (con && shown.insert(codegen::MeaningOf(*con)).second) list.Add(con);
  return list;
}

TConnectionList JavaConnections(DiagramDocument& window) {
  TConnectionList list;
  list.AddAll(window.Connections);
  return list;
}

std::string UnitNameOfFile(const std::string& path) {
  std::string name = FileNamePart(path);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string UnitHeading(const std::string& unitName) { return "UNIT " + unitName + ";"; }

StringList WithUnitHeading(const StringList& lines, const std::string& unitName) {
  StringList out;
  out.reserve(lines.size() + 2);
  out.push_back(UnitHeading(unitName));
  out.push_back("");
  out.insert(out.end(), lines.begin(), lines.end());
  return out;
}

std::string DefaultPascalFileName(const TUMLClass& cls) {
  return "m" + codegen::BareClassName(cls.Name) + ".pas";
}

std::string DefaultJavaFileName(const TUMLClass& cls) {
  return codegen::BareClassName(cls.Name) + ".java";
}

std::string ExportFileName(const TUMLDrawClass& box, int language) {
  const std::string extension = language == 2 ? ".java" : ".pas";
  std::string name = FileNamePart(box.SourceFileName);
  // A file of the other language is not overwritten with this one's text.
  if (IsPlainFileName(name) && HasExtension(name, extension)) return name;
  if (!box.UMLClass) return {};
  // javac accepts a public class only in a file of its own name.
  name = language == 2 ? DefaultJavaFileName(*box.UMLClass) : DefaultPascalFileName(*box.UMLClass);
  return IsPlainFileName(name) ? name : std::string();
}

StringList PascalUnitText(DiagramDocument& window, TUMLDrawClass& box, IMessages* messages) {
  if (!box.UMLClass) return {};
  TConnectionList connections = PascalConnections(window);
  TPascalExport generator(connections, messages, &window.MainDocument().DrawClasses);
  const std::string unit =
      box.SourceFileName.empty() ? "m" + box.UMLClass->Name : UnitNameOfFile(box.SourceFileName);
  return WithUnitHeading(generator.Generate(*box.UMLClass), unit);
}

StringList JavaClassText(DiagramDocument& window, const TUMLDrawClass& box) {
  if (!box.UMLClass) return {};
  TConnectionList connections = JavaConnections(window);
  TJavaExport generator(connections);
  return generator.Generate(*box.UMLClass);
}

std::string SourceFileBytes(const StringList& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += text::ToUtf8(line);
    bytes += '\n';
  }
  return bytes;
}

bool WriteSourceFile(const std::string& path, const StringList& lines, IMessages& messages) {
  if (IsWriteProtected(path)) {
    messages.Message(
        MsgKind::Warning,
        W("Abspeichern nicht möglich. Die Datei '") + path + W("' ist schreibgeschützt."),
        MsgButtons::Ok);
    return false;
  }
  if (WriteFileAtomically(path, SourceFileBytes(lines))) return true;
  messages.Message(MsgKind::Warning,
                   W("Abspeichern nicht möglich. Datei ist wahrscheinlich geöffnet."),
                   MsgButtons::Ok);
  return false;
}

void SetFileAgeForClass(DiagramDocument& window, const TUMLClass* cls, std::int32_t age) {
  for (TUMLDrawClass* box : window.DrawClasses.Items)
    if (box->UMLClass == cls) box->SourceFileAge = age;
  if (window.IsMainDiagram)
    for (const auto& sub : window.SubDiagrams) SetFileAgeForClass(*sub, cls, age);
}

void SetSourceFileForClass(DiagramDocument& window, const TUMLClass* cls, const std::string& path) {
  DiagramDocument& main = window.MainDocument();
  const std::string fileName = FileNamePart(path);
  const std::string directory = DirectoryPart(path);
  const std::int32_t age = FileAge(path);
  auto record = [&](DiagramDocument& d) {
    for (TUMLDrawClass* box : d.DrawClasses.Items)
      if (box->UMLClass == cls) {
        box->SourceFileName = fileName;
        box->SourceDirectory = directory;
        box->SourceFileAge = age;
      }
  };
  record(main);
  for (const auto& sub : main.SubDiagrams) record(*sub);
}

const TUMLClass* ExportFileClaims::Claim(const std::string& path, const TUMLClass& cls) {
  auto [it, inserted] = owners_.emplace(text::LowerAscii(path), &cls);
  return inserted || it->second == &cls ? nullptr : it->second;
}

std::string SharedFileText(const TUMLClass& first, const TUMLClass& second,
                           const std::string& path) {
  return "Die Klassen '" + first.Name + "' und '" + second.Name + "' sollen beide in die Datei '" +
         path +
         W("' exportiert werden.\nEine Datei kann nur eine Klasse aufnehmen; die zweite "
           "würde die erste überschreiben.");
}

std::string ExportAllEndText(int notExported) {
  if (notExported == 0)
    return W("Alle Klassen des Hauptdiagramms sind ohne Rückfrage exportiert worden!");
  return W("Nicht alle Klassen des Hauptdiagramms sind exportiert worden: ") +
         text::IntToStr(notExported) + (notExported == 1 ? " Klasse fehlt." : " Klassen fehlen.");
}

std::string ProposedFileName(const TUMLDrawClass& box, int language) {
  if (!box.SourceFileName.empty()) return box.SourceFileName;
  if (!box.UMLClass) return {};
  return language == 2 ? DefaultJavaFileName(*box.UMLClass) : DefaultPascalFileName(*box.UMLClass);
}

SaveOutcome SaveGeneratedSource(DiagramDocument& window, TUMLDrawClass& box,
                                const std::string& path, const StringList& generated, int language,
                                IMessages& messages) {
  if (FileExists(path) &&
      messages.Message(MsgKind::Warning,
                       "Die Datei '" + path + "' existiert schon. Soll sie ersetzt werden",
                       MsgButtons::YesNo) != MsgResult::Yes)
    return SaveOutcome::Declined;
  const StringList lines =
      language == 2 ? generated : WithUnitHeading(generated, UnitNameOfFile(path));
  if (!WriteSourceFile(path, lines, messages)) return SaveOutcome::Failed;
  SetSourceFileForClass(window, box.UMLClass, path);
  return SaveOutcome::Saved;
}

bool ExportClassToFile(DiagramDocument& window, TUMLDrawClass& box,
                       const TConnectionList& connections, const std::string& path, int language,
                       IMessages& messages) {
  if (!box.UMLClass) return false;
  DiagramDocument& main = window.MainDocument();
  StringList lines;
  if (language == 2) {
    TJavaExport generator(connections);
    lines = generator.Generate(*box.UMLClass);
  } else {
    TPascalExport generator(connections, &messages, &main.DrawClasses);
    lines = WithUnitHeading(generator.Generate(*box.UMLClass), UnitNameOfFile(path));
  }
  if (!WriteSourceFile(path, lines, messages)) return false;
  SetSourceFileForClass(window, box.UMLClass, path);
  return true;
}

ExportAllResult ExportAllClasses(DiagramDocument& mainDiagram, const std::string& directory,
                                 int language, IMessages& messages) {
  DiagramDocument& main = mainDiagram.MainDocument();
  ExportAllResult result;
  // Both generators see the connections of the main diagram and all its sub-diagrams.
  TConnectionList connections = PascalConnections(main);

  // Every class gets its file name before the first unit is generated, so that each uses
  // clause names the units of all related classes, also those written later in the loop.
  struct Job {
    TUMLDrawClass* box;
    std::string fileName;
    std::string previousName;
  };
  std::vector<Job> jobs;
  ExportFileClaims claims;
  for (TUMLDrawClass* box : main.DrawClasses.Items) {
    if (!box->UMLClass || box->UMLClass->IsLibraryClass) continue;
    const std::string fileName = ExportFileName(*box, language);
    if (fileName.empty()) {
      messages.Message(MsgKind::Error,
                       "Die Klasse '" + box->UMLClass->Name +
                           W("' hat keinen brauchbaren Dateinamen und wird übersprungen."),
                       MsgButtons::Ok);
      ++result.failed;
      continue;
    }
    if (const TUMLClass* owner = claims.Claim(directory + fileName, *box->UMLClass)) {
      messages.Message(MsgKind::Warning,
                       SharedFileText(*owner, *box->UMLClass, directory + fileName) +
                           "\n\nDie Klasse '" + box->UMLClass->Name + W("' wird nicht exportiert."),
                       MsgButtons::Ok);
      ++result.failed;
      continue;
    }
    jobs.push_back({box, fileName, box->SourceFileName});
    box->SourceFileName = fileName;
  }

  for (const Job& job : jobs) {
    TUMLDrawClass* box = job.box;
    StringList lines;
    if (language == 2) {
      TJavaExport generator(connections);
      lines = generator.Generate(*box->UMLClass);
    } else {
      TPascalExport generator(connections, &messages, &main.DrawClasses);
      lines = WithUnitHeading(generator.Generate(*box->UMLClass), UnitNameOfFile(job.fileName));
    }
    const std::string path = directory + job.fileName;
    if (!WriteSourceFile(path, lines, messages)) {
      box->SourceFileName = job.previousName;  // nothing was written: the box stays as it was
      ++result.failed;
      continue;
    }
    SetSourceFileForClass(main, box->UMLClass, path);
    ++result.written;
  }
  messages.Message(result.failed == 0 ? MsgKind::Information : MsgKind::Warning,
                   ExportAllEndText(result.failed), MsgButtons::Ok);
  return result;
}

}  // namespace zedro
