#include "editor/Picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>

#include "editor/Forms.h"
#include "editor/QtText.h"

namespace zedro {

bool SavePictureFile(const QImage& picture, const std::string& path, std::string* error) {
  QString name = Q(path);
  const char* format = name.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
  QImageWriter writer(name, format);
  if (writer.write(picture)) return true;
  if (error) *error = S(writer.errorString());
  return false;
}

void CopyPictureToClipboard(const QImage& picture) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(picture);
}

bool PrintPictureOn(QPrinter& printer, const QImage& picture, const std::string& title) {
  printer.setDocName(Q(title));
  QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  TScreenRect r = PrintRect(page.width(), page.height(), picture.width(), picture.height());
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The painter's origin is the printable area; the rectangle is meant on the whole page.
  QRect paintable = printer.pageLayout().paintRectPixels(printer.resolution());
  painter.drawImage(QRect(r.left - paintable.left(), r.top - paintable.top(), r.width, r.height),
                    picture);
  return painter.end();
}

bool PrintPictureToPdf(const QImage& picture, const std::string& title, const std::string& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Q(path));
  return PrintPictureOn(printer, picture, title);
}

}  // namespace zedro
