// A block of free text lines: a note of the diagram or the text box of a connection.
#pragma once

#include "diagram/Component.h"
#include "diagram/Font.h"
#include "model/UMLClass.h"

namespace zedro {

class TInfoBox : public TComponent {
 public:
  // Left = X, Top = Y, framed, no lines, its own default font.
  TInfoBox(int x, int y, DrawingSurface* image);
  static TInfoBox* Create(int x, int y, DrawingSurface* image);

  // Opens the text dialog; only "So übernehmen" changes the lines.
  void Edit(const std::string& caption);
  void AddLine(const std::string& line) { Lines.push_back(line); }
  // Paints the lines, with a frame when Framed is set.
  void Repaint();
  // Sets Framed and paints.
  void PaintFramed() {
    Framed = true;
    Repaint();
  }
  void PaintUnframed() {
    Framed = false;
    Repaint();
  }
  void Erase();
  void MoveBy(int dx, int dy);
  // Left - 3 < X < Right + 3 and Top - 3 < Y < Bottom + 3.
  bool ContainsPoint(int x, int y) const;

  // The info box record: edges, lines, font.
  void Load(ValueReader& reader);
  void Save(ValueWriter& writer) const;

  bool Framed = true;
  int Left = 0;
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
  // The font used: the box's own, or the font of the connection it belongs to.
  TFontSpec* FontDialog;
  DrawingSurface* Image;
  StringList Lines;

 private:
  TFontSpec ownFont_;
};

}  // namespace zedro
