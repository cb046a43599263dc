#include "editor/PictureOutput.h"

#include <QImage>
#include <QPrinter>

#include "diagram/DiagramDocument.h"
#include "editor/Picture.h"
#include "editor/QtText.h"
#include "persistence/Files.h"

namespace zedro {

std::string PictureFilter() {
  return W("Bitmap-Dateien|*.bmp|PNG-Dateien|*.png|PNG-Dateien, doppelte Größe|*.png|"
           "PNG-Dateien, vierfache Größe|*.png|SVG-Vektorgrafik|*.svg|PDF-Dokument|*.pdf");
}

std::string PictureExtension(int filterIndex) {
  switch (filterIndex) {
    case kFilterPng:
    case kFilterPng2:
    case kFilterPng4: return "png";
    case kFilterSvg: return "svg";
    case kFilterPdf: return "pdf";
    default: return "BMP";
  }
}

TPictureChoice ChoosePicture(const std::string& path, int filterIndex) {
  static constexpr PictureType kTypes[] = {PictureType::Bmp, PictureType::Png, PictureType::Png,
                                           PictureType::Png, PictureType::Svg, PictureType::Pdf};
  const bool known = filterIndex >= kFilterBmp && filterIndex <= kFilterPdf;
  TPictureChoice choice;
  choice.type = PictureTypeOf(path).value_or(known ? kTypes[filterIndex] : PictureType::Bmp);
  if (choice.type == PictureType::Png)
    choice.scale = filterIndex == kFilterPng4 ? 4 : filterIndex == kFilterPng2 ? 2 : 1;
  return choice;
}

bool SaveDiagramPicture(DiagramDocument& doc, const QImage& screenPicture,
                        const std::string& path, TPictureChoice choice, std::string* error) {
  const bool raster = choice.type == PictureType::Bmp || choice.type == PictureType::Png;
  if (!raster || choice.scale != 1) return WriteDiagramPicture(doc, path, choice.type, choice.scale, error);
  // The picture is encoded in memory and then written like every other file, so that a
  // failure is told in the words of the other file commands and an old file stays intact.
  std::string bytes;
  if (!EncodeImage(screenPicture, choice.type, bytes)) {
    if (error) *error = W("Das Bild konnte nicht umgewandelt werden.");
    return false;
  }
  return WriteFileAtomically(path, bytes, error);
}

bool PrintDiagram(QPrinter& printer, DiagramDocument& doc, const std::string& title) {
  printer.setDocName(Q(title));
  const int width = doc.Surface.Width, height = doc.Surface.Height;
  const TScreenRect r = PrintPlacement(printer, width, height);
  if (width <= 0 || r.width <= 0) return false;
  return PaintDiagram(doc, printer, static_cast<double>(r.width) / width, QPointF(r.left, r.top));
}

TPrintJob DiagramPrintJob(DiagramDocument& doc, const std::string& title) {
  TPrintJob job;
  job.title = title;
  job.width = doc.Surface.Width;
  job.height = doc.Surface.Height;
  job.print = [&doc, title](QPrinter& printer) { return PrintDiagram(printer, doc, title); };
  return job;
}

}  // namespace zedro
