#include "editor/canvas/DiagramPicture.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"
#include "editor/canvas/PainterCanvas.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

// Points (1/72 inch) per diagram pixel, at 96 pixels per inch.
constexpr double kPointsPerPixel = 72.0 / 96.0;

bool EndsWith(const std::string& path, const char* ext) {
  const std::string tail(ext);
  return path.size() > tail.size() &&
         text::EqualsIgnoreCase(std::string_view(path).substr(path.size() - tail.size()), tail);
}

std::string Bytes(const QBuffer& buffer) {
  const QByteArray& data = buffer.data();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

std::string TooLarge(const DiagramDocument& doc, int scale) {
  return "Das Bild wäre " + text::IntToStr(static_cast<long long>(doc.Surface.Width) * scale) +
         " x " + text::IntToStr(static_cast<long long>(doc.Surface.Height) * scale) +
         " Pixel groß; dafür reicht der Speicher nicht. Bitte eine kleinere Größe wählen.";
}

}  // namespace

std::optional<PictureType> PictureTypeOf(const std::string& path) {
  if (EndsWith(path, ".bmp")) return PictureType::Bmp;
  if (EndsWith(path, ".png")) return PictureType::Png;
  if (EndsWith(path, ".svg")) return PictureType::Svg;
  if (EndsWith(path, ".pdf")) return PictureType::Pdf;
  return std::nullopt;
}

void RedrawAsPicture(DiagramDocument& doc, Canvas& canvas) {
  DrawingSurface& surface = doc.Surface;
  Canvas* const own = surface.canvas;
  const int viewWidth = surface.ViewWidth, viewHeight = surface.ViewHeight;
  const bool saved = doc.Saved;
  surface.canvas = &canvas;
  surface.ViewWidth = 0;
  surface.ViewHeight = 0;
  Redraw(doc, CurrentBoxMark::Hidden);
  surface.canvas = own;
  surface.ViewWidth = viewWidth;
  surface.ViewHeight = viewHeight;
  doc.Saved = saved;
}

void LayOutDiagram(DiagramDocument& doc) {
  PainterCanvas measuring;
  RedrawAsPicture(doc, measuring);
}

QImage DiagramImage(DiagramDocument& doc, int scale, std::string* error) {
  QImage picture;
  if (scale <= 1) {
    QtCanvas canvas(doc.Surface.Width, doc.Surface.Height);
    RedrawAsPicture(doc, canvas);
    picture = canvas.Image();
  } else {
    // The surface may grow while it is drawn: the canvas then draws on a larger picture.
    PainterCanvas canvas(doc.Surface.Width, doc.Surface.Height, scale);
    RedrawAsPicture(doc, canvas);
    picture = canvas.Image();
  }
  if (picture.isNull() && error) *error = W(TooLarge(doc, std::max(scale, 1)));
  return picture;
}

bool EncodeImage(const QImage& picture, PictureType type, std::string& bytes) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, type == PictureType::Png ? "PNG" : "BMP");
  if (picture.isNull() || !writer.write(picture)) return false;
  bytes = Bytes(buffer);
  return true;
}

bool DiagramDocumentBytes(DiagramDocument& doc, PictureType type, int scale,
                          const std::string& title, std::string& bytes, std::string* error) {
  scale = std::max(scale, 1);
  // The page must be known before the first line is drawn on it.
  LayOutDiagram(doc);
  const int width = doc.Surface.Width, height = doc.Surface.Height;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  if (type == PictureType::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // Coordinates in diagram pixels; the picture as large as `scale` says.
    svg.setResolution(96);
    svg.setSize(QSize(width * scale, height * scale));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(ToQString(title));
    svg.setDescription(QStringLiteral("Klassendiagramm, gezeichnet mit Zedro"));
    PainterCanvas canvas(svg, width, height, 1);
    RedrawAsPicture(doc, canvas);
    painted = canvas.Finish();
  } else {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(96);
    pdf.setTitle(ToQString(title));
    pdf.setCreator(QStringLiteral("Zedro"));
    // Whole points, rounded up: nothing of the drawing falls off the page.
    const QSizeF points(std::ceil(width * scale * kPointsPerPixel),
                        std::ceil(height * scale * kPointsPerPixel));
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(),
                                            QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    PainterCanvas canvas(pdf, width, height, scale);
    RedrawAsPicture(doc, canvas);
    painted = canvas.Finish();
  }
  if (!painted || buffer.data().isEmpty()) {
    if (error) *error = W("Das Bild konnte nicht umgewandelt werden.");
    return false;
  }
  bytes = Bytes(buffer);
  return true;
}

bool PaintDiagram(DiagramDocument& doc, QPaintDevice& device, double scale, QPointF origin) {
  PainterCanvas canvas(device, doc.Surface.Width, doc.Surface.Height, scale, origin);
  RedrawAsPicture(doc, canvas);
  return canvas.Finish();
}

bool WriteDiagramPicture(DiagramDocument& doc, const std::string& path, PictureType type,
                         int scale, std::string* error) {
  std::string bytes;
  if (type == PictureType::Svg || type == PictureType::Pdf) {
    if (!DiagramDocumentBytes(doc, type, scale, FileNamePart(doc.FileName), bytes, error))
      return false;
  } else {
    const QImage picture = DiagramImage(doc, scale, error);
    if (picture.isNull()) return false;
    if (!EncodeImage(picture, type, bytes)) {
      if (error) *error = W("Das Bild konnte nicht umgewandelt werden.");
      return false;
    }
  }
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace zedro
