// The relationship commands of a diagram window: IST, HAT and KENNT picked from any class or
// from the current box (the clicks that complete them are the mouse's), the choice of the
// attributes a HAT or KENNT stands for, deleting relationships, and the font, colour and
// route of the connection the context menu was opened on.
#pragma once

#include "editor/CommandArea.h"

namespace zedro {

class TUMLClass;

class RelationshipCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // Picking from any class: the item's tick toggles the command.
  void VererbungClick();
  void AggregationClick();
  void AssoziationClick();
  // Picking that starts at the current box.
  void KlasseISTClick();
  void KlasseHATClick();
  void KlasseKENNTClick();
  // The attributes of the start class that SelectedConnection stands for; the dialog is
  // offered again for the parent class and after a new attribute.
  void AttributwaehlenClick();
  // Deleting by clicking an end (toggles), and deleting SelectedConnection after a question.
  void deleteConnectionClick();
  void beziehungLoeschenClick();
  // Font, colour and route of SelectedConnection.
  void SchriftAendernClick();
  void CoFarbenAendernClick();
  void LinienzugWaehlenClick();

 private:
  // Creates an attribute for SelectedConnection in cls; false when cancelled.
  bool NewAttributeForConnection(TUMLClass& cls);
};

}  // namespace zedro
