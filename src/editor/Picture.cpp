#include "editor/Picture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>

#include "editor/Forms.h"
#include "editor/QtText.h"
#include "persistence/Files.h"

namespace zedro {

bool SavePictureFile(const QImage& picture, const std::string& path, std::string* error) {
  const bool png = Q(path).endsWith(".png", Qt::CaseInsensitive);
  // The picture is encoded in memory and then written like every other file, so that a
  // failure is told in the words of the other file commands and an old file stays intact.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, png ? "PNG" : "BMP");
  if (!writer.write(picture)) {
    if (error) *error = W("Das Bild konnte nicht umgewandelt werden.");
    return false;
  }
  const QByteArray& bytes = buffer.data();
  return WriteFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())),
                             error);
}

void CopyPictureToClipboard(const QImage& picture) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(picture);
}

TScreenRect PrintPlacement(const QPrinter& printer, int pictureWidth, int pictureHeight) {
  // The page is the printable area, where the painter's origin lies: the margin of 100
  // pixels around the picture stays inside what the printer can reach.
  QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  return PrintRect(page.width(), page.height(), pictureWidth, pictureHeight);
}

bool PrintPictureOn(QPrinter& printer, const QImage& picture, const std::string& title) {
  printer.setDocName(Q(title));
  TScreenRect r = PrintPlacement(printer, picture.width(), picture.height());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.drawImage(QRect(r.left, r.top, r.width, r.height), picture);
  return painter.end();
}

bool PrintPictureToPdf(const QImage& picture, const std::string& title, const std::string& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Q(path));
  return PrintPictureOn(printer, picture, title);
}

}  // namespace zedro
