#include "editor/Picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>

#include "editor/Forms.h"

namespace zedro {

void CopyPictureToClipboard(const QImage& picture) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(picture);
}

TScreenRect PrintPlacement(const QPrinter& printer, int pictureWidth, int pictureHeight) {
  // The page is the printable area, where the painter's origin lies: the margin of 100
  // pixels around the picture stays inside what the printer can reach.
  QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  return PrintRect(page.width(), page.height(), pictureWidth, pictureHeight);
}

}  // namespace zedro
