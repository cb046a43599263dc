// "als Bild Speichern" and "Bild direkt drucken": the picture as BMP, as PNG at one, two or
// four times the size, as SVG or PDF, and printed at the printer's own resolution.
#pragma once

#include <string>

#include "editor/DialogService.h"
#include "editor/canvas/DiagramPicture.h"

class QImage;
class QPrinter;

namespace zedro {

class DiagramDocument;

// The file types of the save dialog for pictures, in this order.
enum TPictureFilter { kFilterBmp, kFilterPng, kFilterPng2, kFilterPng4, kFilterSvg, kFilterPdf };
std::string PictureFilter();
// The extension a name without one gets for that file type.
std::string PictureExtension(int filterIndex);

// What a name chosen in the save dialog asks for: the type follows the extension (a name of
// another extension gets the chosen file type); a PNG is as large as the chosen file type
// says when that is a PNG type, else of the diagram's own size.
struct TPictureChoice {
  PictureType type = PictureType::Bmp;
  int scale = 1;
};
TPictureChoice ChoosePicture(const std::string& path, int filterIndex);

// Writes the picture into the file. BMP and PNG of the diagram's own size are
// screenPicture (the screen's picture, pixel for pixel); the others are drawn anew from
// the diagram, laid out already. False, with a German reason in error, on failure.
bool SaveDiagramPicture(DiagramDocument& doc, const QImage& screenPicture,
                        const std::string& path, TPictureChoice choice, std::string* error);

// One print job on a set-up printer: the diagram, laid out already, drawn at the printer's
// resolution (lines and texts, no bitmap) into PrintPlacement of its page.
bool PrintDiagram(QPrinter& printer, DiagramDocument& doc, const std::string& title);
// The job for the print dialog.
TPrintJob DiagramPrintJob(DiagramDocument& doc, const std::string& title);

}  // namespace zedro
