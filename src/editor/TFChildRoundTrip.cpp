// Export of classes as source files with the code viewers, the export of all classes and
// the documentation viewer; the wiring of the round-trip commands.
#include <QAction>
#include <vector>

#include "codegen/ExportSupport.h"
#include "codegen/JavaExport.h"
#include "codegen/PascalExport.h"
#include "editor/CodeViewers.h"
#include "editor/RoundTripSupport.h"
#include "editor/TFChild.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

const char* const kNoCurrentClass = "Es ist keine aktuelle Klasse angewählt";

}  // namespace

void TFChild::WireRoundTripCommands() {
  auto wire = [this](const char* name, void (TFChild::*handler)()) {
    if (QAction* item = Item(name))
      connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  wire("ImportJavaSource", &TFChild::ImportJavaSourceClick);
  wire("ImportJavaSource2", &TFChild::ImportJavaSourceClick);
  wire("ImportPascalSource", &TFChild::ImportPascalSourceClick);
  wire("ImportPascalSource2", &TFChild::ImportPascalSourceClick);
  wire("MiAktualisieren", &TFChild::MiAktualisierenClick);
  wire("Codeersetzen1", &TFChild::MiAktualisierenClick);
  wire("JavaExport1", &TFChild::JavaExportClick);
  wire("pmiJavaExport2", &TFChild::JavaExportClick);
  wire("Quellcodeanzeigen1", &TFChild::DelphiExportClick);
  wire("Codeanzeigenspeichern", &TFChild::DelphiExportClick);
  wire("DokumentationderKlasseanzeigen1", &TFChild::DokumentationderKlasseanzeigen1Click);
  wire("DokuAnzeigen", &TFChild::DokumentationderKlasseanzeigen1Click);
  wire("AlleKlassenbrutalexportieren1", &TFChild::ExportAllClick);
  wire("aktualisiereAlle", &TFChild::aktualisiereAlleClick);
}

void TFChild::DelphiExportClick() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TUMLClass& cls = *doc.CurrentClass;
  TConnectionList connections = PascalConnections(doc);
  WindowMessages messages(*this);
  TFDelphiExport viewer(*this, doc.CurrentBox, connections);
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
    WatchTimerPause pause(*this);
    Dialogs().RunDialog(viewer);
  }
  SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void TFChild::JavaExportClick() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  TUMLClass& cls = *doc.CurrentClass;
  TConnectionList connections = JavaConnections(doc);
  TFJavaExport viewer(*this, doc.CurrentBox, connections);
  {
    TJavaExport generator(connections);
    viewer.Lines = generator.Generate(cls);
  }
  viewer.Label = "Java Code der Klasse \"" + cls.Name + "\"";
  viewer.Caption = "Java Code auch zum Export in eine Java-Datei";
  viewer.SaveCaption = "Speichern";
  viewer.SaveIsDefault = true;
  Dialogs().RunDialog(viewer);
  SetStatus("Verzeichnis: " + doc.ProjectDir);
}

void TFChild::ExportAllClick() {
  DiagramDocument& main = Doc().MainDocument();
  if (!Doc().CurrentClass) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  const int language = IstDelphiVersion->isChecked() ? 1 : 2;
  const std::string extension = language == 2 ? ".java" : ".pas";
  TConnectionList connections = PascalConnections(main);
  WindowMessages messages(*this);
  int notExported = 0;
  {
    WatchTimerPause pause(*this);
    // The file of a class chosen in the export dialog; empty when it was cancelled.
    auto askPath = [&](const TUMLClass& cls) {
      TFileRequest request;
      request.caption = "Klasse " + cls.Name + " exportieren";
      // javac accepts a public class only in a file of its own name.
      request.fileName = language == 2 ? DefaultJavaFileName(cls) : DefaultPascalFileName(cls);
      request.defaultExt = extension.substr(1);
      request.filter = language == 2 ? "Java Dateien|*.java" : "Pascal Dateien|*.pas";
      request.initialDir = main.ProjectDir;
      std::string path = Dialogs().SaveFileName(request);
      const std::string chosen = FileNamePart(path);
      if (!chosen.empty() && chosen.find('.') == std::string::npos) path += extension;
      return path;
    };
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
      const std::string& name = box->UMLClass->Name;
      // A file of the other language is never overwritten with this one's text: such a
      // class is asked for like one that was never exported.
      const std::string own = FileNamePart(box->SourceFileName);
      std::string path;
      if (!own.empty() && ExportFileName(*box, language) == own) {
        path = main.ProjectDir + own;
      } else {
        Dialogs().Message(MsgKind::Information,
                          "Klasse " + name + " ist noch nicht exportiert worden.\n" +
                              W("Sie können die Klasse nun neu exportieren."));
        path = askPath(*box->UMLClass);
      }
      // Two classes never go into one file: the later one gets a file of its own or stays
      // out of this export.
      while (!path.empty()) {
        const TUMLClass* owner = claims.Claim(path, *box->UMLClass);
        if (!owner) break;
        path = Dialogs().Message(MsgKind::Warning,
                                 SharedFileText(*owner, *box->UMLClass, path) +
                                     "\n\nSoll die Klasse '" + name +
                                     W("' in eine andere Datei exportiert werden?\n"
                                       "(Nein: Die Klasse wird diesmal nicht exportiert.)"),
                                 MsgButtons::YesNo) == MsgResult::Yes
                   ? askPath(*box->UMLClass)
                   : std::string();
        if (path.empty()) ++notExported;
      }
      if (path.empty()) continue;
      SetProjectDirectory(DirectoryPart(path));
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

void TFChild::DokumentationderKlasseanzeigen1Click() {
  DiagramDocument& doc = Doc();
  if (!doc.CurrentClass || !doc.CurrentBox) {
    Dialogs().Message(MsgKind::Warning, W(kNoCurrentClass));
    return;
  }
  // Only this window's connections: the documentation describes the diagram it is
  // opened from.
  TFDokuExport viewer(*this, doc.CurrentBox, doc.Connections);
  viewer.Label = "Dokumentation der Klasse \"" + doc.CurrentBox->UMLClass->Name + "\"";
  viewer.Caption = "Dokumentation auch zum Export als RichText Datei";
  viewer.SaveIsDefault = true;
  viewer.Build();
  Dialogs().RunDialog(viewer);
}

}  // namespace zedro
