// The diagram picture outside the window: bitmap files, the clipboard and the printer.
#pragma once

#include <string>

#include "editor/Forms.h"

class QImage;
class QPrinter;

namespace zedro {

// Writes the picture as BMP, or as PNG when the name ends in ".png" (any case).
bool SavePictureFile(const QImage& picture, const std::string& path, std::string* error);
// Puts the picture on the clipboard as a bitmap.
void CopyPictureToClipboard(const QImage& picture);
// Where the picture goes on the printer's page, in the painter's coordinates.
TScreenRect PrintPlacement(const QPrinter& printer, int pictureWidth, int pictureHeight);
// One job on an already set-up printer: the picture stretched into PrintRect of the page.
bool PrintPictureOn(QPrinter& printer, const QImage& picture, const std::string& title);
// The same into a PDF file (print to file).
bool PrintPictureToPdf(const QImage& picture, const std::string& title, const std::string& path);

}  // namespace zedro
