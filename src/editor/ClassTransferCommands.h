// Copy and paste of classes through the frame's clipboard, and class files. The clipboard
// holds references to boxes that stay in their diagrams: pasting into a main diagram
// copies the class into a new one, pasting into a sub-diagram shows the same class again.
#pragma once

#include "editor/CommandArea.h"

namespace zedro {

class ClassTransferCommands : public CommandArea {
 public:
  using CommandArea::CommandArea;

  // "Klasse kopieren": the selected boxes, or else the current box.
  void KlassekopierenClick();
  // "Klasse einfügen": every box copied last.
  void KlasseEinfuegenClick();
  void PasteBox(const TUMLDrawClass& source);
  // "Klasse aus Datei laden ..." (main diagrams only) and "Klasse als Datei speichern ...".
  void LadeObjectClick();
  void KlasseSpeichernClick();
};

}  // namespace zedro
