// A diagram: a main diagram with its sub-diagrams, or one sub-diagram. It owns its drawing
// surface (and through it every element), its element lists and its option sets; a main
// diagram also owns its sub-diagrams.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "diagram/Canvas.h"
#include "diagram/ClassBox.h"
#include "diagram/Component.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "diagram/InfoBox.h"
#include "diagram/Options.h"

namespace zedro {

class DiagramDocument {
 public:
  // A main diagram (main == nullptr) or a sub-diagram of main.
  explicit DiagramDocument(DiagramDocument* main = nullptr);
  ~DiagramDocument();
  DiagramDocument(const DiagramDocument&) = delete;
  DiagramDocument& operator=(const DiagramDocument&) = delete;

  DiagramDocument& MainDocument() { return Main ? *Main : *this; }
  const DiagramDocument& MainDocument() const { return Main ? *Main : *this; }

  // A new class box for a class the box then owns (main diagrams).
  TUMLDrawClass* AddClassBox(std::unique_ptr<TUMLClass> cls, int x = 50, int y = 50);
  // A box that shows a class owned elsewhere (sub-diagrams).
  TUMLDrawClass* AddBoxForClass(TUMLClass* cls, int x = 50, int y = 50);
  TUMLDrawObject* AddObjectBox(TUMLClass* cls, int x, int y);
  TConnection* AddConnection(TUMLDrawClass* startBox, int startPoint, TUMLDrawClass* endBox,
                             int endPoint, TConnectionKind kind);
  TInfoBox* AddInfoBox(int x = 50, int y = 50);
  DiagramDocument* AddSubDiagram(const std::string& fileName);

  // Removes and frees a connection; deleting an IST clears the start class's Parent.
  void DeleteConnection(TConnection* c);
  // Destroys every element and empties the lists (sub-diagrams stay).
  void ClearElements();
  // Takes an attribute out of every connection of the main diagram and its sub-diagrams
  // and out of the value lists of the objects of its class.
  void PurgeAttribute(TUMLClass& cls, TAttribute& attribute);
  AttributePurge Purger() {
    return [this](TUMLClass& c, TAttribute& a) { MainDocument().PurgeAttribute(c, a); };
  }
  // Sets Parent of every IST connection's start class to its end class.
  void AssertParents();
  // Makes the directory the project directory of the main diagram and all its
  // sub-diagrams. Boxes whose source files were found in the old project directory keep
  // finding them there.
  void SetProjectDir(const std::string& directory);

  bool IsMainDiagram;
  DiagramDocument* Main;
  int Language = 1;  // 1 Delphi, 2 Java
  std::string FileName;
  std::string ProjectDir;
  bool Saved = true;
  bool HasFileName = false;
  int LoadedVersion = 184;  // the version of the file last read into this diagram

  TFOptions ClassOptions;
  TFCoOptions ConnectionOptions;
  DrawingSurface Surface;
  TDrawClassList DrawClasses;
  TConnectionList Connections;
  TInfoBoxList InfoBoxes;
  TDrawClassList Selection;
  // The rubber-band rectangle of the selection, drawn in not-xor grey by the redraw.
  TRect SelectionRect;
  TUMLDrawClass* CurrentBox = nullptr;
  TUMLClass* CurrentClass = nullptr;
  // Destroyed first, before the classes of this diagram that they show.
  std::vector<std::unique_ptr<DiagramDocument>> SubDiagrams;
};

// The file-name part of a path (after the last '/' or '\').
std::string FileNamePart(const std::string& path);
// The directory part including its trailing separator; empty when there is none.
std::string DirectoryPart(const std::string& path);
// The full path of the box's source file: in the box's own directory, or in the project
// directory of its main diagram when it has none. Empty when the box has no source file.
std::string SourceFilePath(const TUMLDrawClass& box);

}  // namespace zedro
