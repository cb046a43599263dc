#include "diagram/InfoBox.h"

#include "diagram/DiagramDialogs.h"

namespace zedro {

TInfoBox::TInfoBox(int x, int y, DrawingSurface* image)
    : Left(x), Right(x), Top(y), Bottom(y), FontDialog(&ownFont_), Image(image) {}

TInfoBox* TInfoBox::Create(int x, int y, DrawingSurface* image) {
  return image->Adopt(std::make_unique<TInfoBox>(x, y, image));
}

void TInfoBox::Edit(const std::string& caption) {
  if (!Image || !Image->dialogs) return;
  StringList lines = Lines;
  if (Image->dialogs->EditInfoBox(caption, lines)) Lines = lines;
}

bool TInfoBox::ContainsPoint(int x, int y) const {
  return Left - 3 < x && x < Right + 3 && Top - 3 < y && y < Bottom + 3;
}

}  // namespace zedro
