// Import of classes from source files, the update of classes from their files on command,
// and the watch of the source files of the main diagram's classes.
#include <QApplication>
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "codegen/ExportSupport.h"
#include "diagram/Connection.h"
#include "diagram/Placement.h"
#include "editor/Autosave.h"
#include "editor/QtText.h"
#include "editor/RoundTripSupport.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "import/ClassUpdate.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

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

const char* const kOnlyMainDiagram = "Neue Klassen können nur im Hauptdiagramm geladen werden";
const char* const kNoClassFound = "Keine Klassendefinition gefunden!";

}  // namespace

// ---- import ----------------------------------------------------------------------------

namespace {

// The new box of an imported class at (50, 50), current and shown in the inspector, with
// the file recorded.
TUMLDrawClass* AddImportedClass(TFChild& window, std::unique_ptr<TUMLClass> cls,
                                const std::string& path) {
  DiagramDocument& doc = window.Doc();
  TUMLDrawClass* box = doc.AddClassBox(std::move(cls), 50, 50);
  PlaceClear(doc, *box);
  doc.CurrentBox = box;
  doc.CurrentClass = box->UMLClass;
  window.Redraw(true);
  window.SetProjectDirectory(DirectoryPart(path));
  box->SourceFileName = FileNamePart(path);
  box->SourceDirectory = DirectoryPart(path);
  box->SourceFileAge = FileAge(path);
  window.MainForm().ShowClassInInspector(box->UMLClass);
  return box;
}

// The source file to import from; empty when the window is no main diagram or the user
// cancels.
std::string AskImportFile(TFChild& window, int language, const char* caption) {
  if (window.RefuseImportOutsideMainDiagram()) return {};
  TFileRequest request = SourceFileRequest(language);
  request.caption = caption;
  request.initialDir = window.Doc().ProjectDir;
  return window.Dialogs().OpenFileName(request);
}

}  // namespace

bool TFChild::RefuseImportOutsideMainDiagram() {
  if (IsMainDiagram()) return false;
  Dialogs().Message(MsgKind::Warning, W(kOnlyMainDiagram));
  return true;
}

void TFChild::ImportPascalSourceClick() {
  const std::string path = AskImportFile(*this, 1, "Klassenimport aus Delphi");
  if (!path.empty()) ImportPascalFile(path);
}

void TFChild::ImportPascalFile(const std::string& path) {
  if (RefuseImportOutsideMainDiagram()) return;
  MainForm().Autosave().SaveNow(*this);
  WatchSuspended watch(*this);
  WindowMessages messages(*this);
  TUMLClass* imported = nullptr;
  {
    std::vector<std::unique_ptr<TUMLClass>> classes;
    try {
      TSourceParser parser(path, messages);
      while (auto cls = parser.ReadNextClass()) classes.push_back(std::move(cls));
    } catch (const std::bad_alloc&) {
      classes.clear();
      ReportOutOfMemory(*this, path);
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
      WatchTimerPause pause(*this);
      imported = AddImportedClass(*this, std::move(taken), path)->UMLClass;
    }
  }
  if (imported &&
      Dialogs().Message(MsgKind::Confirmation,
                        "Soll der Code der Klasse '" + imported->Name + "' eingelesen werden?",
                        MsgButtons::YesNo) == MsgResult::Yes)
    UpdateClassFromFile(*imported, path);
  ConnectAncestors();
  Redraw(true);
}

void TFChild::ImportJavaSourceClick() {
  const std::string path = AskImportFile(*this, 2, "Klassenimport aus Java");
  if (!path.empty()) ImportJavaFile(path);
}

void TFChild::ImportJavaFile(const std::string& path) {
  if (RefuseImportOutsideMainDiagram()) return;
  MainForm().Autosave().SaveNow(*this);
  WatchSuspended watch(*this);
  WindowMessages messages(*this);
  std::unique_ptr<TUMLClass> cls;
  try {
    TJavaParser parser(path, messages);
    cls = parser.Parse();
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(*this, path);
    return;
  }
  // A file without a class declaration yields a class without a name: no box for it.
  if (!cls || cls->Name.empty()) {
    Dialogs().Message(MsgKind::Information, kNoClassFound);
  } else {
    WatchTimerPause pause(*this);
    AddImportedClass(*this, std::move(cls), path);
  }
  ConnectAncestors();
  Redraw(true);
}

void TFChild::ConnectAncestors() {
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
          return c->Kind == kIst && c->StartBox == box && named(c->EndBox);
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
    TConnection* ist = doc.AddConnection(box, 6, target, 28, kIst);
    ist->Color = DefaultConnectionColor(kIst);
    Redraw(true);
  }
}

// ---- update ----------------------------------------------------------------------------

bool TFChild::UpdateClassFromFile(TUMLClass& cls, const std::string& path) {
  // The diagram as it was is kept first: an update replaces a class's members.
  MainForm().Autosave().SaveNow(*this);
  WatchSuspended watch(*this);
  WindowMessages messages(*this);
  bool updated = false;
  try {
    updated = SourceLanguage(path, Doc().Language) == 2
                  ? UpdateFromJavaFile(Doc(), cls, path, messages)
                  : UpdateFromPascalFile(Doc(), cls, path, messages);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(*this, path);
    return false;
  }
  if (updated) {
    // Sub-diagram records keep no file name: the main diagram's box must know the file
    // too, so that it is watched and kept when the diagram is saved.
    SetSourceFileForClass(Doc(), &cls, path);
    MainForm().ShowClassInInspector(&cls);
  }
  Redraw(true);
  return updated;
}

void TFChild::MiAktualisierenClick() {
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
    WatchSuspended watch(*this);
    path = Dialogs().OpenFileName(request);
  }
  if (!path.empty()) {
    if (FileExists(path)) {
      UpdateClassFromFile(cls, path);
      Redraw(true);
    } else {
      Dialogs().Message(MsgKind::Warning,
                        "Klasse '" + name + "' konnte nicht aktualisiert werden.");
    }
  }
  SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void TFChild::aktualisiereAlleClick() {
  DiagramDocument& doc = Doc();
  const std::vector<TUMLDrawClass*> boxes = doc.DrawClasses.Items;
  for (TUMLDrawClass* box : boxes) {
    if (!box->UMLClass) continue;
    doc.CurrentBox = box;
    doc.CurrentClass = box->UMLClass;
    MiAktualisierenClick();
  }
  Redraw(true);
}

// ---- watch -----------------------------------------------------------------------------

void TFChild::Timer1Timer() {
  if (!IsMainDiagram() || !WatchEnabled || ClosingAll) return;
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

    WatchEnabled = false;
    QPointer<TFChild> previous = MainForm().ActiveChild();
    MainForm().ActivateChild(this);
    TUMLClass& cls = *box->UMLClass;
    const std::string name = cls.Name;
    const std::string question =
        ">>>>> Diagramm:  " + S(windowTitle()) + " <<<<<\n\nDie Datei  '" + box->SourceFileName +
        "'  zur Klasse   '" + name + W("'   wurde zwischenzeitlich geändert!") +
        "\n\n>>> Soll die Klasse  '" + name + "'  aktualisiert werden? <<<";
    if (Dialogs().Message(MsgKind::Confirmation, question, MsgButtons::YesNo) == MsgResult::Yes) {
      doc.CurrentBox = box;
      doc.CurrentClass = &cls;
      UpdateClassFromFile(cls, path);
      Redraw(true);
    }
    // Reported once per change: whatever the answer, the new age is the known one.
    box->SourceFileAge = FileAge(path);
    SetFileAgeForClass(doc, &cls, box->SourceFileAge);
    doc.Saved = false;
    if (previous && previous != this) MainForm().ActivateChild(previous);
  }
  WatchEnabled = true;
}

}  // namespace zedro
