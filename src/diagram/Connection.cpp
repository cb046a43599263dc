#include "diagram/Connection.h"

#include <cmath>

namespace zedro {

TColor DefaultConnectionColor(TConnectionKind kind) {
  switch (kind) {
    case TConnectionKind::Ist:
      return RGB(170, 0, 0);
    case TConnectionKind::Hat:
      return RGB(0, 0, 170);
    case TConnectionKind::Kennt:
      return RGB(0, 136, 136);
    case TConnectionKind::Auftrag:
      return RGB(128, 0, 128);
    case TConnectionKind::Anfrage:
      return RGB(0, 128, 128);
    case TConnectionKind::ClassInfo:
      break;
  }
  return kClBlack;
}

TConnection::TConnection(TUMLDrawClass* startBox, TUMLDrawClass* endBox, int startPoint,
                         int endPoint, TConnectionKind kind, TDrawClassList* boxes, DrawingSurface* image)
    : Boxes(boxes),
      Image(image),
      Kind(kind),
      StartBox(startBox),
      StartPoint(startPoint),
      EndPoint(endPoint),
      EndBox(endBox) {
  if (image) {
    CoOptions = image->Adopt(std::make_unique<TFCoOptions>());
    TextBox = image->Adopt(std::make_unique<TInfoBox>(20, 20, image));
  } else {
    // A connection always has its font and text box; without a surface it keeps them itself.
    ownCoOptions_ = std::make_unique<TFCoOptions>();
    ownTextBox_ = std::make_unique<TInfoBox>(20, 20, nullptr);
    CoOptions = ownCoOptions_.get();
    TextBox = ownTextBox_.get();
  }
  TextBox->FontDialog = &CoOptions->Font;
  if (kind == TConnectionKind::Ist && startBox && endBox && startBox->UMLClass)
    startBox->UMLClass->Parent = endBox->UMLClass;
}

TConnection* TConnection::Create(TUMLDrawClass* startBox, TUMLDrawClass* endBox, int startPoint,
                                 int endPoint, TConnectionKind kind, TDrawClassList* boxes,
                                 DrawingSurface* image) {
  return image->Adopt(
      std::make_unique<TConnection>(startBox, endBox, startPoint, endPoint, kind, boxes, image));
}

void TConnection::UpdateEndPoints() {
  if (StartBox) {
    StartX = StartBox->BorderPointX(StartPoint);
    StartY = StartBox->BorderPointY(StartPoint);
  }
  if (EndBox) {
    EndX = EndBox->BorderPointX(EndPoint);
    EndY = EndBox->BorderPointY(EndPoint);
  }
}

namespace {
bool Near(int x, int y, int px, int py) {
  double dx = static_cast<double>(x) - px, dy = static_cast<double>(y) - py;
  return std::sqrt(dx * dx + dy * dy) < 4.0;
}
}  // namespace

bool TConnection::NearStartPoint(int x, int y) {
  UpdateEndPoints();
  return Kind != TConnectionKind::ClassInfo && Near(x, y, StartX, StartY);
}

bool TConnection::NearEndPoint(int x, int y) {
  UpdateEndPoints();
  return Kind != TConnectionKind::ClassInfo && Near(x, y, EndX, EndY);
}

}  // namespace zedro
