// Connections: IST, HAT and KENNT relationships, Auftrag and Anfrage messages and the
// link of a class note, anchored at border points of two boxes.
#pragma once

#include "diagram/ClassBox.h"
#include "diagram/ConnectionKind.h"
#include "diagram/InfoBox.h"
#include "diagram/Options.h"
#include "model/UMLClass.h"

namespace zedro {

class SavePositions;
class TBorderPointIndex;
class TDrawClassList;

class Canvas;

class TConnection : public TComponent {
 public:
  // Creates the font options and the text box at (20, 20) on the surface; for kind 1 the
  // start class gets the end class as its Parent.
  TConnection(TUMLDrawClass* startBox, TUMLDrawClass* endBox, int startPoint, int endPoint,
              TConnectionKind kind, TDrawClassList* boxes, DrawingSurface* image);
  static TConnection* Create(TUMLDrawClass* startBox, TUMLDrawClass* endBox, int startPoint,
                             int endPoint, TConnectionKind kind, TDrawClassList* boxes,
                             DrawingSurface* image);
  bool CountsAsComponent() const override { return false; }

  void UpdateEndPoints();
  // Draws the connection: start decoration, end decoration, the route between their outer
  // ends and the description text box.
  void Paint();
  // The one paint of the command that creates the connection: it first asks for the
  // texts and gives the kind's colour, and lets the user choose the route before drawing it.
  void PaintCreating();
  void AskTexts();
  void ChooseLineShape();
  bool NearStartPoint(int x, int y);
  bool NearEndPoint(int x, int y);
  bool NearEitherEnd(int x, int y) { return NearStartPoint(x, y) || NearEndPoint(x, y); }

  // The connection record; box indices refer to Boxes. Files before version 141 name the
  // boxes by the coordinates of border points; the index, when given, finds them quickly.
  void Load(ValueReader& reader, int version, const TBorderPointIndex* pointIndex = nullptr);
  void Save(ValueWriter& writer) const;
  // The same, with the positions looked up in tables made once for a whole diagram.
  void Save(ValueWriter& writer, SavePositions& positions) const;

  int StartX = 0, StartY = 0;
  int EndX = 0, EndY = 0;
  TBorderSide StartSide{};  // 0 until the first paint
  TBorderSide EndSide{};
  int LineShape = 0;
  int TextOffsetX = 0, TextOffsetY = 0;
  TInfoBox* TextBox;
  TDrawClassList* Boxes;
  DrawingSurface* Image;
  TFCoOptions* CoOptions;
  TColor Color = kClBlack;
  TConnectionKind Kind;
  TUMLDrawClass* StartBox;
  std::string StartText;
  int StartPoint;
  int EndPoint;
  TUMLDrawClass* EndBox;
  std::string EndText;
  TAttributeList Attributes;  // attributes of the start class (not owned)
  TMethod* Method = nullptr;  // the method of the end class a message calls

 private:
  enum class Pass { Creating, Repainting };
  void Draw(Pass pass);
  void SetUpPenAndFont(Canvas& c, Pass pass);
  // Each moves its end of the route to the outer end of its decoration.
  void DrawStartDecoration(Canvas& c);
  void DrawEndDecoration(Canvas& c);
  void PlaceAndPaintTextBox(Canvas& c);
  // The creation dialogs of HAT and KENNT, and of Anfrage.
  void AskMultiplicities();
  void AskQuery();

  std::unique_ptr<TFCoOptions> ownCoOptions_;
  std::unique_ptr<TInfoBox> ownTextBox_;
};

}  // namespace zedro
