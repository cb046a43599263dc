// Drawing of the elements on the surface's canvas. Until the canvas exists these do
// nothing; geometry that the file format needs lives with the elements themselves.
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/InfoBox.h"

namespace zedro {

void TUMLDrawClass::Paint() {}
void TUMLDrawClass::DrawBorderPoints(TColor, int) {}
void TUMLDrawClass::MoveBy(int dx, int dy) {
  Left += dx;
  Top += dy;
}
void TUMLDrawObject::Paint() {}
void TConnection::Paint(bool) { UpdateEndPoints(); }
void TConnection::AskTexts() {}
void TConnection::ChooseLineShape() {}
void TInfoBox::Paint(bool withFrame) { Framed = withFrame; }
void TInfoBox::Erase() {}
void TInfoBox::MoveBy(int dx, int dy) {
  Left += dx;
  Top += dy;
}

}  // namespace zedro
