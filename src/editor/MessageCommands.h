// The message commands of a diagram window: Auftrag and Anfrage picked from any box or from
// the current box (the clicks that complete them are the mouse's), the choice or creation
// of the method a message calls, the texts of a connection, and deleting messages.
#pragma once

#include "editor/CommandArea.h"

namespace zedro {

class TUMLClass;

class MessageCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // Picking from any box: the item's tick toggles the command.
  void AuftragClick();
  void AnfrageClick();
  // Picking that starts at the current box.
  void erteiltAUFTRAGanClick();
  void StelltAnfrageanClick();
  // The method SelectedConnection calls, chosen among the receiver's methods (and those of
  // its parent classes) or created.
  void MethodewaehlenClick();
  // Deleting messages by clicking an end (toggles).
  void BotschaftLoeschenClick();
  // The texts of SelectedConnection.
  void beziehungBearbeitenClick();

 private:
  // Creates the method a message calls in cls (the method dialog).
  void NewMethodForMessage(TUMLClass& cls);
};

}  // namespace zedro
