#include "diagram/ClassBox.h"

#include <cmath>

#include "diagram/DiagramDocument.h"

namespace zedro {

TUMLDrawClass::TUMLDrawClass(int x, int y, TConnectionList* connections, DrawingSurface* image,
                             TUMLClass* umlClass)
    : Image(image), Connections(connections), UMLClass(umlClass) {
  if (image) {
    int n = image->ComponentCount() + 1;  // this box included
    Left = x + n;
    Top = y + n;
  } else {
    Left = 50;
    Top = 50;
  }
}

TUMLDrawClass* TUMLDrawClass::Create(int x, int y, TConnectionList* connections,
                                     DrawingSurface* image, TUMLClass* umlClass) {
  return image->Adopt(std::make_unique<TUMLDrawClass>(x, y, connections, image, umlClass));
}

void TUMLDrawClass::Assign(const TUMLDrawClass& source, const AttributePurge& purge) {
  if (UMLClass && source.UMLClass && UMLClass != source.UMLClass)
    UMLClass->UpdateFrom(*source.UMLClass, purge);
  Left = source.Left + 3;
  Top = source.Top + 4;
  SourceFileAge = source.SourceFileAge;
  SourceFileName = source.SourceFileName;
  // The copy watches the same file as the original, wherever it is shown.
  SourceDirectory = SourceFileName.empty() ? std::string() : DirectoryPart(SourceFilePath(source));
  Options.Assign(source.Options);
}

int TUMLDrawClass::SideOfBorderPoint(int index) const {
  int n = BorderPointsPerSide;
  // Indices outside 1..4N are taken as the nearest valid point, as BorderPointX/Y do.
  if (index <= n) return 1;
  if (index <= 2 * n) return 2;
  if (index <= 3 * n) return 3;
  return 4;
}

int TUMLDrawClass::BorderPointX(int index) const {
  int n = BorderPointsPerSide;
  if (index < 1) index = 1;
  if (index > 4 * n) index = 4 * n;
  int side = (index - 1) / n + 1;
  int k = index - (side - 1) * n;
  long long w = static_cast<long long>(Right) - Left;
  switch (side) {
    case 1:
      return static_cast<int>(Left + w * k / (n + 1));
    case 2:
      return Right;
    case 3:
      return static_cast<int>(Right - w * k / (n + 1));
    default:
      return Left;
  }
}

int TUMLDrawClass::BorderPointY(int index) const {
  int n = BorderPointsPerSide;
  if (index < 1) index = 1;
  if (index > 4 * n) index = 4 * n;
  int side = (index - 1) / n + 1;
  int k = index - (side - 1) * n;
  long long t = static_cast<long long>(Bottom) - Top;
  switch (side) {
    case 1:
      return Top;
    case 2:
      return static_cast<int>(Top + t * k / (n + 1));
    case 3:
      return Bottom;
    default:
      return static_cast<int>(Bottom - t * k / (n + 1));
  }
}

int TUMLDrawClass::BorderPointAt(int x, int y) const {
  for (int i = 1; i <= 4 * BorderPointsPerSide; ++i) {
    // In floating point: coordinates from a damaged file may lie far apart.
    double dx = static_cast<double>(x) - BorderPointX(i);
    double dy = static_cast<double>(y) - BorderPointY(i);
    if (std::sqrt(dx * dx + dy * dy) < 4.0) return i;
  }
  return -1;
}

TUMLDrawObject::TUMLDrawObject(int x, int y, TConnectionList* connections, DrawingSurface* image,
                               TUMLClass* umlClass)
    : TUMLDrawClass(x, y, connections, image, umlClass),
      Values(umlClass ? &umlClass->Attributes : nullptr) {
  Options.RgPublished = 1;
  Options.RgPublic = 1;
  Options.RgProtected = 1;
  Options.RgPrivate = 1;
  Options.RGShowAc = 1;
  Options.RGWidth = 2;
  Options.Font.Color = RGB(0, 0, 170);
}

TUMLDrawObject* TUMLDrawObject::Create(int x, int y, TConnectionList* connections,
                                       DrawingSurface* image, TUMLClass* umlClass) {
  return image->Adopt(std::make_unique<TUMLDrawObject>(x, y, connections, image, umlClass));
}

}  // namespace zedro
