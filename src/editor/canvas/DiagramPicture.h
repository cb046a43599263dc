// Pictures of a diagram outside its window, drawn as the window shows it: raster pictures
// at one or more times the size, SVG and PDF documents with real lines and texts, and the
// diagram painted on any device (a printer's page). Used by the editor and zedro-cli render.
#pragma once

#include <QPointF>
#include <optional>
#include <string>

class QImage;
class QPaintDevice;

namespace zedro {

class Canvas;
class DiagramDocument;

enum class PictureType { Bmp, Png, Svg, Pdf };

// The type a file name asks for by its extension (any case); nothing for other names.
std::optional<PictureType> PictureTypeOf(const std::string& path);

// Lays the diagram out as a redraw on the screen does (the geometry of every element, the
// growth of the surface) without drawing anything.
void LayOutDiagram(DiagramDocument& doc);

// Redraws the diagram as a picture on another canvas: the whole diagram (not the part of
// the window beyond it), without the marks of the current box. The document's own canvas,
// its window size and whether it counts as saved stay as they were.
void RedrawAsPicture(DiagramDocument& doc, Canvas& canvas);

// The diagram as a raster picture `scale` times as wide and high: at scale 1 the picture
// of the screen pixel for pixel, at larger scales drawn smooth at that resolution. A null
// image, with the reason in error, when the picture would be too large for the memory.
QImage DiagramImage(DiagramDocument& doc, int scale, std::string* error);

// The diagram as an SVG or PDF document (bytes): lines as lines, texts as text that can be
// searched and copied. The page is the diagram's size at 96 pixels per inch, `scale` times
// as wide and high. False, with the reason in error, when nothing could be written.
bool DiagramDocumentBytes(DiagramDocument& doc, PictureType type, int scale,
                          const std::string& title, std::string& bytes, std::string* error);

// Paints the diagram, laid out already, on a device that is being painted on by nobody
// else (a printer's page): diagram pixel (0, 0) at `origin`, `scale` device pixels per
// diagram pixel. False when the device could not be painted on.
bool PaintDiagram(DiagramDocument& doc, QPaintDevice& device, double scale, QPointF origin);

// Writes the picture of that type into a file; BMP and PNG at scale 1 are the screen's
// picture. The file is replaced only when the whole picture could be made. False, with a
// German reason in error, on failure.
bool WriteDiagramPicture(DiagramDocument& doc, const std::string& path, PictureType type,
                         int scale, std::string* error);

// Encodes a raster picture as BMP or PNG.
bool EncodeImage(const QImage& picture, PictureType type, std::string& bytes);

}  // namespace zedro
