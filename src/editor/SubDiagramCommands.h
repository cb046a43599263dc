// The sub-diagram commands of a main diagram window: creating, renaming and deleting its
// sub-diagrams. Every sub-diagram window has one entry in each of the main diagram's
// submenus "Unterdiagramm löschen" and "Name ändern"; the entries go with the window.
#pragma once

#include <string>

#include "editor/CommandArea.h"

namespace zedro {

class SubDiagramCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // "Neues Unterdiagramm": asks for a name (from a sub-diagram, for its main diagram).
  void erzeugeUnterdiagrammClick();
  // A new, empty sub-diagram window named "Unterdiagramm n - " + name; it becomes active.
  TFChild* CreateSubDiagram(const std::string& name);
  void RenameSubDiagram(TFChild* sub);
  void DeleteSubDiagram(TFChild* sub);
  // Called for a new sub-diagram window: its entries in its main diagram's submenus.
  void AddEntriesToMainDiagram();

 private:
  bool IsSubDiagramWindow(const TFChild* sub) const;
};

}  // namespace zedro
