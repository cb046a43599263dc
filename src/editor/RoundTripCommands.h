// The round trip between a diagram and its source files: export of the current class with
// the code viewers (which save it) and of every class at once, the documentation viewer,
// import of classes from Pascal units and Java sources, their update on command, and the
// watch of the main diagram's source files.
#pragma once

#include <memory>
#include <string>

#include "editor/CommandArea.h"

namespace zedro {

class ExportFileClaims;
class TUMLClass;

class RoundTripCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // "Delphi Export", "Java Export": the code viewer of the current class, which saves it.
  void DelphiExportClick();
  void JavaExportClick();
  // Alle Klassen "brutal" exportieren: every class of the main diagram, without asking.
  void ExportAllClick();
  // "Dokumentation anzeigen / speichern": the documentation viewer of the current class.
  void DokumentationderKlasseanzeigen1Click();

  // "Klassenimport aus Delphi" / "Klassenimport aus Java": a new box for a class read
  // from a source file (main diagrams only), then its ancestors are connected.
  void ImportPascalSourceClick();
  void ImportJavaSourceClick();
  // The same for a file already chosen (dropped on the window): refused outside a main
  // diagram, otherwise with the chooser and the questions of the commands.
  void ImportPascalFile(const std::string& path);
  void ImportJavaFile(const std::string& path);
  // Outside a main diagram: the warning that classes are imported into main diagrams
  // only, and true.
  bool RefuseImportOutsideMainDiagram();

  // "Klasse aktualisieren": the current class from a source file chosen by the user.
  void MiAktualisierenClick();
  // "Alle Klassen aktualisieren": every box in turn, each with its own file dialog.
  void aktualisiereAlleClick();
  // Brings the class up to date from the file, with the Pascal parser for a ".pas" file,
  // the Java parser for a ".java" file and by the diagram's language otherwise; the file
  // is then recorded in every box of the class. Redraws; true when the class was updated.
  bool UpdateClassFromFile(TUMLClass& cls, const std::string& path);
  // Gives every box whose class names an ancestor an IST connection to a box of that
  // class, creating the class above the box when the diagram has none.
  void ConnectAncestors();

  // One look of the watch timer at the source files of the main diagram's classes: a file
  // that changed is offered for an update.
  void WatchSourceFiles();

 private:
  // The file of a class chosen in the export dialog; empty when it was cancelled.
  std::string AskExportPath(const TUMLClass& cls, int language);
  // The file a box's class goes to in the export of all classes: its own file of that
  // language, else one the user chooses; never one that another class of the run has.
  // Empty when the class stays out (counted in notExported).
  std::string ExportAllPathFor(const TUMLDrawClass& box, int language, ExportFileClaims& claims,
                               int& notExported);
  // The source file to import from; empty when the window is no main diagram or the user
  // cancels.
  std::string AskImportFile(int language, const char* caption);
  // The new box of an imported class at (50, 50), current and shown in the inspector, with
  // the file recorded.
  TUMLDrawClass* AddImportedClass(std::unique_ptr<TUMLClass> cls, const std::string& path);
  // Asks whether the class of the changed file is to be updated, and does it.
  void OfferUpdate(TUMLDrawClass& box, const std::string& path);
};

}  // namespace zedro
