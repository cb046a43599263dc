#include "diagram/ClassBox.h"

#include <algorithm>
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

TBorderSide TUMLDrawClass::SideOfBorderPoint(int index) const {
  const int n = BorderPointsPerSide;
  // Indices outside 1..4N are taken as the nearest valid point, as BorderPointX/Y do.
  if (index <= n) return TBorderSide::Top;
  if (index <= 2 * n) return TBorderSide::Right;
  if (index <= 3 * n) return TBorderSide::Bottom;
  return TBorderSide::Left;
}

int TUMLDrawClass::PositionOnSide(int index) const {
  const int n = BorderPointsPerSide;
  index = std::clamp(index, 1, 4 * n);
  return index - SidesBefore(SideOfBorderPoint(index)) * n;
}

int TUMLDrawClass::BorderPointOn(TBorderSide side, int position) const {
  return SidesBefore(side) * BorderPointsPerSide + position;
}

int TUMLDrawClass::BorderPointX(int index) const {
  const int k = PositionOnSide(index);
  const long long w = static_cast<long long>(Right) - Left;
  switch (SideOfBorderPoint(index)) {
    case TBorderSide::Top:
      return static_cast<int>(Left + w * k / (BorderPointsPerSide + 1));
    case TBorderSide::Right:
      return Right;
    case TBorderSide::Bottom:
      return static_cast<int>(Right - w * k / (BorderPointsPerSide + 1));
    case TBorderSide::Left:
      break;
  }
  return Left;
}

int TUMLDrawClass::BorderPointY(int index) const {
  const int k = PositionOnSide(index);
  const long long t = static_cast<long long>(Bottom) - Top;
  switch (SideOfBorderPoint(index)) {
    case TBorderSide::Top:
      return Top;
    case TBorderSide::Right:
      return static_cast<int>(Top + t * k / (BorderPointsPerSide + 1));
    case TBorderSide::Bottom:
      return Bottom;
    case TBorderSide::Left:
      break;
  }
  return static_cast<int>(Bottom - t * k / (BorderPointsPerSide + 1));
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
  Options.RgPublished = TShowOption::No;
  Options.RgPublic = TShowOption::No;
  Options.RgProtected = TShowOption::No;
  Options.RgPrivate = TShowOption::No;
  Options.RGShowAc = TShowOption::No;
  Options.RGWidth = TWidthOption::NamesOnly;
  Options.Font.Color = RGB(0, 0, 170);
}

TUMLDrawObject* TUMLDrawObject::Create(int x, int y, TConnectionList* connections,
                                       DrawingSurface* image, TUMLClass* umlClass) {
  return image->Adopt(std::make_unique<TUMLDrawObject>(x, y, connections, image, umlClass));
}

}  // namespace zedro
