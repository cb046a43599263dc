// The diagram picture outside the window: the clipboard and the place on the printer's page.
#pragma once

#include "editor/Forms.h"

class QImage;
class QPrinter;

namespace zedro {

// Puts the picture on the clipboard as a bitmap.
void CopyPictureToClipboard(const QImage& picture);
// Where the picture goes on the printer's page, in the painter's coordinates.
TScreenRect PrintPlacement(const QPrinter& printer, int pictureWidth, int pictureHeight);

}  // namespace zedro
