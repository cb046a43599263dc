#include "editor/RoundTripCommands.h"

#include <QApplication>
#include <algorithm>
#include <new>
#include <vector>

#include "codegen/ExportSupport.h"
#include "codegen/JavaExport.h"
#include "codegen/PascalExport.h"
#include "diagram/Connection.h"
#include "diagram/Placement.h"
#include "editor/Autosave.h"
#include "editor/CodeViewers.h"
#include "editor/QtText.h"
#include "editor/RoundTripSupport.h"
#include "editor/TMainForm.h"
#include "import/ClassUpdate.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt";
const char* const kOnlyMainDiagram = "Neue Klassen können nur im Hauptdiagramm geladen werden";
const char* const kNoClassFound = "Keine Klassendefinition gefunden!";

bool HasExtension(const std::string& path, const std::string& extension) {
  const std::string name = FileNamePart(path);
  return name.size() > extension.size() &&
         text::EqualsIgnoreCase(name.substr(name.size() - extension.size()), extension);
}

// The parser a file is read with: its extension decides, so that a unit is never read
// as Java after the diagram was switched to Java (and the reverse); the diagram's
// language decides for any other file.
int SourceLanguage(const std::string& path, int diagramLanguage) {
  if (HasExtension(path, ".pas")) return 1;
  if (HasExtension(path, ".java")) return 2;
  return diagramLanguage == 2 ? 2 : 1;
}

// While the watch or an update runs, the watch does not ask again; the flag belongs to
// the main diagram window, whose timer does the watching.
class WatchSuspended {
 public:
  explicit WatchSuspended(TFChild& window)
      : window_(window.MainDiagramWindow()), was_(window_.WatchEnabled) {
    window_.WatchEnabled = false;
  }
  ~WatchSuspended() { window_.WatchEnabled = was_; }
  WatchSuspended(const WatchSuspended&) = delete;
  WatchSuspended& operator=(const WatchSuspended&) = delete;

 private:
  TFChild& window_;
  bool was_;
};

// A source too large for the memory ends the command, not the program.
void ReportOutOfMemory(TFChild& window, const std::string& path) {
  window.Dialogs().Message(MsgKind::Error, W("Nicht genug Arbeitsspeicher: Die Datei '") + path +
                                               W("' ist zu groß, um sie einzulesen.\n\n"
                                                 "Der Befehl wurde abgebrochen."));
}

}  // namespace

// ---- export ----------------------------------------------------------------------------

void RoundTripCommands::DelphiExportClick() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TUMLClass& cls = *doc.CurrentClass;
  TConnectionList connections = PascalConnections(doc);
  WindowMessages messages(Window());
  TFDelphiExport viewer(Window(), doc.CurrentBox, connections);
  {
    TPascalExport generator(connections, &messages, &doc.MainDocument().DrawClasses);
    viewer.Lines = generator.Generate(cls);
  }
  viewer.Label = "Pascal Code der Klasse \"" + cls.Name + "\"";
  viewer.Caption = "Pascal Code auch zum Export in eine Unit";
  viewer.SaveCaption = "Als Unit Speichern";
  viewer.SaveIsDefault = true;
  {
    // A saved unit records its own age in every box of the class; the watch must not
    // report the file while it is being written.
    WatchTimerPause pause(Window());
    Dialogs().RunDialog(viewer);
  }
  Window().SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void RoundTripCommands::JavaExportClick() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TUMLClass& cls = *doc.CurrentClass;
  TConnectionList connections = JavaConnections(doc);
  TFJavaExport viewer(Window(), doc.CurrentBox, connections);
  {
    TJavaExport generator(connections);
    viewer.Lines = generator.Generate(cls);
  }
  viewer.Label = "Java Code der Klasse \"" + cls.Name + "\"";
  viewer.Caption = "Java Code auch zum Export in eine Java-Datei";
  viewer.SaveCaption = "Speichern";
  viewer.SaveIsDefault = true;
  Dialogs().RunDialog(viewer);
  Window().SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void RoundTripCommands::ExportAllClick() {
  DiagramDocument& main = Doc().MainDocument();
  if (!Doc().CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  const int language = Window().IstDelphiVersion->isChecked() ? 1 : 2;
  TConnectionList connections = PascalConnections(main);
  WindowMessages messages(Window());
  int notExported = 0;
  {
    WatchTimerPause pause(Window());
    // Every class gets its file before the first one is generated, so that each uses
    // clause names the units of the related classes written later in the run.
    struct Job {
      TUMLDrawClass* box;
      std::string path;
      std::string previousName;
    };
    std::vector<Job> jobs;
    ExportFileClaims claims;
    const std::vector<TUMLDrawClass*> boxes = main.DrawClasses.Items;
    for (TUMLDrawClass* box : boxes) {
      if (!box->UMLClass || box->UMLClass->IsLibraryClass) continue;
      const std::string path = ExportAllPathFor(*box, language, claims, notExported);
      if (path.empty()) continue;
      Window().SetProjectDirectory(DirectoryPart(path));
      jobs.push_back({box, path, box->SourceFileName});
      box->SourceFileName = FileNamePart(path);
    }
    for (const Job& job : jobs)
      if (!ExportClassToFile(main, *job.box, connections, job.path, language, messages)) {
        job.box->SourceFileName = job.previousName;  // nothing written: the box stays
        ++notExported;
      }
  }
  Dialogs().Message(notExported == 0 ? MsgKind::Information : MsgKind::Warning,
                    ExportAllEndText(notExported));
}

std::string RoundTripCommands::AskExportPath(const TUMLClass& cls, int language) {
  const std::string extension = language == 2 ? ".java" : ".pas";
  TFileRequest request;
  request.caption = "Klasse " + cls.Name + " exportieren";
  // javac accepts a public class only in a file of its own name.
  request.fileName = language == 2 ? DefaultJavaFileName(cls) : DefaultPascalFileName(cls);
  request.defaultExt = extension.substr(1);
  request.filter = language == 2 ? "Java Dateien|*.java" : "Pascal Dateien|*.pas";
  request.initialDir = Doc().MainDocument().ProjectDir;
  std::string path = Dialogs().SaveFileName(request);
  const std::string chosen = FileNamePart(path);
  if (!chosen.empty() && chosen.find('.') == std::string::npos) path += extension;
  return path;
}

std::string RoundTripCommands::ExportAllPathFor(const TUMLDrawClass& box, int language,
                                                ExportFileClaims& claims, int& notExported) {
  const TUMLClass& cls = *box.UMLClass;
  const std::string& name = cls.Name;
  // A file of the other language is never overwritten with this one's text: such a
  // class is asked for like one that was never exported.
  const std::string own = FileNamePart(box.SourceFileName);
  std::string path;
  if (!own.empty() && ExportFileName(box, language) == own) {
    path = Doc().MainDocument().ProjectDir + own;
  } else {
    Dialogs().Message(MsgKind::Information,
                      "Klasse " + name + " ist noch nicht exportiert worden.\n" +
                          W("Sie können die Klasse nun neu exportieren."));
    path = AskExportPath(cls, language);
  }
  // Two classes never go into one file: the later one gets a file of its own or stays
  // out of this export.
  while (!path.empty()) {
    const TUMLClass* owner = claims.Claim(path, cls);
    if (!owner) break;
    path = Dialogs().Message(MsgKind::Warning,
                             SharedFileText(*owner, cls, path) + "\n\nSoll die Klasse '" + name +
                                 W("' in eine andere Datei exportiert werden?\n"
                                   "(Nein: Die Klasse wird diesmal nicht exportiert.)"),
                             MsgButtons::YesNo) == MsgResult::Yes
               ? AskExportPath(cls, language)
               : std::string();
    if (path.empty()) ++notExported;
  }
  return path;
}

void RoundTripCommands::DokumentationderKlasseanzeigen1Click() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  // Only this window's connections: the documentation describes the diagram it is
  // opened from.
  TFDokuExport viewer(Window(), doc.CurrentBox, doc.Connections);
  viewer.Label = "Dokumentation der Klasse \"" + doc.CurrentBox->UMLClass->Name + "\"";
  viewer.Caption = "Dokumentation auch zum Export als RichText Datei";
  viewer.SaveIsDefault = true;
  viewer.Build();
  Dialogs().RunDialog(viewer);
}

// ---- import ----------------------------------------------------------------------------

TUMLDrawClass* RoundTripCommands::AddImportedClass(std::unique_ptr<TUMLClass> cls,
                                                   const std::string& path) {
  DiagramDocument& doc = Doc();
  TUMLDrawClass* box = doc.AddClassBox(std::move(cls), 50, 50);
  PlaceClear(doc, *box);
  doc.CurrentBox = box;
  doc.CurrentClass = box->UMLClass;
  Window().Redraw();
  Window().SetProjectDirectory(DirectoryPart(path));
  box->SourceFileName = FileNamePart(path);
  box->SourceDirectory = DirectoryPart(path);
  box->SourceFileAge = FileAge(path);
  MainForm().ShowClassInInspector(box->UMLClass);
  return box;
}

std::string RoundTripCommands::AskImportFile(int language, const char* caption) {
  if (RefuseImportOutsideMainDiagram()) return {};
  TFileRequest request = SourceFileRequest(language);
  request.caption = caption;
  request.initialDir = Doc().ProjectDir;
  return Dialogs().OpenFileName(request);
}

bool RoundTripCommands::RefuseImportOutsideMainDiagram() {
  if (Window().IsMainDiagram()) return false;
  Dialogs().Message(MsgKind::Warning, W(kOnlyMainDiagram));
  return true;
}

void RoundTripCommands::ImportPascalSourceClick() {
  const std::string path = AskImportFile(1, "Klassenimport aus Delphi");
  if (!path.empty()) ImportPascalFile(path);
}

void RoundTripCommands::ImportPascalFile(const std::string& path) {
  if (RefuseImportOutsideMainDiagram()) return;
  MainForm().Autosave().SaveNow(Window());
  WatchSuspended watch(Window());
  WindowMessages messages(Window());
  TUMLClass* imported = nullptr;
  {
    std::vector<std::unique_ptr<TUMLClass>> classes;
    try {
      TSourceParser parser(path, messages);
      while (auto cls = parser.ReadNextClass()) classes.push_back(std::move(cls));
    } catch (const std::bad_alloc&) {
      classes.clear();
      ReportOutOfMemory(Window(), path);
      return;
    }
    std::unique_ptr<TUMLClass> taken;
    if (classes.size() == 1) {
      taken = std::move(classes.front());
    } else if (classes.size() > 1) {
      Dialogs().Message(MsgKind::Information, "Mehrere Klassendefinitionen gefunden!");
      std::vector<std::string> names;
      for (const auto& cls : classes) names.push_back(cls->Name);
      const int choice =
          Dialogs().ChooseFromList("Welche Klasse soll importiert werden ?", names,
                                   "Diese Klasse importieren", "Keine Klasse importieren");
      if (choice >= 0 && choice < static_cast<int>(classes.size()))
        taken = std::move(classes[static_cast<size_t>(choice)]);
    } else {
      Dialogs().Message(MsgKind::Information, kNoClassFound);
    }
    if (taken) {
      WatchTimerPause pause(Window());
      imported = AddImportedClass(std::move(taken), path)->UMLClass;
    }
  }
  if (imported &&
      Dialogs().Message(MsgKind::Confirmation,
                        "Soll der Code der Klasse '" + imported->Name + "' eingelesen werden?",
                        MsgButtons::YesNo) == MsgResult::Yes)
    UpdateClassFromFile(*imported, path);
  ConnectAncestors();
  Window().Redraw();
}

void RoundTripCommands::ImportJavaSourceClick() {
  const std::string path = AskImportFile(2, "Klassenimport aus Java");
  if (!path.empty()) ImportJavaFile(path);
}

void RoundTripCommands::ImportJavaFile(const std::string& path) {
  if (RefuseImportOutsideMainDiagram()) return;
  MainForm().Autosave().SaveNow(Window());
  WatchSuspended watch(Window());
  WindowMessages messages(Window());
  std::unique_ptr<TUMLClass> cls;
  try {
    TJavaParser parser(path, messages);
    cls = parser.Parse();
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(Window(), path);
    return;
  }
  // A file without a class declaration yields a class without a name: no box for it.
  if (!cls || cls->Name.empty()) {
    Dialogs().Message(MsgKind::Information, kNoClassFound);
  } else {
    WatchTimerPause pause(Window());
    AddImportedClass(std::move(cls), path);
  }
  ConnectAncestors();
  Window().Redraw();
}

void RoundTripCommands::ConnectAncestors() {
  DiagramDocument& doc = Doc();
  // Boxes added here are new classes without an ancestor; they need no visit.
  const std::vector<TUMLDrawClass*> boxes = doc.DrawClasses.Items;
  for (TUMLDrawClass* box : boxes) {
    if (box->IsObjectBox() || !box->UMLClass || box->UMLClass->AncestorName.empty()) continue;
    const std::string ancestor = box->UMLClass->AncestorName;
    auto named = [&](const TUMLDrawClass* b) {
      return b && b->UMLClass && text::EqualsIgnoreCase(b->UMLClass->Name, ancestor);
    };
    const bool connected = std::any_of(
        doc.Connections.Items.begin(), doc.Connections.Items.end(), [&](const TConnection* c) {
          return c->Kind == TConnectionKind::Ist && c->StartBox == box && named(c->EndBox);
        });
    if (connected) continue;
    TUMLDrawClass* target = nullptr;
    for (TUMLDrawClass* b : doc.DrawClasses.Items)
      if (!b->IsObjectBox() && named(b)) target = b;
    // A class that names itself as its ancestor gets no connection to itself.
    if (target == box) continue;
    if (!target)
      target = doc.AddClassBox(std::make_unique<TUMLClass>(ancestor), box->Left,
                               std::max(0, box->Top - 80));
    TConnection* ist = doc.AddConnection(box, 6, target, 28, TConnectionKind::Ist);
    ist->Color = DefaultConnectionColor(TConnectionKind::Ist);
    Window().Redraw();
  }
}

// ---- update ----------------------------------------------------------------------------

bool RoundTripCommands::UpdateClassFromFile(TUMLClass& cls, const std::string& path) {
  // The diagram as it was is kept first: an update replaces a class's members.
  MainForm().Autosave().SaveNow(Window());
  WatchSuspended watch(Window());
  WindowMessages messages(Window());
  bool updated = false;
  try {
    updated = SourceLanguage(path, Doc().Language) == 2
                  ? UpdateFromJavaFile(Doc(), cls, path, messages)
                  : UpdateFromPascalFile(Doc(), cls, path, messages);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(Window(), path);
    return false;
  }
  if (updated) {
    // Sub-diagram records keep no file name: the main diagram's box must know the file
    // too, so that it is watched and kept when the diagram is saved.
    SetSourceFileForClass(Doc(), &cls, path);
    MainForm().ShowClassInInspector(&cls);
  }
  Window().Redraw();
  return updated;
}

void RoundTripCommands::MiAktualisierenClick() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W("Es ist keine aktuelle Klasse angewählt."));
    return;
  }
  TUMLClass& cls = *doc.CurrentClass;
  const std::string name = cls.Name;
  TFileRequest request = SourceFileRequest(doc.Language);
  request.caption = "Klasse '" + name + "' aktualisieren";
  request.initialDir = doc.ProjectDir;
  request.fileName = doc.CurrentBox->SourceFileName.empty() ? doc.ProjectDir + "m" + name
                                                            : doc.CurrentBox->SourceFileName;
  std::string path;
  {
    // No watch question on top of the file dialog.
    WatchSuspended watch(Window());
    path = Dialogs().OpenFileName(request);
  }
  if (!path.empty()) {
    if (FileExists(path)) {
      UpdateClassFromFile(cls, path);
      Window().Redraw();
    } else {
      Dialogs().Message(MsgKind::Warning,
                        "Klasse '" + name + "' konnte nicht aktualisiert werden.");
    }
  }
  Window().SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void RoundTripCommands::aktualisiereAlleClick() {
  DiagramDocument& doc = Doc();
  const std::vector<TUMLDrawClass*> boxes = doc.DrawClasses.Items;
  for (TUMLDrawClass* box : boxes) {
    if (!box->UMLClass) continue;
    doc.CurrentBox = box;
    doc.CurrentClass = box->UMLClass;
    MiAktualisierenClick();
  }
  Window().Redraw();
}

// ---- watch -----------------------------------------------------------------------------

void RoundTripCommands::WatchSourceFiles() {
  TFChild& w = Window();
  if (!w.IsMainDiagram() || !w.WatchEnabled || w.ClosingAll) return;
  // A question of the watch never comes on top of another dialog; it waits until that
  // dialog is closed.
  if (QApplication::activeModalWidget()) return;
  DiagramDocument& doc = Doc();
  for (size_t i = 0; i < doc.DrawClasses.Items.size(); ++i) {
    TUMLDrawClass* box = doc.DrawClasses.Items[i];
    if (!box->UMLClass || box->SourceFileName.empty()) continue;
    // The file is found where the box found it, even after the project directory moved.
    const std::string path = SourceFilePath(*box);
    if (!FileExists(path) || FileAge(path) <= box->SourceFileAge) continue;
    if (box->SourceFileAge < 0) {
      // An unknown age is no change: the file is taken as the box knows it.
      SetFileAgeForClass(doc, box->UMLClass, FileAge(path));
      continue;
    }
    OfferUpdate(*box, path);
  }
  w.WatchEnabled = true;
}

void RoundTripCommands::OfferUpdate(TUMLDrawClass& box, const std::string& path) {
  TFChild& w = Window();
  DiagramDocument& doc = Doc();
  w.WatchEnabled = false;
  QPointer<TFChild> previous = MainForm().ActiveChild();
  MainForm().ActivateChild(&w);
  TUMLClass& cls = *box.UMLClass;
  const std::string name = cls.Name;
  const std::string question =
      ">>>>> Diagramm:  " + S(w.windowTitle()) + " <<<<<\n\nDie Datei  '" + box.SourceFileName +
      "'  zur Klasse   '" + name + W("'   wurde zwischenzeitlich geändert!") +
      "\n\n>>> Soll die Klasse  '" + name + "'  aktualisiert werden? <<<";
  if (Dialogs().Message(MsgKind::Confirmation, question, MsgButtons::YesNo) == MsgResult::Yes) {
    doc.CurrentBox = &box;
    doc.CurrentClass = &cls;
    UpdateClassFromFile(cls, path);
    w.Redraw();
  }
  // Reported once per change: whatever the answer, the new age is the known one.
  box.SourceFileAge = FileAge(path);
  SetFileAgeForClass(doc, &cls, box.SourceFileAge);
  doc.Saved = false;
  if (previous && previous != &w) MainForm().ActivateChild(previous);
}

}  // namespace zedro
