// The commands of a diagram window that create, change and delete its elements: classes and
// objects, free notes and the notes of classes, the display options, the project directory,
// and the class inspector's operations on the current class.
#pragma once

#include <string>

#include "editor/CommandArea.h"

namespace zedro {

class TUMLClass;

class ElementCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // "Neue Klasse" (main diagrams only): asked for its name until a valid one is given.
  void newClassClick();
  // Deleting the current class or object box after its question.
  void DeleteClassClick();
  // Removes a box with everything that hangs on it: its connections, in a main diagram also
  // the boxes of its class in every sub-diagram, and the class itself.
  void DeleteBox(TUMLDrawClass* box);

  // Objects (sub-diagrams only): inserted at ClickPos; their values edited in the grid.
  void ObjektEinfuegenClick();
  void Wertbelegungaendern1Click();

  // Notes: free info boxes and the note tied to the current class. The info box commands
  // act on DraggedBox, the note clicked last.
  void InfoBoxEinfuegenClick();
  void InfozueinerKlasseeinfgen1Click();
  void InfoBoxInhaltAendernClick();
  void InfoBoxSchrifttypAendernClick();
  void InfoBoxFarbeAendernClick();
  void InfoBoxLoeschenClick();
  // The text of a class note sits this far above the box: one line step of |height| + 1
  // pixels per line, and 10 pixels more.
  static int ClassNoteOffsetY(int lineCount, int fontHeight);

  void VerzeichnisaendernClick();

  // Display options of the current box, of all boxes, and the font of all connections.
  void MiKlassenDarstellungAendernClick();
  void AlleKlassendarstellungenAendernClick();
  void SchriftallerBeziehungenAendernClick();

  // The class inspector's operations on the current class, and its window.
  void AttributhinzufuegenClick();
  void MethodeHinzufuegenClick();
  void MethodeueberschreibenClick();
  void NameoderArtAendernClick();
  void BeschreibungAendernClick();
  void Klassensinspectorzeigen1Click();

  // The previous answer of the new-class input box.
  std::string NewClassName;

 private:
  // The second question before a class of a main diagram with sub-diagrams goes.
  bool ConfirmDeletingFromMainDiagram(const TUMLClass* cls);
  // The connections at the box, with the window's references to them.
  void RemoveConnectionsAt(const TUMLDrawClass* box);
  // The boxes of the class in every sub-diagram, and the references of the main diagram and
  // its sub-diagrams to the class and its members; the class goes with its box.
  void ForgetClassEverywhere(const TUMLDrawClass* box, TUMLClass* cls);
  // Every reference of the frame and the window to the box that is about to go.
  void ForgetBox(const TUMLDrawClass* box);
};

}  // namespace zedro
